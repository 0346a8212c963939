// The desktop start: splash, log-in dialog, rights on the main window, re-login and exit.
#include "app/shutdown.h"
#include "data/connections.h"
#include "document/open_document.h"
#include "platform/connection.h"
#include "platform/view/grid_view.h"
#include "support/db_helpers.h"
#include "support/raw_db.h"
#include "ui/admin_login_dialog.h"
#include "ui/scrolling_label.h"
#include "ui/splash_window.h"
#include "ui/table_grid_window.h"
#include "ui_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>

namespace vemo::test {
namespace {

using FrameTest = FrameFixture;

TEST_F(FrameTest, SplashHandsOverToTheLogInAfterHalfASecond) {
  frame->start();
  SplashWindow* splash = frame->splash();
  ASSERT_TRUE(splash);
  EXPECT_EQ(splash->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("版本 2.1.138"));
  EXPECT_EQ(splash->findChild<QLabel*>("lblProductName")->text(),
            QStringLiteral("Vemo仓库物流管理系统"));
  EXPECT_EQ(splash->label1()->text(), QStringLiteral("欢迎使用Vemo仓库物流管理系统"));
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vemo仓库物料管理系统"));
  ASSERT_TRUE(frame->login());
  EXPECT_FALSE(frame->login()->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->login()->isVisible(); }, 2000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->splash() == nullptr; }, 1000));
}

TEST_F(FrameTest, KeyOrClickOnTheSplashGoesOnToTheLogIn) {
  for (bool key : {true, false}) {
    SCOPED_TRACE(key ? "key" : "click");
    frame = std::make_unique<FrameWindow>(folder());
    frame->start();
    if (key) {
      QTest::keyClick(frame->splash(), Qt::Key_A);
    } else {
      QTest::mouseClick(frame->splash()->findChild<QWidget*>("Frame1"), Qt::LeftButton);
    }
    EXPECT_TRUE(frame->login()->isVisible());
  }
}

TEST_F(FrameTest, WelcomeTextScrollsAndReentersOnTheRight) {
  frame->start();
  ScrollingLabel* label = frame->splash()->label1();
  label->timer().stop();
  const int width = frame->splash()->width();
  label->move(10, label->y());
  label->step();
  EXPECT_EQ(label->x(), 10 - width / 300);
  label->move(-label->width() - 1, label->y());
  label->step();
  EXPECT_EQ(label->x(), width - width / 300);
}

TEST_F(FrameTest, LogInDialogListsTheUsersAndTogglesTheNetworkFields) {
  start();
  LoginDialog* login = frame->login();
  EXPECT_EQ(login->windowTitle(), QStringLiteral("登录"));
  EXPECT_EQ(login->txtUserName->currentText(), kAdmin);
  EXPECT_GE(login->txtUserName->findText(kWriter), 0);
  EXPECT_FALSE(login->Text1->isEnabled());
  EXPECT_FALSE(login->Text2->isEnabled());
  EXPECT_EQ(login->Text2->text(), QStringLiteral("vkr"));
  EXPECT_TRUE(login->CheckBox1->isEnabled());
  login->Check3->click();
  EXPECT_TRUE(login->Text1->isEnabled());
  EXPECT_TRUE(login->Text2->isEnabled());
  EXPECT_FALSE(login->CheckBox1->isEnabled());
  login->Check3->click();
  EXPECT_TRUE(login->CheckBox1->isEnabled());
}

