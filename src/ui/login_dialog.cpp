// The log-in dialog.
#include "ui/login_dialog.h"

#include "ui/scrolling_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vemo {
namespace {

const QString kDesignedUserName = QStringLiteral("tovu");
const QString kDefaultComputerName = QStringLiteral("localhost");

QLabel* caption(const QString& name, const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

LoginDialog::LoginDialog(Session& session, UserList& user_list, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint),
      session_(session),
      user_list_(user_list) {
  setObjectName(QStringLiteral("frmLogin"));
  setWindowTitle(kLoginTitle);

  txtUserName = new QComboBox(this);
  txtUserName->setObjectName(QStringLiteral("txtUserName"));
  txtUserName->setEditable(true);
  txtUserName->setInsertPolicy(QComboBox::NoInsert);
  txtUserName->setFont(QFont(QStringLiteral("宋体"), 12));
  txtPassword = new QLineEdit(this);
  txtPassword->setObjectName(QStringLiteral("txtPassword"));
  txtPassword->setEchoMode(QLineEdit::Password);
  cmdOK = new QPushButton(QStringLiteral("确定"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("取消"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  Check3 = new QCheckBox(QStringLiteral("网络运行"), this);
  Check3->setObjectName(QStringLiteral("Check3"));
  Text1 = new QLineEdit(kDefaultComputerName, this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text2 = new QLineEdit(QStringLiteral("vkr"), this);
  Text2->setObjectName(QStringLiteral("Text2"));
  CheckBox1 = new QCheckBox(this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  auto* label3 = new QLabel(QStringLiteral("密码:默认密码请向管理员索取"), this);
  label3->setObjectName(QStringLiteral("Label3"));

  auto* grid = new QGridLayout;
  grid->addWidget(
      caption(QStringLiteral("lblLabels0"), QStringLiteral("用户名称(&U):"), txtUserName, this), 0,
      0);
  grid->addWidget(txtUserName, 0, 1, 1, 2);
  grid->addWidget(
      caption(QStringLiteral("lblLabels1"), QStringLiteral("密码(&P):"), txtPassword, this), 1, 0);
  grid->addWidget(txtPassword, 1, 1, 1, 2);
  grid->addWidget(label3, 2, 1, 1, 2);
  grid->addWidget(Check3, 3, 0);
  grid->addWidget(caption(QStringLiteral("Label4"), QStringLiteral("计算机名"), Text1, this), 4, 0);
  grid->addWidget(Text1, 4, 1, 1, 2);
  grid->addWidget(caption(QStringLiteral("Label5"), QStringLiteral("数据库DSN"), Text2, this), 5,
                  0);
  grid->addWidget(Text2, 5, 1, 1, 2);
  grid->addWidget(CheckBox1, 6, 0, Qt::AlignRight);
  grid->addWidget(
      caption(QStringLiteral("Label6"), QStringLiteral("对数据库进行压缩"), CheckBox1, this), 6, 1,
      1, 2);
  grid->addWidget(cmdOK, 7, 1);
  grid->addWidget(cmdCancel, 7, 2);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 64, 16, 16);
  layout->addLayout(grid);
  setFixedSize(420, 330);

  Label1 = new ScrollingLabel(this);
  Label1->move(width() * 2 / 3, 10);

  connect(cmdOK, &QPushButton::clicked, this, &LoginDialog::log_in_clicked);
  connect(cmdCancel, &QPushButton::clicked, this, &LoginDialog::reject);
  connect(Check3, &QCheckBox::clicked, this, &LoginDialog::network_box_clicked);
  load_user_list();
}

void LoginDialog::load_user_list() {
  Label1->timer().stop();
  user_list_.load(session_.station_folder + QStringLiteral("/userlist.xlsx"));
  const QStringList names = user_list_.names();
  txtUserName->addItems(names);
  txtUserName->setEditText(user_list_.loaded() && !user_list_.first_name().isEmpty()
                               ? user_list_.first_name()
                               : kDesignedUserName);
  txtPassword->clear();
  Label1->timer().start();
  Check3->show();
  Text1->setEnabled(false);
  Text2->setEnabled(false);
  CheckBox1->setEnabled(true);
}

void LoginDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  txtPassword->setFocus();
}

void LoginDialog::network_box_clicked() {
  const bool on = Check3->isChecked();
  Text1->setEnabled(on);
  Text2->setEnabled(on);
  CheckBox1->setEnabled(!on);
}

void LoginDialog::log_in_clicked() {
  LoginInput input;
  input.user_name = txtUserName->currentText();
  input.password = txtPassword->text();
  input.network_mode = Check3->isChecked();
  input.compact = CheckBox1->isEnabled() && CheckBox1->isChecked();
  input.computer_name = Text1->text();
  input.dsn_name = Text2->text();
  Label1->timer().stop();
  const LoginOutcome outcome = log_in(session_, input);
  txtPassword->clear();
  LoginSucceeded = outcome.succeeded;
  if (!outcome.succeeded) {
    session_.prompts->tell(outcome.message, outcome.title);
    show();
    txtPassword->setFocus();
    txtPassword->selectAll();
    return;
  }
  // A new name joins the list once, after it has logged in.
  user_list_.note_typed_name(input.user_name);
  hide();
  emit logged_in(outcome);
}

void LoginDialog::reject() {
  LoginSucceeded = false;
  hide();
  emit cancelled();
}

}  // namespace vemo
