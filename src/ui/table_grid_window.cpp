// The table grid window.
#include "ui/table_grid_window.h"

#include "ui/recordset_table_model.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <cmath>
#include <set>

namespace vemo {
namespace {

// Designed size of the grid; the window is 1.1 times as high, the rest holds the buttons.
constexpr int kGridWidth = 640;
constexpr int kGridHeight = 360;
constexpr double kWindowToGrid = 1.1;
constexpr int kMargin = 4;

}  // namespace

TableGridWindow::TableGridWindow(Session& session, GridSource source, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), source_(std::move(source)) {
  setObjectName(QStringLiteral("user_table"));
  setWindowTitle(QStringLiteral("用户管理"));
  table_ = open_grid_table(session_, source_.table);
  model_ = new RecordsetTableModel(std::move(table_.recordset), this);
  model_->setObjectName(QStringLiteral("Adodc1"));
  model_->set_captions(source_.captions);

  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("DataGrid1"));
  grid_->setModel(model_);
  grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grid_->installEventFilter(this);

  add_ = new QPushButton(QStringLiteral("增加"), this);
  add_->setObjectName(QStringLiteral("cmdAdd"));
  delete_ = new QPushButton(QStringLiteral("删除"), this);
  delete_->setObjectName(QStringLiteral("cmdDelete"));
  connect(add_, &QPushButton::clicked, this, &TableGridWindow::add_row);
  connect(delete_, &QPushButton::clicked, this, &TableGridWindow::delete_selected_rows);

  grid_->resize(kGridWidth, kGridHeight);
  resize(kGridWidth, int(std::lround(kWindowToGrid * grid_->height())));
  apply_columns();
}

TableGridWindow::~TableGridWindow() = default;

void TableGridWindow::apply_columns() {
  for (const int column : source_.hidden_columns) grid_->setColumnHidden(column, true);
  for (int column = 0; column < source_.width_fractions.size(); ++column) {
    const double fraction = source_.width_fractions[column];
    if (fraction > 0) grid_->setColumnWidth(column, int(std::lround(fraction * width())));
  }
}

void TableGridWindow::add_row() {
  if (!model_->insertRows(model_->rowCount(), 1)) return;
  int column = 0;
  while (column < model_->columnCount() && grid_->isColumnHidden(column)) ++column;
  const QModelIndex cell = model_->index(model_->rowCount() - 1, column);
  grid_->setCurrentIndex(cell);
  grid_->setFocus();
}

void TableGridWindow::delete_selected_rows() {
  std::set<int> rows;
  for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes()) {
    rows.insert(index.row());
  }
  if (rows.empty() && grid_->currentIndex().isValid()) rows.insert(grid_->currentIndex().row());
  // From the bottom, so the rows above keep their numbers.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) model_->removeRow(*it);
}

void TableGridWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int grid_height = int(std::lround(height() / kWindowToGrid));
  grid_->setGeometry(0, 0, width(), grid_height);
  const int strip = height() - grid_height;
  const int button_height = std::max(1, std::min(add_->sizeHint().height(), strip - kMargin));
  const int top = grid_height + (strip - button_height) / 2;
  int right = width() - kMargin;
  for (QPushButton* button : {delete_, add_}) {
    const int button_width = button->sizeHint().width();
    button->setGeometry(right - button_width, top, button_width, button_height);
    right -= button_width + kMargin;
  }
}

void TableGridWindow::closeEvent(QCloseEvent* event) {
  // A cell still being typed in is stored before the window's closing steps read the table.
  if (QWidget* editor = grid_->indexWidget(grid_->currentIndex())) {
    QMetaObject::invokeMethod(grid_, "commitData", Q_ARG(QWidget*, editor));
    QMetaObject::invokeMethod(
        grid_, "closeEditor", Q_ARG(QWidget*, editor),
        Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
  }
  on_grid_window_closed(session_, source_.table);
  event->accept();
}

bool TableGridWindow::eventFilter(QObject* watched, QEvent* event) {
  // Delete on whole selected rows deletes those records; while a cell is edited the
  // keys go to its editor.
  if (watched == grid_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete &&
      !grid_->selectionModel()->selectedRows().isEmpty()) {
    delete_selected_rows();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vemo
