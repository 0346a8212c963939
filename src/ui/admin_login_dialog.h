// frmLogin2 用户管理登录 and frmLogin3 登录用户确认数据表: the administrator log-in in
// front of the user and confirmation tables.
#pragma once

#include "app/user_admin.h"
#include "session/session.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace vemo {

class AdminLoginDialog final : public QDialog {
  Q_OBJECT

 public:
  AdminLoginDialog(Session& session, AdminTable table, QWidget* parent = nullptr);

  bool LoginSucceeded = false;
  AdminTable table() const { return table_; }

  QLineEdit* txtUserName() const { return user_; }
  QLineEdit* txtPassword() const { return password_; }

 signals:
  // The log-in succeeded: the grid window is to show this table.
  void gridWanted(const vemo::GridSource& source);

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void on_ok();

  Session& session_;
  AdminTable table_;
  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vemo