TEST_F(FrameTest, RightsDecideMenusAndBottomButtons) {
  const struct {
    QString user;
    QString password;
    QStringList enabled;
    QStringList disabled;
    QString marker;
  } cases[] = {
      {kAdmin, kAdminPassword, {"user_gl", "qr_mxb", "queren", "mm_xg"}, {"xs", "closedz"}, "vkrx"},
      {kWriter, kWriterPassword, {"queren", "mm_xg"}, {"user_gl", "qr_mxb"}, "vkrx"},
      {kReader, kReaderPassword, {"mm_xg", "SAVE_p"}, {"user_gl", "qr_mxb", "queren"}, "vkrx"},
      {"陌生人", "KeLp591", {"user_gl", "qr_mxb", "queren"}, {}, "vkr"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.user.toStdString());
    frame = std::make_unique<FrameWindow>(folder());
    frame->session().prompts = prompts;
    MainWindow* form1 = start_and_log_in(c.user, c.password);
    ASSERT_TRUE(form1);
    EXPECT_EQ(session().dev_marker, c.marker);
    for (const QString& item : c.enabled) EXPECT_TRUE(form1->menu_item(item)->isEnabled()) << item;
    for (const QString& item : c.disabled)
      EXPECT_FALSE(form1->menu_item(item)->isEnabled()) << item;
    // Printing comes later; the confirmation button follows its menu item.
    EXPECT_FALSE(form1->menu_item("preprint")->isEnabled());
    EXPECT_FALSE(form1->CommandButtons[4]->isEnabled());
    EXPECT_FALSE(form1->CommandButtons[5]->isEnabled());
    EXPECT_EQ(form1->CommandButtons[6]->isEnabled(), form1->menu_item("queren")->isEnabled());
    EXPECT_TRUE(form1->CommandButtons[1]->isEnabled());
  }
  EXPECT_TRUE(prompts->shown().empty());
}

TEST_F(FrameTest, RefusedLogInShowsTheMessageAndKeepsTheDialog) {
  start();
  log_in(kWriter, QStringLiteral("wrong"));
  ASSERT_EQ(prompts->shown().size(), 1u);
  EXPECT_EQ(prompts->shown()[0].text, QStringLiteral("无效的密码，请重试!"));
  EXPECT_EQ(prompts->shown()[0].title, QStringLiteral("登录"));
  EXPECT_FALSE(frame->form1());
  EXPECT_TRUE(frame->login()->isVisible());
  EXPECT_FALSE(frame->login()->LoginSucceeded);
  EXPECT_TRUE(frame->login()->txtPassword->text().isEmpty());
  // The same dialog lets the user try again.
  log_in(kWriter, kWriterPassword);
  EXPECT_TRUE(frame->form1());
}

TEST_F(FrameTest, NewUserNameJoinsTheListOnceAfterLoggingIn) {
  start();
  LoginDialog* login = frame->login();
  for (const char* typed : {"陌", "陌生", "陌生人"}) login->txtUserName->setEditText(typed);
  UserList before;
  before.load(folder() + "/userlist.xlsx");
  EXPECT_FALSE(before.names().contains("陌生"));
  log_in(QStringLiteral("陌生人"), QStringLiteral("kelp591"));
  UserList after;
  after.load(folder() + "/userlist.xlsx");
  EXPECT_EQ(after.names().count("陌生人"), 1);
  EXPECT_FALSE(after.names().contains("陌生"));
}

