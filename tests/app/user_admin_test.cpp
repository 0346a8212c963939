// Passwords and the administrator log-ins on real database files, the grid's sources, and
// what closing the grid window does: the lists question and, in network mode, the users
// mirrored to a data service (a second database file standing in for the server).
#include "app/user_admin.h"

#include "app/login.h"
#include "data/connections.h"
#include "platform/connection.h"
#include "platform/scramble_layout.h"
#include "platform/sql_text.h"
#include "sheet/choice_list.h"
#include "support/db_helpers.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

const char* kUserSchema =
    "create table ws_gxq (bh integer primary key autoincrement, username text collate nocase, "
    "userright text collate nocase, fw_b1 text, fw_b2 text, fw_b3 text, fw_b4 text, mm text, "
    "bz text)";

using test::file_rows;

void run(const QString& path, const QStringList& statements) {
  Connection connection;
  ASSERT_TRUE(connection.open(path, OpenMode::CreateIfMissing));
  for (const QString& sql : statements) {
    ASSERT_TRUE(connection.execute(sql))
        << sql.toStdString() << ": " << connection.error_string().toStdString();
  }
}

// The data service of network mode on a database file of its own. Query gives an editable
// recordset whose writes reach the file at Update; SubmitChanges only counts.
class FileDataService final : public RdsFactory {
 public:
  explicit FileDataService(const QString& path) { connection_.open(path); }
  std::unique_ptr<Recordset> Query(const QString&, const QString& sql) override {
    ++queries;
    return connection_.open_recordset(sql);
  }
  bool SubmitChanges(const QString& dsn, Recordset&) override {
    submitted_to << dsn;
    return true;
  }
  int queries = 0;
  QStringList submitted_to;

 private:
  Connection connection_;
};

class UserAdminTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session.set_station_folder(dir.path());
    session.prompts = prompts;
    run(session.main_db_path,
        {kUserSchema,
         "insert into ws_gxq (username, userright, fw_b1, mm, bz) values "
         "('管理员', 'admin', 'ALL', 'a1', '本站'), ('张三', 'W', '货物运单,', 'w1', null), "
         "('李四', 'R', 'ALL', 'r1', null), ('abba', 'W', 'ALL', 'bb''8', null)",
         "create table qr_table (bh integer primary key autoincrement, ysth text, queren text, "
         "qr_ren text, qr_sj datetime)"});
    run(session.set_db_path,
        {"create table bb (bbm text, flag text, bh integer)",
         "create table 货物运单_pop (bh integer primary key autoincrement, popnr text, exceldz "
         "text)",
         "insert into 货物运单_pop (popnr, exceldz) values ('运输方式：,1.汽车,', 'B3')",
         "create table 运输货票_pop (bh integer primary key autoincrement, popnr text, exceldz "
         "text)",
         "insert into 运输货票_pop (popnr, exceldz) values ('运输方式：,9.旧,', 'C3')"});
    session.set_conn = open_connection(session, session.set_db_path);
    session.form1.TreeView1 = {{"货物运单", "货物运单"}, {"运输货票", "运输货票"}};
    session.user_name = "张三";
    session.user_scope = "货物运单,";
  }

  QString password_of(const QString& user) {
    return file_rows(session.main_db_path,
                     "select mm from ws_gxq where username=" + sql_quote(user))
        .value(0);
  }

  // Network mode with the data service on server.mdb, holding the users given.
  std::shared_ptr<FileDataService> go_online(const QStringList& user_rows) {
    const QString server = dir.file("server.mdb");
    QStringList statements{kUserSchema};
    for (const QString& row : user_rows) {
      statements << "insert into ws_gxq (username, userright, fw_b1, mm, bz) values (" + row + ")";
    }
    run(server, statements);
    auto service = std::make_shared<FileDataService>(server);
    session.check3 = true;
    session.rds_dsn = "DSN=vkr";
    session.make_rds_factory = [service](const QString&) { return service; };
    return service;
  }

  test::TempDir dir;
  Session session;
  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
};

