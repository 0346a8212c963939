// frmLogin: user name from the user list, password, network and compaction boxes.
#pragma once

#include "app/login.h"
#include "app/user_list.h"
#include "session/session.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vemo {

class ScrollingLabel;

class LoginDialog : public QDialog {
  Q_OBJECT
 public:
  LoginDialog(Session& session, UserList& user_list, QWidget* parent);
  bool LoginSucceeded = false;

  QComboBox* txtUserName = nullptr;
  QLineEdit* txtPassword = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;
  QCheckBox* Check3 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  ScrollingLabel* Label1 = nullptr;

  // 确定: the log-in; on success the dialog hides and logged_in follows.
  void log_in_clicked();

 signals:
  void logged_in(const vemo::LoginOutcome& outcome);
  void cancelled();

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void load_user_list();
  void network_box_clicked();

  Session& session_;
  UserList& user_list_;
};

}  // namespace vemo