TEST_F(FrameTest, TreeFollowsTheCatalogAndThePageShowsTheWaybill) {
  MainWindow* form1 = start_and_log_in(kWriter, kWriterPassword);
  ASSERT_TRUE(form1);
  Connection settings;
  ASSERT_TRUE(settings.open(session().set_db_path));
  const QStringList rows = query_rows(settings, "select bbm, lx from bb order by bh");
  settings.close();
  ASSERT_EQ(form1->TreeView1->topLevelItemCount(), rows.size());
  for (int i = 0; i < rows.size(); ++i) {
    const QStringList row = rows[i].split('|');
    QTreeWidgetItem* item = form1->TreeView1->topLevelItem(i);
    EXPECT_EQ(item->text(0), row[0]);
    const QString key = item->data(0, Qt::UserRole).toString();
    EXPECT_EQ(key, row[1].toLower() == "a" ? row[0] : QString()) << row[0];
  }
  EXPECT_EQ(session().Spreadsheet1.name(), QStringLiteral("货物运单"));
  EXPECT_EQ(session().start_station, QStringLiteral("成都"));
  EXPECT_TRUE(session().main_conn.is_open());
  EXPECT_TRUE(session().set_conn.is_open());
  EXPECT_FALSE(form1->menu_item("xs")->isEnabled());
  EXPECT_TRUE(form1->menu_item("yc")->isEnabled());

  // A click on a node opens its page.
  QTreeWidgetItem* ticket =
      form1->TreeView1->findItems(QStringLiteral("运输货票"), Qt::MatchExactly).value(0);
  ASSERT_TRUE(ticket);
  QTest::mouseClick(form1->TreeView1->viewport(), Qt::LeftButton, {},
                    form1->TreeView1->visualItemRect(ticket).center());
  EXPECT_EQ(session().Spreadsheet1.name(), QStringLiteral("运输货票"));
}

TEST_F(FrameTest, HideAndShowReturnTheExactGeometry) {
  MainWindow* form1 = start_and_log_in(kWriter, kWriterPassword);
  ASSERT_TRUE(form1);
  const QRect page = form1->Spreadsheet1->geometry();
  const QRect tree = form1->TreeView1->geometry();
  const QRect save_box = form1->Check2->geometry();

  form1->run_menu_item("yc");
  EXPECT_FALSE(form1->TreeView1->isVisible());
  EXPECT_FALSE(form1->Command5->isVisible());
  EXPECT_EQ(form1->Spreadsheet1->geometry().left(), page.left() - tree.width());
  EXPECT_TRUE(form1->menu_item("xs")->isEnabled());
  EXPECT_FALSE(form1->menu_item("yc")->isEnabled());
  form1->run_menu_item("xs");
  EXPECT_EQ(form1->Spreadsheet1->geometry(), page);
  EXPECT_TRUE(form1->TreeView1->isVisible());

  // Command5 hides the tree as 隐藏 does.
  form1->Command5->click();
  EXPECT_FALSE(form1->TreeView1->isVisible());
  form1->run_menu_item("xs");

  form1->run_menu_item("db_yc");
  EXPECT_FALSE(form1->Check2->isVisible());
  for (QPushButton* button : form1->CommandButtons) EXPECT_FALSE(button->isVisible());
  EXPECT_EQ(form1->Spreadsheet1->height(), page.height() + 500 / 15);
  EXPECT_EQ(form1->TreeView1->height(), form1->Spreadsheet1->height());
  form1->run_menu_item("db_xs");
  EXPECT_EQ(form1->Spreadsheet1->geometry(), page);
  EXPECT_EQ(form1->Check2->geometry(), save_box);
  for (QPushButton* button : form1->CommandButtons) EXPECT_TRUE(button->isVisible());
}

TEST_F(FrameTest, ReloginAsksNothingAndRebuildsTreeAndPage) {
  MainWindow* form1 = start_and_log_in(kAdmin, kAdminPassword);
  ASSERT_TRUE(form1);
  const int nodes = form1->TreeView1->topLevelItemCount();
  ASSERT_TRUE(open_document(session(), QStringLiteral("运输货票")));
  form1->run_menu_item("cxdl");
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->form1(); }, 2000));
  EXPECT_TRUE(prompts->shown().empty());
  EXPECT_TRUE(session().user_scope.isEmpty());
  EXPECT_TRUE(session().user_right.isEmpty());
  EXPECT_TRUE(session().relogin_marker.isEmpty());
  start();
  log_in(kWriter, kWriterPassword);
  ASSERT_TRUE(frame->form1());
  EXPECT_TRUE(prompts->shown().empty());
  EXPECT_EQ(frame->form1()->TreeView1->topLevelItemCount(), nodes);
  EXPECT_EQ(session().Spreadsheet1.name(), QStringLiteral("货物运单"));
  EXPECT_EQ(session().user_name, kWriter);
  EXPECT_FALSE(frame->form1()->menu_item("user_gl")->isEnabled());
}

