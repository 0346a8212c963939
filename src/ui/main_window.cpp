// The main document window: controls, the page's events and the mirror of the window model.
#include "ui/main_window.h"

#include "app/session_start.h"
#include "app/settings.h"
#include "app/shutdown.h"
#include "document/open_document.h"
#include "document/page_save.h"
#include "document/record_browse.h"
#include "platform/view/grid_view.h"
#include "session/window_commands.h"
#include "sheet/choice_list.h"
#include "sheet/page_events.h"
#include "sheet/reconciliation.h"
#include "ui/company_logo.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace vemo {
namespace {

struct ButtonDesign {
  const char* caption;
  int left;
  int width;
};
// CommandButton1 … CommandButton7.
constexpr std::array<ButtonDesign, 7> kButtons = {{
    {"手动存盘", 10680, 975},
    {"查询编号", 2190, 975},
    {"上一个", 3720, 855},
    {"下一个", 5010, 855},
    {"普通打印", 6360, 975},
    {"票据打印", 7800, 1095},
    {"数据确认", 9240, 975},
}};
constexpr int kButtonHeight = 375;

// Wraps an event handler so that the window shows the model after the engine has run.
template <typename... Args>
void after_each(std::function<void(Args...)>& handler, MainWindow* window) {
  auto inner = handler;
  handler = [inner, window](Args... args) {
    if (inner) inner(args...);
    window->sync_from_model();
  };
}

}  // namespace

MainWindow::MainWindow(Session& session, QWidget* parent)
    : QMainWindow(parent, Qt::Widget), session_(session) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(kMainWindowCaption);
  setCentralWidget(new QWidget(this));
  canvas()->setObjectName(QStringLiteral("Form1Canvas"));
  canvas()->setAutoFillBackground(true);
  QPalette palette = canvas()->palette();
  palette.setColor(QPalette::Window, QColor(0xd8, 0xe4, 0xf0));
  canvas()->setPalette(palette);
  build_controls();
  build_menus();
  connect_page();
  sync_from_model();
}

MainWindow::~MainWindow() {
  // The sheet outlives the window; its handlers must not call back into a dead window.
  session_.Spreadsheet1.events() = SheetEvents{};
}

void MainWindow::build_controls() {
  QWidget* parent = canvas();
  TreeView1 = new QTreeWidget(parent);
  TreeView1->setObjectName(QStringLiteral("TreeView1"));
  TreeView1->setHeaderHidden(true);
  TreeView1->setRootIsDecorated(false);
  TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(TreeView1, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { tree_clicked(item); });
  connect(TreeView1, &QTreeWidget::customContextMenuRequested, this,
          &MainWindow::tree_context_menu);

  Command5 = new QToolButton(parent);
  Command5->setObjectName(QStringLiteral("Command5"));
  Command5->setText(QStringLiteral("x"));
  Command5->setToolTip(QStringLiteral("隐藏"));
  connect(Command5, &QToolButton::clicked, this, [this] { run_menu_item(QStringLiteral("yc")); });

  Spreadsheet1 = new GridView(session_.Spreadsheet1, parent);
  Spreadsheet1->setObjectName(QStringLiteral("Spreadsheet1"));
  Spreadsheet2 = new QWidget(parent);
  Spreadsheet2->setObjectName(QStringLiteral("Spreadsheet2"));
  Spreadsheet2->hide();

  Picture1 = new QLabel(parent);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setAttribute(Qt::WA_TransparentForMouseEvents);

  auto make_list = [parent](const QString& name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    // A pick leaves the keyboard in the page.
    list->setFocusPolicy(Qt::NoFocus);
    list->hide();
    return list;
  };
  List1 = make_list(QStringLiteral("List1"));
  List2 = make_list(QStringLiteral("List2"));
  List2->setFont(QFont(QStringLiteral("宋体"), 12));
  List2->setStyleSheet(QStringLiteral("color: blue;"));
  List3 = make_list(QStringLiteral("List3"));
  connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    pick_choice(session_, item->text());
    sync_from_model();
  });
  connect(List2, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    on_list2_clicked(session_, item->text());
    sync_from_model();
  });
  connect(List3, &QListWidget::itemClicked, this, [this] {
    on_list3_clicked(session_);
    sync_from_model();
  });

  Check2 = new QCheckBox(QStringLiteral("手动存盘"), parent);
  Check2->setObjectName(QStringLiteral("Check2"));
  // A click on the box or a button leaves the keyboard in the page.
  Check2->setFocusPolicy(Qt::NoFocus);
  connect(Check2, &QCheckBox::clicked, this, [this](bool ticked) {
    if (syncing_) return;
    set_check2(session_, ticked);
    sync_from_model();
  });
  for (int i = 0; i < kBottomButtonCount; ++i) {
    auto* button = new QPushButton(QString::fromUtf8(kButtons[i].caption), parent);
    button->setObjectName(QStringLiteral("CommandButton%1").arg(i + 1));
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, i] { button_clicked(i + 1); });
    CommandButtons[i] = button;
  }
}

