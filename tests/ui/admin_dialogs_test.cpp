// The password and administrator log-in dialogs on real widgets over a station's user table.
#include "ui/admin_login_dialog.h"
#include "ui/password_dialog.h"
#include "ui/station_windows.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace vemo::test {
namespace {

void click(QWidget* parent, const char* button) {
  QPushButton* found = parent->findChild<QPushButton*>(button);
  ASSERT_NE(found, nullptr) << button;
  QTest::mouseClick(found, Qt::LeftButton);
}

class PasswordDialogTest : public StationWindows {
 protected:
  void SetUp() override {
    StationWindows::SetUp();
    session.user_name = "张丽";
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  void type(const char* old_password, const char* new_password, const char* confirmation) {
    dialog.txtPassword(0)->setText(QString::fromUtf8(old_password));
    dialog.txtPassword(1)->setText(QString::fromUtf8(new_password));
    dialog.txtPassword(2)->setText(QString::fromUtf8(confirmation));
  }
  QLineEdit* old_box() const { return dialog.txtPassword(0); }

  PasswordDialog dialog{session};
};

TEST_F(PasswordDialogTest, OpensForTheSignedInUserWithHiddenEmptyPasswords) {
  EXPECT_EQ(dialog.objectName(), "frmLogin1");
  EXPECT_EQ(dialog.windowTitle(), "修改密码");
  EXPECT_EQ(dialog.findChild<QLineEdit*>("txtUserName")->text(), "张丽");
  for (const char* name : {"txtPassword(0)", "txtPassword(1)", "txtPassword(2)"}) {
    QLineEdit* box = dialog.findChild<QLineEdit*>(name);
    ASSERT_NE(box, nullptr) << name;
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(box->text().isEmpty());
  }
  EXPECT_TRUE(dialog.findChild<QPushButton*>("cmdOK")->isDefault());
}

TEST_F(PasswordDialogTest, ChangesThePasswordInTheDatabaseFile) {
  type("zl2026", "新密码9", "新密码9");
  QTest::keyClick(old_box(), Qt::Key_Return);  // 确定 is the default button
  EXPECT_EQ(prompts->texts(), QStringList{"修改成功"});
  EXPECT_EQ(prompts->shown().at(0).title, "修改密码");
  EXPECT_TRUE(dialog.LoginSucceeded);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(old_box()->text().isEmpty());
  EXPECT_EQ(password_of("张丽"), "新密码9");
  EXPECT_EQ(password_of("admin"), "admin2026");
}

TEST_F(PasswordDialogTest, AnotherUsersPasswordChangesWithTheirOldPassword) {
  dialog.txtUserName()->setText("王强");
  type("wq2026", "x1", "x1");
  click(&dialog, "cmdOK");
  EXPECT_EQ(password_of("王强"), "x1");
  EXPECT_EQ(password_of("张丽"), "zl2026");
}

TEST_F(PasswordDialogTest, AWrongOldPasswordIsRefusedAndCleared) {
  type("bad", "x1", "x1");
  click(&dialog, "cmdOK");
  EXPECT_EQ(prompts->texts(), QStringList{"无效的密码，请重试!"});
  EXPECT_EQ(prompts->shown().at(0).title, "修改密码");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.LoginSucceeded);
  EXPECT_TRUE(old_box()->text().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), old_box());
  EXPECT_EQ(password_of("张丽"), "zl2026");
}

TEST_F(PasswordDialogTest, MismatchedNewPasswordsStoreNothing) {
  type("zl2026", "x1", "x2");
  click(&dialog, "cmdOK");
  EXPECT_EQ(prompts->texts(), QStringList{"输入密码不一致，请重试!"});
  EXPECT_EQ(prompts->shown().at(0).title, "修改密码");
  EXPECT_TRUE(dialog.isVisible());
  // The old password stays, selected, to be typed over.
  EXPECT_EQ(QApplication::focusWidget(), old_box());
  EXPECT_EQ(old_box()->selectedText(), "zl2026");
  EXPECT_EQ(password_of("张丽"), "zl2026");
}

TEST_F(PasswordDialogTest, CancelStoresNothing) {
  type("zl2026", "x1", "x1");
  click(&dialog, "cmdCancel");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.LoginSucceeded);
  EXPECT_EQ(password_of("张丽"), "zl2026");
  EXPECT_TRUE(prompts->texts().isEmpty());
}

class AdminDialogTest : public StationWindows {
 protected:
  // Opens the dialog, logs in with the texts given and says which table the grid wants.
  QStringList log_in_to(AdminLoginDialog& dialog, const char* user, const char* password) {
    QStringList tables;
    QObject::connect(&dialog, &AdminLoginDialog::gridWanted,
                     [&tables](const GridSource& source) { tables << source.table; });
    if (!dialog.isVisible()) dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.txtUserName()->setText(QString::fromUtf8(user));
    dialog.txtPassword()->setText(QString::fromUtf8(password));
    click(&dialog, "cmdOK");
    return tables;
  }
};

TEST_F(AdminDialogTest, AWriterIsRefusedWithTheirRightPassword) {
  session.user_name = "张丽";
  for (AdminTable table : {AdminTable::Users, AdminTable::Confirmations}) {
    AdminLoginDialog dialog(session, table);
    prompts->clear_shown();
    EXPECT_TRUE(log_in_to(dialog, "张丽", "zl2026").isEmpty());
    EXPECT_EQ(prompts->texts(), QStringList{"无效的密码，请重试!"});
    EXPECT_EQ(prompts->shown().at(0).title, "登录");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.LoginSucceeded);
    EXPECT_TRUE(dialog.txtPassword()->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), dialog.txtPassword());
  }
}

TEST_F(AdminDialogTest, ThePassPhraseOpensTheGridForAnyName) {
  session.user_name = "张丽";
  AdminLoginDialog users(session, AdminTable::Users);
  users.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&users));
  EXPECT_EQ(users.objectName(), "frmLogin2");
  EXPECT_EQ(users.windowTitle(), "用户管理登录");
  EXPECT_EQ(users.txtUserName()->text(), "张丽");  // filled with the signed-in user
  EXPECT_EQ(log_in_to(users, "谁都行", "KELP591"), QStringList{"ws_gxq"});
  EXPECT_TRUE(users.LoginSucceeded);
  EXPECT_FALSE(users.isVisible());
  EXPECT_TRUE(users.txtPassword()->text().isEmpty());

  AdminLoginDialog confirmations(session, AdminTable::Confirmations);
  EXPECT_EQ(confirmations.objectName(), "frmLogin3");
  EXPECT_EQ(confirmations.windowTitle(), "登录用户确认数据表");
  EXPECT_EQ(log_in_to(confirmations, "admin", "admin2026"), QStringList{"qr_table"});
  EXPECT_TRUE(prompts->texts().isEmpty());
}

TEST_F(AdminDialogTest, CancelClearsTheFlag) {
  AdminLoginDialog dialog(session, AdminTable::Users);
  log_in_to(dialog, "admin", "admin2026");
  ASSERT_TRUE(dialog.LoginSucceeded);
  dialog.show();
  EXPECT_TRUE(dialog.txtPassword()->text().isEmpty());
  click(&dialog, "cmdCancel");
  EXPECT_FALSE(dialog.LoginSucceeded);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace vemo::test
