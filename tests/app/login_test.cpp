// The log-in against a real user table: rights, developer mode, scope, refusals.
#include "app/login.h"
#include "data/scramble.h"
#include "platform/connection.h"
#include "platform/scramble_layout.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

class LoginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session.set_station_folder(dir.path());
    Connection main;
    ASSERT_TRUE(main.open(session.main_db_path, OpenMode::CreateIfMissing));
    ASSERT_TRUE(main.execute(
        "create table ws_gxq (username text collate nocase, mm text, userright text collate "
        "nocase, fw_b1 text, fw_b2 text, fw_b3 text)"));
    const char* rows[] = {
        "insert into ws_gxq values ('管理员', 'a1', 'admin', 'ALL', '', '')",
        "insert into ws_gxq values ('开发', 't1', 'tq', 'ALL', '', '')",
        "insert into ws_gxq values ('张三', 'w1', 'W', '货物运单,', null, null)",
        "insert into ws_gxq values ('李四', 'r1', 'r', '货物运单,', '运输货票,', '入库单,')",
        "insert into ws_gxq values ('王五', 'x1', 'guest', 'ALL', '', '')",
        "insert into ws_gxq values ('赵六', 'n1', 'W', null, '运输货票,', null)",
        "insert into ws_gxq values ('abba', 'bb''8', 'W', 'ALL', '', '')",
    };
    for (const char* sql : rows) ASSERT_TRUE(main.execute(QString::fromUtf8(sql))) << sql;
    main.close();
    Connection settings;
    ASSERT_TRUE(settings.open(session.set_db_path, OpenMode::CreateIfMissing));
    ASSERT_TRUE(settings.execute("create table bb (bbm text, flag text, bh integer)"));
    settings.close();
  }

  LoginOutcome log_in_as(const char* user, const char* password) {
    LoginInput input;
    input.user_name = QString::fromUtf8(user);
    input.password = QString::fromUtf8(password);
    return log_in(session, input);
  }

  test::TempDir dir;
  Session session;
};

TEST_F(LoginTest, RolesGiveRightsMarkersAndMenus) {
  const struct {
    const char* user;
    const char* password;
    bool succeeded;
    const char* right;
    const char* marker;
    const char* role;
    QStringList enabled;
    QStringList disabled;
  } cases[] = {
      {"管理员", "a1", true, "W", "vkrx", "admin", {"user_gl", "qr_mxb"}, {}},
      {"开发", "t1", true, "W", "vkr", "tq", {"user_gl", "qr_mxb"}, {}},
      {"张三", "w1", true, "W", "vkrx", "W", {}, {"user_gl", "qr_mxb"}},
      {"李四",
       "r1",
       true,
       "R",
       "vkrx",
       "r",
       {},
       {"user_gl", "preprint", "pj_print", "qr_mxb", "queren"}},
      {"王五", "x1", false, "R", "vkrx", "guest", {}, {}},
      {"张三", "wrong", false, "R", "vkrx", "exit", {}, {}},
      {"任何人", "KeLp591", true, "W", "vkr", "ADMIN", {"user_gl", "qr_mxb"}, {}},
      {"张三", "x' or 'a'='a", false, "R", "vkrx", "exit", {}, {}},
      {"abba", "bb'8", true, "W", "vkrx", "W", {}, {"user_gl", "qr_mxb"}},
  };
  for (const auto& c : cases) {
    const LoginOutcome outcome = log_in_as(c.user, c.password);
    SCOPED_TRACE(c.user);
    EXPECT_EQ(outcome.succeeded, c.succeeded);
    EXPECT_EQ(session.user_right, QString(c.right));
    EXPECT_EQ(session.dev_marker, QString(c.marker));
    EXPECT_EQ(session.user_role, QString::fromUtf8(c.role));
    EXPECT_EQ(outcome.menus_enabled, c.enabled);
    EXPECT_EQ(outcome.menus_disabled, c.disabled);
    EXPECT_EQ(outcome.message, c.succeeded ? QString() : kLoginRefused);
    EXPECT_EQ(session.user_name, QString::fromUtf8(c.user));
  }
}

TEST_F(LoginTest, ScopeJoinsThreeColumnsOnlyWhenNoneIsNull) {
  log_in_as("李四", "r1");
  EXPECT_EQ(session.user_scope, QString::fromUtf8("货物运单,运输货票,入库单,"));
  log_in_as("张三", "w1");
  EXPECT_EQ(session.user_scope, QString::fromUtf8("货物运单,"));
  log_in_as("赵六", "n1");  // null fw_b1 keeps the scope from before
  EXPECT_EQ(session.user_scope, QString::fromUtf8("货物运单,"));
  log_in_as("张三", "bad");
  EXPECT_EQ(session.user_scope, QString::fromUtf8("货物运单,"));
}

TEST_F(LoginTest, FilesFollowTheModeOfTheLogIn) {
  ASSERT_TRUE(log_in_as("张三", "w1").succeeded);
  EXPECT_EQ(file_form(session.main_db_path), FileForm::Scrambled);
  EXPECT_EQ(file_form(session.set_db_path), FileForm::Scrambled);
  ASSERT_TRUE(log_in_as("x", "kelp591").succeeded);
  EXPECT_EQ(file_form(session.main_db_path), FileForm::Plain);
  EXPECT_EQ(file_form(session.set_db_path), FileForm::Plain);
  // A normal log-in after a developer one scrambles both again and still reads the users.
  ASSERT_TRUE(log_in_as("管理员", "a1").succeeded);
  EXPECT_EQ(file_form(session.main_db_path), FileForm::Scrambled);
}

TEST_F(LoginTest, MissingMainDatabaseRefusesAllButThePassPhrase) {
  session.main_db_path = dir.file("missing.mdb");
  EXPECT_FALSE(log_in_as("张三", "w1").succeeded);
  EXPECT_TRUE(log_in_as("张三", "KELP591").succeeded);
  EXPECT_FALSE(QFile::exists(dir.file("missing.mdb")));
}

}  // namespace
}  // namespace vemo