TEST_F(FrameTest, ExitAsksTwiceAndFiveBackupsKeepTheFourNewest) {
  MainWindow* form1 = start_and_log_in(kWriter, kWriterPassword);
  ASSERT_TRUE(form1);
  // No: the window stays.
  prompts->push(PromptAnswer::No);
  EXPECT_FALSE(form1->close());
  EXPECT_EQ(prompts->texts(), QStringList{"你确定要退出？ "});
  EXPECT_EQ(prompts->shown()[0].title, QStringLiteral("退出"));
  prompts->clear_shown();

  QList<QByteArray> states;
  for (int exit = 1; exit <= 5; ++exit) {
    {
      // Each generation differs from the one before.
      Connection main;
      ASSERT_TRUE(main.open(session().main_db_path));
      run_statements(main, {QStringLiteral("insert into ws_gxq (username, mm, userright) values "
                                           "('备份%1', 'x', 'R')")
                                .arg(exit)});
    }
    states.prepend(file_bytes(session().main_db_path));
    form1->show();
    prompts->push(PromptAnswer::Yes);
    prompts->push(PromptAnswer::Yes);
    EXPECT_TRUE(form1->close());
    EXPECT_EQ(prompts->texts(), (QStringList{"你确定要退出？ ", "是否需要备份？ "}));
    EXPECT_EQ(prompts->shown()[1].title, QStringLiteral("备份"));
    prompts->clear_shown();
  }
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(file_bytes(backup_path(session(), n)), states[n - 1]) << n;
  }
  EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/澜川5.mdb")));
}

TEST_F(FrameTest, ClosingTheFrameAsksTheSameQuestions) {
  ASSERT_TRUE(start_and_log_in(kWriter, kWriterPassword));
  prompts->push(PromptAnswer::No);
  EXPECT_FALSE(frame->close());
  prompts->push(PromptAnswer::Yes);
  prompts->push(PromptAnswer::Yes);
  EXPECT_TRUE(frame->close());
  EXPECT_EQ(prompts->texts(),
            (QStringList{"你确定要退出？ ", "你确定要退出？ ", "是否需要备份？ "}));
  EXPECT_TRUE(QFile::exists(backup_path(session(), 1)));
}

TEST_F(FrameTest, AboutBoxClosesOnAKeyWithoutLoggingIn) {
  MainWindow* form1 = start_and_log_in(kWriter, kWriterPassword);
  ASSERT_TRUE(form1);
  session().logo_x = 1;
  form1->run_menu_item("about");
  auto* about = frame->findChild<SplashWindow*>();
  ASSERT_TRUE(about);
  EXPECT_EQ(about->mode(), SplashWindow::Mode::About);
  EXPECT_EQ(session().logo_x, 600);
  EXPECT_FALSE(about->timer1().isActive());
  QTest::keyClick(about, Qt::Key_Escape);
  EXPECT_FALSE(frame->login()->isVisible());
  EXPECT_TRUE(form1->isVisible());
}

TEST_F(FrameTest, UserAdministrationIsRefusedToAWriterAndOpensWithThePassPhrase) {
  MainWindow* form1 = start_and_log_in(kAdmin, kAdminPassword);
  ASSERT_TRUE(form1);
  form1->run_menu_item("user_gl");
  auto* dialog = frame->findChild<AdminLoginDialog*>("frmLogin2");
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->txtUserName()->text(), kAdmin);
  dialog->txtUserName()->setText(kWriter);
  dialog->txtPassword()->setText(kWriterPassword);
  dialog->findChild<QPushButton*>("cmdOK")->click();
  EXPECT_EQ(prompts->texts(), QStringList{"无效的密码，请重试!"});
  EXPECT_FALSE(frame->findChild<QWidget*>("user_table"));

  dialog->txtPassword()->setText(QStringLiteral("KELP591"));
  dialog->findChild<QPushButton*>("cmdOK")->click();
  auto* grid = frame->findChild<QWidget*>("user_table");
  ASSERT_TRUE(grid);
  EXPECT_TRUE(grid->isVisible());
  auto* table = grid->findChild<QTableView*>("DataGrid1");
  ASSERT_TRUE(table);
  EXPECT_EQ(table->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("用户名"));
  EXPECT_GE(table->model()->rowCount(), 3);
}

