// The password dialog.
#include "ui/password_dialog.h"

#include "ui/dialog_buttons.h"

#include "app/user_admin.h"

#include <QFormLayout>
#include <QLabel>

namespace vemo {

PasswordDialog::PasswordDialog(Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("frmLogin1"));
  setWindowTitle(kPasswordTitle);

  user_ = new QLineEdit(this);
  user_->setObjectName(QStringLiteral("txtUserName"));
  auto* form = new QFormLayout;
  form->addRow(new QLabel(QStringLiteral("用户名称(&U):"), this), user_);
  const char* labels[] = {"原密码(&P):", "新密码(&P):", "确认新密码(&P):"};
  for (int i = 0; i < 3; ++i) {
    passwords_[i] = new QLineEdit(this);
    passwords_[i]->setObjectName(QStringLiteral("txtPassword(%1)").arg(i));
    passwords_[i]->setEchoMode(QLineEdit::Password);
    auto* label = new QLabel(QString::fromUtf8(labels[i]), this);
    label->setBuddy(passwords_[i]);
    form->addRow(label, passwords_[i]);
  }

  const OkCancel buttons = add_ok_cancel(this, form);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  connect(ok_, &QPushButton::clicked, this, &PasswordDialog::on_ok);
  connect(cancel_, &QPushButton::clicked, this, &PasswordDialog::reject);
}

void PasswordDialog::showEvent(QShowEvent* event) {
  for (QLineEdit* box : passwords_) box->clear();
  user_->setText(session_.user_name);
  if (QWidget* main = parentWidget()) {
    move(main->mapToGlobal(QPoint(int(0.3 * main->width()), int(0.3 * main->height()))));
  }
  QDialog::showEvent(event);
}

void PasswordDialog::on_ok() {
  QLineEdit* old_box = passwords_[0];
  const DialogOutcome outcome = change_password_ok(session_, user_->text(), old_box->text(),
                                                   passwords_[1]->text(), passwords_[2]->text());
  session_.prompts->tell(outcome.message, outcome.title);
  if (outcome.succeeded) {
    LoginSucceeded = true;
    old_box->clear();
    accept();
    return;
  }
  old_box->setFocus();
  old_box->selectAll();
  // Mismatched new passwords leave the old one to be corrected; a refused one is gone.
  if (outcome.message != kPasswordMismatch) old_box->clear();
}

void PasswordDialog::reject() {
  LoginSucceeded = false;
  QDialog::reject();
}

}  // namespace vemo
