// MDIForm1: the frame every other window lives in; it owns the session and runs the start,
// the log-in, re-login and the exit of the frame.
#pragma once

#include "app/login.h"
#include "app/user_admin.h"
#include "app/user_list.h"
#include "session/session.h"
#include "ui/login_dialog.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"

#include <QMainWindow>
#include <QPointer>

namespace vemo {

inline const QString kFrameCaption = QStringLiteral("Vemo仓库物料管理系统");

class FrameWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit FrameWindow(const QString& station_folder);
  ~FrameWindow() override;

  Session& session() { return session_; }
  UserList& user_list() { return user_list_; }
  SplashWindow* splash() const { return splash_; }
  LoginDialog* login() const { return login_; }
  MainWindow* form1() const { return form1_; }

  // Frame load: the paths are fixed; the frame shows maximized with the splash.
  void start();
  // 重新登录.
  void relogin();
  // 关于vemo系统.
  void show_about();
  // Commands of the main window's menu that open other windows.
  void run_command(const QString& item);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void show_splash();
  void show_login();
  void logged_in(const LoginOutcome& outcome);
  void show_grid(const GridSource& source);
  void place_centered(QWidget* window) const;
  void end_program();
  void close_child_windows();

  Session session_;
  UserList user_list_;
  QPointer<SplashWindow> splash_;
  QPointer<LoginDialog> login_;
  QPointer<MainWindow> form1_;
  bool ending_ = false;
};

}  // namespace vemo