TEST_F(FrameTest, ABackupChosenInList2ReplacesTheMainDatabase) {
  MainWindow* form1 = start_and_log_in(kAdmin, kAdminPassword);
  ASSERT_TRUE(form1);
  ASSERT_TRUE(backup_main_db(session()).isEmpty());
  const QByteArray saved = file_bytes(backup_path(session(), 1));
  auto rows_named = [&](const QString& name) {
    return open_query(session(), session().main_conn,
                      "select * from ws_gxq where username='" + name + "'")
        ->RecordCount();
  };
  ASSERT_TRUE(
      execute_sql(session(), session().main_conn,
                  "insert into ws_gxq (username, mm, userright) values ('新来', 'x', 'R')"));
  ASSERT_EQ(rows_named("新来"), 1);

  form1->run_menu_item("setbak");
  ASSERT_TRUE(form1->List2->isVisible());
  ASSERT_EQ(form1->List2->count(), 1);
  QListWidgetItem* item = form1->List2->item(0);
  EXPECT_TRUE(item->text().endsWith('1'));

  // No changes nothing.
  prompts->push(PromptAnswer::No);
  QTest::mouseClick(form1->List2->viewport(), Qt::LeftButton, {},
                    form1->List2->visualItemRect(item).center());
  EXPECT_FALSE(form1->List2->isVisible());
  EXPECT_EQ(rows_named("新来"), 1);

  form1->run_menu_item("setbak");
  prompts->push(PromptAnswer::Yes);
  item = form1->List2->item(0);
  QTest::mouseClick(form1->List2->viewport(), Qt::LeftButton, {},
                    form1->List2->visualItemRect(item).center());
  ASSERT_EQ(prompts->shown().size(), 2u);
  EXPECT_EQ(prompts->shown()[1].text, "你确定选择 " + item->text() + "？");
  EXPECT_EQ(prompts->shown()[1].title, QStringLiteral("选择"));
  EXPECT_FALSE(form1->List2->isVisible());
  EXPECT_EQ(file_bytes(session().main_db_path), saved);
  // The reopened connection reads the restored file.
  EXPECT_EQ(rows_named("新来"), 0);
  EXPECT_EQ(rows_named(kWriter), 1);
}

TEST_F(FrameTest, SettingsMenuOpensItsWindowsAndTheTreePopsItUp) {
  MainWindow* form1 = start_and_log_in(kWriter, kWriterPassword);
  ASSERT_TRUE(form1);
  emit form1->TreeView1->customContextMenuRequested(QPoint(10, 10));
  EXPECT_TRUE(QTest::qWaitFor([&] { return form1->menu("setx")->isVisible(); }, 1000));
  form1->menu("setx")->hide();

  form1->run_menu_item("normal_set");
  auto* grid = frame->findChild<TableGridWindow*>("user_table");
  ASSERT_TRUE(grid);
  EXPECT_EQ(grid->source().table, QStringLiteral("货物运单_pop"));
  grid->close();

  form1->run_menu_item("fz_set");
  EXPECT_TRUE(frame->findChild<QDialog*>("Dialog"));
  form1->run_menu_item("mm_xg");
  EXPECT_TRUE(frame->findChild<QDialog*>("frmLogin1"));
}

}  // namespace
}  // namespace vemo::test
