// The frame window and the start-up sequence.
#include "ui/frame_window.h"

#include "app/relogin.h"
#include "app/session_start.h"
#include "app/settings.h"
#include "app/shutdown.h"
#include "app/user_admin.h"
#include "ui/admin_login_dialog.h"
#include "ui/login_dialog.h"
#include "ui/main_window.h"
#include "ui/password_dialog.h"
#include "ui/qt_prompts.h"
#include "ui/splash_window.h"
#include "ui/station_dialog.h"
#include "ui/table_grid_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QScreen>
#include <QTimer>

namespace vemo {

FrameWindow::FrameWindow(const QString& station_folder) {
  setObjectName(QStringLiteral("MDIForm1"));
  setWindowTitle(kFrameCaption);
  session_.set_station_folder(station_folder);
  session_.prompts = std::make_shared<QtPrompts>(this);
  // Window messages run between the engine's steps; the user's input waits until it is done.
  session_.process_pending_messages = [] {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  auto* desk = new QWidget(this);
  desk->setObjectName(QStringLiteral("desk"));
  desk->setStyleSheet(QStringLiteral(
      "#desk { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a6ea5, stop:1 "
      "#a8c8e8); }"));
  setCentralWidget(desk);
}

FrameWindow::~FrameWindow() {
  session_.process_pending_messages = nullptr;
  // Every window holds the session, which dies before QObject deletes the children.
  const auto children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* child : children) delete child;
}

void FrameWindow::start() {
  // Without a window manager "maximized" is only a wish: take the screen's size as well.
  if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
  showMaximized();
  show_splash();
}

void FrameWindow::show_splash() {
  splash_ = new SplashWindow(session_, SplashWindow::Mode::StartUp, this);
  connect(splash_, &SplashWindow::handover, this, &FrameWindow::show_login);
  // The splash's load places (and so loads) the log-in dialog, hidden.
  if (!login_) {
    login_ = new LoginDialog(session_, user_list_, this);
    login_->move(splash_->pos());
    connect(login_, &LoginDialog::logged_in, this, &FrameWindow::logged_in);
    connect(login_, &LoginDialog::cancelled, this, &FrameWindow::end_program);
  }
  splash_->show();
}

void FrameWindow::show_login() {
  if (!login_) return;
  login_->show();
  login_->raise();
  login_->activateWindow();
}

void FrameWindow::logged_in(const LoginOutcome& outcome) {
  if (!form1_) {
    form1_ = new MainWindow(session_, centralWidget());
    connect(form1_, &MainWindow::command_requested, this, &FrameWindow::run_command);
    connect(form1_, &MainWindow::end_requested, this, &FrameWindow::end_program);
  }
  form1_->apply_login_menus(outcome);
  form1_->setGeometry(centralWidget()->rect());
  form1_->show();
  session_.pump();
  start_session(session_, user_list_);
  prepare_main_window(session_);
  form1_->after_login();
  setWindowTitle(kFrameCaption + QStringLiteral(" - ") + form1_->windowTitle());
}

void FrameWindow::close_child_windows() {
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow() && child != login_.data()) child->deleteLater();
  }
}

void FrameWindow::relogin() {
  begin_relogin(session_);
  if (form1_) {
    form1_->close();  // the marker keeps the exit questions away
    delete form1_;
  }
  close_child_windows();
  delete login_;
  finish_relogin(session_);
  setWindowTitle(kFrameCaption);
  show_splash();
}

void FrameWindow::show_about() {
  auto* about = new SplashWindow(session_, SplashWindow::Mode::About, this);
  about->timer1().stop();
  about->show();
}

void FrameWindow::run_command(const QString& item) {
  if (item == QStringLiteral("cxdl")) {
    // The main window is still inside its menu command: unload it once that has returned.
    QTimer::singleShot(0, this, &FrameWindow::relogin);
  } else if (item == QStringLiteral("about")) {
    show_about();
  } else if (item == QStringLiteral("mm_xg")) {
    auto* dialog = new PasswordDialog(session_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (form1_) {
      // A third of the way into the main window.
      const QRect area = form1_->geometry();
      dialog->move(form1_->mapToGlobal(QPoint(area.width() * 3 / 10, area.height() * 3 / 10)));
    }
    dialog->show();
  } else if (item == QStringLiteral("user_gl") || item == QStringLiteral("qr_mxb")) {
    session_.pump();
    const AdminTable table =
        item == QStringLiteral("user_gl") ? AdminTable::Users : AdminTable::Confirmations;
    auto* dialog = new AdminLoginDialog(session_, table, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &AdminLoginDialog::gridWanted, this, &FrameWindow::show_grid);
    dialog->show();
    place_centered(dialog);
    dialog->raise();
  } else if (item == QStringLiteral("normal_set")) {
    show_grid(common_settings_source(session_));
  } else if (item == QStringLiteral("fz_set")) {
    auto* dialog = new StationDialog(
        user_list_,
        [this](const QString& station) { set_departure_station(session_, user_list_, station); },
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    place_centered(dialog);
  }
}

void FrameWindow::place_centered(QWidget* window) const {
  window->move(geometry().center() - window->rect().center());
}

void FrameWindow::show_grid(const GridSource& source) {
  auto* grid = new TableGridWindow(session_, source, this);
  grid->setAttribute(Qt::WA_DeleteOnClose);
  grid->show();
  place_centered(grid);
  grid->raise();
}

void FrameWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // Form1 stays maximized inside the frame.
  if (form1_) form1_->setGeometry(centralWidget()->rect());
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  if (ending_) {
    event->accept();
    return;
  }
  if (exit_dialogue(session_, ExitSource::Frame) == ExitDecision::Stay) {
    event->ignore();
    return;
  }
  event->accept();
  end_program();
}

void FrameWindow::end_program() {
  ending_ = true;
  QCoreApplication::exit(0);
}

}  // namespace vemo
