// Form1: the navigation tree, the page, the lists, the bottom row and the menu bar. The
// window mirrors the session's window model; every command runs the engine and then shows
// what the model says.
#pragma once

#include "app/login.h"
#include "session/session.h"

#include <QHash>
#include <QMainWindow>
#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vemo {

class GridView;

// Menu items whose commands do not exist yet; they stay disabled.
bool menu_item_built(const QString& item);

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(Session& session, QWidget* parent);
  ~MainWindow() override;

  QTreeWidget* TreeView1 = nullptr;
  QToolButton* Command5 = nullptr;
  GridView* Spreadsheet1 = nullptr;
  QWidget* Spreadsheet2 = nullptr;
  QLabel* Picture1 = nullptr;
  QListWidget* List1 = nullptr;
  QListWidget* List2 = nullptr;
  QListWidget* List3 = nullptr;
  QCheckBox* Check2 = nullptr;
  // CommandButton1 … CommandButton7 at index 0 … 6.
  std::array<QPushButton*, 7> CommandButtons{};

  QAction* menu_item(const QString& name) const { return actions_.value(name); }
  QMenu* menu(const QString& name) const { return menus_.value(name); }

  // The log-in's menu states.
  void apply_login_menus(const LoginOutcome& outcome);
  // After start_session and prepare_main_window: the tree, the layout, the page.
  void after_login();
  // Shows what the window model holds: lists, boxes, buttons, menu states, geometry.
  void sync_from_model();
  void rebuild_tree();
  // Runs a menu item's command by its name, as a click on it would.
  void run_menu_item(const QString& name);
  // The window model's layout for the current size.
  void fit_to_window();

 signals:
  // Commands that open other windows or restart: handled by the frame.
  void command_requested(const QString& item);
  // The exit dialogue said to end the program.
  void end_requested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void build_controls();
  void build_menus();
  QAction* add_item(QMenu* menu, const QString& name, const QString& caption);
  QMenu* add_menu(const QString& name, const QString& caption);
  void connect_page();
  void tree_clicked(QTreeWidgetItem* item);
  void tree_context_menu(const QPoint& pos);
  void button_clicked(int number);
  void sync_list(QListWidget* widget, const ListBoxModel& model);
  void apply_geometry();
  QWidget* canvas() const { return centralWidget(); }

  Session& session_;
  QHash<QString, QAction*> actions_;
  QHash<QString, QMenu*> menus_;
  bool syncing_ = false;
};

}  // namespace vemo