TEST_F(UserAdminTest, ChangingAPasswordNeedsTheUsersOldPassword) {
  const struct {
    const char* user;
    const char* old_password;
    const char* result;
    const char* stored;  // the user's password afterwards
  } cases[] = {
      {"张三", "w1", "yes", "new"},              // one's own
      {"李四", "r1", "yes", "new"},              // another user's, with their old password
      {"管理员", "wrong", "exit", "a1"},         // wrong old password
      {"管理员", "A1", "exit", "a1"},            // the password compares exactly
      {"abba", "bb'8", "yes", "new"},            // a quote in the old password
      {"管理员", "x' or 'a'='a", "exit", "a1"},  // nor can a quote widen the filter
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.user);
    EXPECT_EQ(change_password(session, c.user, c.old_password, "new"), QString(c.result));
    EXPECT_EQ(password_of(c.user), QString::fromUtf8(c.stored));
  }
  // Nobody else's password moved, and the file stays scrambled on disk.
  EXPECT_EQ(password_of("管理员"), "a1");
  EXPECT_EQ(file_form(session.main_db_path), FileForm::Scrambled);
}

TEST_F(UserAdminTest, TheDialogsOutcomeAndMessages) {
  DialogOutcome mismatch = change_password_ok(session, "张三", "w1", "n1", "n2");
  EXPECT_FALSE(mismatch.succeeded);
  EXPECT_EQ(mismatch.message, kPasswordMismatch);
  EXPECT_EQ(mismatch.title, kPasswordTitle);
  EXPECT_EQ(password_of("张三"), "w1");

  DialogOutcome wrong = change_password_ok(session, "张三", "bad", "n1", "n1");
  EXPECT_FALSE(wrong.succeeded);
  EXPECT_EQ(wrong.message, kLoginRefused);
  EXPECT_EQ(wrong.title, kPasswordTitle);
  EXPECT_EQ(password_of("张三"), "w1");

  DialogOutcome done = change_password_ok(session, "张三", "w1", "n1", "n1");
  EXPECT_TRUE(done.succeeded);
  EXPECT_EQ(done.message, kPasswordChanged);
  EXPECT_EQ(done.title, kPasswordTitle);
  EXPECT_EQ(password_of("张三"), "n1");
  // The new password logs in.
  EXPECT_EQ(lookup_user_right(session, "张三", "n1"), "W");
}

TEST_F(UserAdminTest, AFailedWriteIsNotReportedAsSuccess) {
  run(session.main_db_path, {"create trigger no_change before update on ws_gxq begin "
                             "select raise(abort, 'read only'); end"});
  DialogOutcome outcome = change_password_ok(session, "张三", "w1", "n1", "n1");
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(outcome.message, kLoginRefused);
  EXPECT_EQ(password_of("张三"), "w1");
}

TEST_F(UserAdminTest, AdministratorLogInWantsTheAdminRightOrThePassPhrase) {
  const struct {
    const char* user;
    const char* password;
    bool opens;
  } cases[] = {
      {"管理员", "a1", true},  // right "admin" in lower case
      {"张三", "w1", false},   // a W user with the right password
      {"李四", "r1", false},        {"管理员", "bad", false},
      {"不存在", "KeLp591", true},  // the pass phrase in any case, any name
      {"x' or 'a'='a", "x", false},
  };
  for (const AdminTable table : {AdminTable::Users, AdminTable::Confirmations}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.user);
      const DialogOutcome outcome = admin_log_in(session, table, c.user, c.password);
      EXPECT_EQ(outcome.succeeded, c.opens);
      EXPECT_EQ(outcome.message, c.opens ? QString() : kLoginRefused);
      EXPECT_EQ(outcome.title, c.opens ? QString() : kLoginTitle);
    }
  }
  // The check changes neither who is signed in nor the documents they may open.
  EXPECT_EQ(session.user_name, "张三");
  EXPECT_EQ(session.user_scope, "货物运单,");
  EXPECT_EQ(session.dev_marker, kNormalMarker);
}

TEST_F(UserAdminTest, GridSources) {
  const GridSource users = admin_grid_source(AdminTable::Users);
  EXPECT_EQ(users.table, "ws_gxq");
  EXPECT_EQ(users.captions, QStringList({"bh", "用户名", "用户权限", "访问项目1", "访问项目2",
                                         "访问项目3", "访问项目4"}));
  EXPECT_EQ(users.hidden_columns, QList<int>{0});
  const GridSource confirmations = admin_grid_source(AdminTable::Confirmations);
  EXPECT_EQ(confirmations.table, "qr_table");
  EXPECT_EQ(confirmations.captions, QStringList({"bh", "运输托号", "确认", "用户名", "确认时间"}));
  EXPECT_EQ(confirmations.hidden_columns, QList<int>{0});

  session.Spreadsheet1.set_name("货物运单");
  const GridSource lists = common_settings_source(session);
  EXPECT_EQ(lists.table, "货物运单_pop");
  EXPECT_EQ(lists.hidden_columns, QList<int>{0});
  EXPECT_EQ(lists.width_fractions, (QList<double>{0.0, 0.7, 0.25}));
}