void MainWindow::connect_page() {
  Sheet& sheet = session_.Spreadsheet1;
  connect_page_events(session_, sheet);
  SheetEvents& events = sheet.events();
  after_each(events.content_changed, this);
  after_each(events.clicked, this);
  after_each(events.double_clicked, this);
  after_each(events.key_pressed, this);
  after_each(events.selection_changed, this);
  after_each(events.edit_started, this);
  after_each(events.scrolled, this);
  after_each(events.focus_gained, this);
  after_each(events.focus_lost, this);
}

void MainWindow::button_clicked(int number) {
  Sheet& sheet = session_.Spreadsheet1;
  switch (number) {
    case 1:
      save_page(session_, session_.main_conn, sheet);
      break;
    case 2:
      on_browse_button(session_, BrowseStep::Current);
      break;
    case 3:
      on_browse_button(session_, BrowseStep::Previous);
      break;
    case 4:
      on_browse_button(session_, BrowseStep::Next);
      break;
    default:
      // 普通打印, 票据打印 and 数据确认 run the commands of their menu items.
      if (const QString item = bottom_button_menu_item(number); !item.isEmpty())
        run_menu_item(item);
      return;
  }
  sync_from_model();
}

void MainWindow::tree_clicked(QTreeWidgetItem* item) {
  const int index = TreeView1->indexOfTopLevelItem(item);
  if (index < 0 || index >= static_cast<int>(session_.form1.TreeView1.size())) return;
  open_tree_node(session_, session_.form1.TreeView1[static_cast<std::size_t>(index)]);
  sync_from_model();
  Spreadsheet1->setFocus();
}

void MainWindow::tree_context_menu(const QPoint& pos) {
  if (QMenu* setx = menu(QStringLiteral("setx"))) setx->popup(TreeView1->mapToGlobal(pos));
}

void MainWindow::rebuild_tree() {
  TreeView1->clear();
  for (const TreeNode& node : session_.form1.TreeView1) {
    auto* item = new QTreeWidgetItem(TreeView1, QStringList{node.text});
    item->setData(0, Qt::UserRole, node.key);
  }
}

void MainWindow::apply_login_menus(const LoginOutcome& outcome) {
  session_.form1.menu.set_enabled(outcome.menus_disabled, false);
  session_.form1.menu.set_enabled(outcome.menus_enabled, true);
  sync_from_model();
}

void MainWindow::after_login() {
  setWindowTitle(kMainWindowCaption);
  rebuild_tree();
  fit_to_window();
  Spreadsheet1->setFocus();
}

void MainWindow::fit_to_window() {
  layout_main_window(session_.form1, to_twips(canvas()->width()), to_twips(canvas()->height()));
  sync_from_model();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  fit_to_window();
}

void MainWindow::sync_list(QListWidget* widget, const ListBoxModel& model) {
  QStringList shown;
  for (int i = 0; i < widget->count(); ++i) shown << widget->item(i)->text();
  if (shown != model.items) {
    widget->clear();
    widget->addItems(model.items);
  }
  widget->setGeometry(to_pixels(model.geometry));
  widget->setVisible(model.visible);
  if (model.visible) widget->raise();
}

void MainWindow::sync_from_model() {
  if (syncing_) return;
  syncing_ = true;
  MainWindowModel& form = session_.form1;
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it)
    it.value()->setEnabled(menu_item_built(it.key()) && form.menu.enabled(it.key()));
  sync_list(List1, form.List1);
  sync_list(List2, form.List2);
  sync_list(List3, form.List3);
  Check2->setChecked(form.Check2);
  Check2->setVisible(form.Check2_visible);
  for (int n = 1; n <= kBottomButtonCount; ++n) {
    QPushButton* button = CommandButtons[n - 1];
    button->setVisible(bottom_button(form, n).visible);
    // 普通打印 and 票据打印 also wait for their commands, as their menu items do.
    const QString item = bottom_button_menu_item(n);
    button->setEnabled(bottom_button_enabled(form, n) && (item.isEmpty() || menu_item_built(item)));
  }
  TreeView1->setVisible(form.tree_visible);
  Command5->setVisible(form.Command5_visible);
  Picture1->setVisible(form.Picture1.visible);
  apply_geometry();
  syncing_ = false;
}

void MainWindow::apply_geometry() {
  const MainWindowModel& form = session_.form1;
  TreeView1->setGeometry(to_pixels(form.tree));
  Command5->setGeometry(to_pixels(form.Command5));
  Command5->raise();
  Spreadsheet1->setGeometry(to_pixels(form.grid));
  Spreadsheet2->setGeometry(to_pixels(form.grid2));
  const QRect picture = to_pixels(form.Picture1.geometry);
  if (Picture1->geometry() != picture) {
    Picture1->setGeometry(picture);
    Picture1->setPixmap(company_logo(picture.size()));
  }
  Picture1->raise();
  Check2->setGeometry(to_pixels(ControlGeometry{120, form.check2_top, 1335, 255}));
  for (int i = 0; i < kBottomButtonCount; ++i) {
    CommandButtons[i]->setGeometry(to_pixels(
        ControlGeometry{kButtons[i].left, form.buttons_top, kButtons[i].width, kButtonHeight}));
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  switch (exit_dialogue(session_, ExitSource::MainWindow)) {
    case ExitDecision::Stay:
      event->ignore();
      return;
    case ExitDecision::Relogin:
      event->accept();
      return;
    case ExitDecision::End:
      event->accept();
      emit end_requested();
      return;
  }
}

}  // namespace vemo
