// frmLogin1 修改密码: a user's password changed after the old one is typed.
#pragma once

#include "session/session.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace vemo {

class PasswordDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit PasswordDialog(Session& session, QWidget* parent = nullptr);

  bool LoginSucceeded = false;

  QLineEdit* txtUserName() const { return user_; }
  // 0 the old password, 1 the new one, 2 its confirmation.
  QLineEdit* txtPassword(int index) const { return passwords_[index]; }

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void on_ok();

  Session& session_;
  QLineEdit* user_ = nullptr;
  QLineEdit* passwords_[3] = {};
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vemo