TEST_F(UserAdminTest, GridTablesComeFromWhereTheyAreRead) {
  session.Spreadsheet1.set_name("货物运单");
  auto lists = std::move(open_grid_table(session, "货物运单_pop").recordset);
  ASSERT_TRUE(lists->IsOpen());
  EXPECT_EQ(lists->Text("popnr"), "运输方式：,1.汽车,");
  // Also in network mode the users are edited in the local file.
  go_online({});
  GridTable grid = open_grid_table(session, "ws_gxq");
  auto& users = grid.recordset;
  ASSERT_TRUE(users->IsOpen());
  EXPECT_EQ(users->RecordCount(), 4);
}

TEST_F(UserAdminTest, OnlyThePagesPopUpTableAsksToUpdateAllLists) {
  session.Spreadsheet1.set_name("货物运单");
  on_grid_window_closed(session, "ws_gxq");
  on_grid_window_closed(session, "qr_table");
  on_grid_window_closed(session, "运输货票_pop");  // not the page's table
  EXPECT_TRUE(prompts->texts().isEmpty());

  prompts->push(PromptAnswer::Yes);
  on_grid_window_closed(session, "货物运单_pop");
  EXPECT_EQ(prompts->texts(), QStringList({kUpdateAllQuestion, kUpdateDone}));
  EXPECT_EQ(file_rows(session.set_db_path, "select popnr from 运输货票_pop"),
            QStringList{"运输方式：,1.汽车,"});
}

TEST_F(UserAdminTest, NetworkLogInBringsTheServicesUsersInByOrder) {
  auto service = go_online({"'甲', 'ADMIN', 'ALL', 's1', '服务端'", "'乙', 'W', 'ALL', 's2', ''",
                            "'丙', 'R', 'ALL', 's3', ''", "'丁', 'R', 'ALL', 's4', ''",
                            "'戊', 'R', 'ALL', 's5', ''"});
  ASSERT_TRUE(admin_log_in(session, AdminTable::Users, "甲", "s1").succeeded);
  // Rows paired by order: the four local rows are overwritten, a fifth is appended; the
  // last column (bz) is not copied.
  EXPECT_EQ(file_rows(session.main_db_path, "select username, mm, bz from ws_gxq order by bh"),
            QStringList({"甲|s1|本站", "乙|s2|", "丙|s3|", "丁|s4|", "戊|s5|"}));
  EXPECT_TRUE(service->submitted_to.isEmpty());

  // The confirmations table has no exchange.
  const int queries = service->queries;
  ASSERT_TRUE(admin_log_in(session, AdminTable::Confirmations, "甲", "s1").succeeded);
  EXPECT_EQ(service->queries, queries + 1);  // the look-up only
}

TEST_F(UserAdminTest, ClosingTheUserGridSendsTheUsersBackWithoutDeleting) {
  auto service = go_online({"'甲', 'ADMIN', 'ALL', 's1', ''", "'乙', 'W', 'ALL', 's2', ''",
                            "'丙', 'R', 'ALL', 's3', ''", "'丁', 'R', 'ALL', 's4', ''",
                            "'戊', 'R', 'ALL', 's5', '留'"});
  // Local: one user deleted, one password changed, one new user.
  run(session.main_db_path, {"delete from ws_gxq where username='李四'",
                             "update ws_gxq set mm='z9' where username='张三'"});
  on_grid_window_closed(session, "qr_table");
  EXPECT_TRUE(service->submitted_to.isEmpty());

  on_grid_window_closed(session, "ws_gxq");
  EXPECT_EQ(service->submitted_to, QStringList{"DSN=vkr"});
  EXPECT_EQ(file_rows(dir.file("server.mdb"), "select username, mm, bz from ws_gxq order by bh"),
            QStringList({"管理员|a1|", "张三|z9|", "abba|bb'8|", "丁|s4|", "戊|s5|留"}));
}

TEST_F(UserAdminTest, NetworkPasswordChangeGoesToTheService) {
  auto service = go_online({"'张三', 'W', 'ALL', 'remote', ''"});
  EXPECT_EQ(change_password(session, "张三", "w1", "x"), "exit");  // the local password
  EXPECT_EQ(change_password(session, "张三", "remote", "x"), "yes");
  EXPECT_EQ(file_rows(dir.file("server.mdb"), "select mm from ws_gxq"), QStringList{"x"});
  EXPECT_EQ(service->submitted_to, QStringList{"DSN=vkr"});
  EXPECT_EQ(password_of("张三"), "w1");
}

}  // namespace
}  // namespace vemo
