// The administrator log-in dialogs.
#include "ui/admin_login_dialog.h"

#include "ui/dialog_buttons.h"

#include <QFormLayout>
#include <QLabel>

namespace vemo {

AdminLoginDialog::AdminLoginDialog(Session& session, AdminTable table, QWidget* parent)
    : QDialog(parent), session_(session), table_(table) {
  const bool users = table == AdminTable::Users;
  setObjectName(users ? QStringLiteral("frmLogin2") : QStringLiteral("frmLogin3"));
  setWindowTitle(users ? QStringLiteral("用户管理登录") : QStringLiteral("登录用户确认数据表"));

  user_ = new QLineEdit(this);
  user_->setObjectName(QStringLiteral("txtUserName"));
  password_ = new QLineEdit(this);
  password_->setObjectName(QStringLiteral("txtPassword"));
  password_->setEchoMode(QLineEdit::Password);
  auto* form = new QFormLayout;
  form->addRow(new QLabel(QStringLiteral("用户名称(&U):"), this), user_);
  form->addRow(new QLabel(QStringLiteral("密码(&P):"), this), password_);

  const OkCancel buttons = add_ok_cancel(this, form);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  connect(ok_, &QPushButton::clicked, this, &AdminLoginDialog::on_ok);
  connect(cancel_, &QPushButton::clicked, this, &AdminLoginDialog::reject);
}

void AdminLoginDialog::showEvent(QShowEvent* event) {
  password_->clear();
  user_->setText(session_.user_name);
  QDialog::showEvent(event);
  raise();
  activateWindow();
}

void AdminLoginDialog::on_ok() {
  const DialogOutcome outcome = admin_log_in(session_, table_, user_->text(), password_->text());
  if (!outcome.succeeded) {
    password_->clear();
    session_.prompts->tell(outcome.message, outcome.title);
    password_->setFocus();
    password_->selectAll();
    return;
  }
  emit gridWanted(admin_grid_source(table_));
  LoginSucceeded = true;
  accept();
  password_->clear();
}

void AdminLoginDialog::reject() {
  LoginSucceeded = false;
  QDialog::reject();
}

}  // namespace vemo
