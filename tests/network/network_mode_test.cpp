// Network mode end to end: a demo station served into a real PostgreSQL server with
// vemo-cli serve, then a log-in with 网络运行 and a waybill saved page by page.
#include "app/login.h"
#include "app/user_list.h"
#include "data/connections.h"
#include "data/pg_rds_factory.h"
#include "document/open_document.h"
#include "document/page_save.h"
#include "pg_server.h"
#include "platform/connection.h"
#include "platform/recordset.h"
#include "platform/sheet_events.h"
#include "sheet/choice_list.h"
#include "sheet/page_events.h"
#include "station/station_builder.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace vemo {
namespace {

const QString kDatabase = QStringLiteral("station");

// Rows of a statement, columns joined with '|'.
QStringList rows_of(Recordset& rs) {
  QStringList result;
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    QStringList fields;
    for (int i = 0; i < rs.FieldCount(); ++i) fields << rs.Text(i);
    result << fields.join('|');
  }
  return result;
}

class NetworkModeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (test::PgServer::binaries_missing()) return;
    server_ = std::make_unique<test::PgServer>();
    if (!server_->ok() || !server_->create_database(kDatabase)) return;
    StationSetup setup;
    setup.demo_waybills = 4;
    QString error;
    if (!build_station(folder(), setup, &error)) ADD_FAILURE() << error.toStdString();
  }
  static void TearDownTestSuite() {
    server_.reset();
    dir_.reset();
  }

  void SetUp() override {
    if (test::PgServer::binaries_missing()) {
      GTEST_SKIP() << "PostgreSQL 15 binaries (initdb, pg_ctl) are not installed";
    }
    ASSERT_TRUE(server_->ok()) << server_->why().toStdString();
  }

  static QString folder() { return dir_->filePath(QStringLiteral("station")); }

  // Runs vemo-cli serve on the demo station; the exit status, output in *text.
  static int serve(const QStringList& extra, QString* text) {
    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(
        VEMO_CLI,
        QStringList{"serve", folder(), "--host", server_->socket_dir(), "--db", kDatabase} + extra);
    cli.waitForFinished(60000);
    *text = QString::fromUtf8(cli.readAll());
    return cli.exitCode();
  }

  static QStringList server_rows(const QString& sql) {
    PgRdsFactory factory("http://" + server_->socket_dir());
    auto rs = factory.Query("DSN=" + kDatabase, sql);
    return rows_of(*rs);
  }

  static QStringList local_rows(const QString& sql) {
    Connection connection;
    if (!connection.open(folder() + '/' + kMainDbName)) return {"cannot open"};
    auto rs = connection.open_recordset(sql);
    return rows_of(*rs);
  }

  static inline std::unique_ptr<QTemporaryDir> dir_ = std::make_unique<QTemporaryDir>();
  static inline std::unique_ptr<test::PgServer> server_;
};

TEST_F(NetworkModeTest, ServeCopiesTheStationAndALogInWorksOnTheServer) {
  QString text;
  // Only an administrator sets up the server.
  EXPECT_NE(serve({"--user", QStringLiteral("张丽"), "--password", "zl2026"}, &text), 0);
  EXPECT_TRUE(text.contains(QStringLiteral("管理员"))) << text.toStdString();
  ASSERT_EQ(serve({"--user", "admin", "--password", "admin2026"}, &text), 0) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("服务器数据库已建立"))) << text.toStdString();
  const QStringList waybills = local_rows("select ysth, tyrq, hjje from yswtd1 order by ysth");
  ASSERT_FALSE(waybills.isEmpty());
  EXPECT_EQ(server_rows("select ysth, tyrq, hjje from yswtd1 order by ysth"), waybills);
  EXPECT_EQ(server_rows("select count(*) from yswtd2"), local_rows("select count(*) from yswtd2"));
  // A second serve finds the tables and leaves everything as it was; --replace renews them.
  EXPECT_NE(serve({"--user", "admin", "--password", "admin2026"}, &text), 0);
  EXPECT_EQ(server_rows("select ysth, tyrq, hjje from yswtd1 order by ysth"), waybills);
  ASSERT_EQ(serve({"--user", "admin", "--password", "admin2026", "--replace"}, &text), 0)
      << text.toStdString();
  EXPECT_EQ(server_rows("select ysth, tyrq, hjje from yswtd1 order by ysth"), waybills);
  // The user keys continue after the copied ones.
  PgRdsFactory factory("http://" + server_->socket_dir());
  ASSERT_TRUE(factory.Execute("DSN=" + kDatabase,
                              "insert into ws_gxq (username, userright, fw_b1, mm) values "
                              "('网络员', 'W', 'ALL', 'net1')"));
  EXPECT_EQ(server_rows(QStringLiteral("select bh from ws_gxq where username = '网络员'")),
            QStringList{"4"});

  // A log-in with 网络运行 finds the user only the server has; the settings stay local.
  Session session;
  session.set_station_folder(folder());
  LoginInput input;
  input.user_name = QStringLiteral("网络员");
  input.password = "net1";
  input.network_mode = true;
  input.computer_name = server_->socket_dir();
  input.dsn_name = kDatabase;
  ASSERT_TRUE(log_in(session, input).succeeded);
  EXPECT_TRUE(session.main_conn.is_remote());
  EXPECT_EQ(session.user_right, "W");
  input.password = "NET1";  // the password compares exactly on the server too
  Session refused;
  refused.set_station_folder(folder());
  EXPECT_FALSE(log_in(refused, input).succeeded);

  // A clerk enters a waybill in network mode: it reaches the server, not the local file.
  session.set_conn = open_connection(session, session.set_db_path);
  EXPECT_FALSE(session.set_conn.is_remote());
  auto prompts = std::make_shared<ScriptedPrompts>();
  session.prompts = prompts;
  UserList users;
  ASSERT_TRUE(users.load(folder() + '/' + kUserListName));
  session.start_station = users.start_station();
  Sheet& sheet = session.Spreadsheet1;
  connect_page_events(session, sheet);
  ASSERT_TRUE(open_document(session, kWaybillDocument));
  session.sheet_edit_mode = kEditGuardArmed;
  sheet.user_focus_in();
  set_check2(session, false);
  auto type = [&](const QString& address, const QString& input_text) {
    const CellPos pos = parse_area_address(address)->first();
    sheet.user_select(*parse_area_address(address));
    ASSERT_TRUE(sheet.user_begin_edit(pos)) << address.toStdString();
    ASSERT_TRUE(sheet.user_edit(pos, input_text));
    sheet.user_key(kKeyEnter);
  };
  prompts->push(PromptAnswer::Yes);
  type("M2", "NET0001");
  type("B11", QStringLiteral("钢材"));
  type("D11", "10");
  type("H11", "12.5");
  save_page(session, session.main_conn, sheet);

  EXPECT_EQ(server_rows("select ysth, fz, zdr from yswtd1 where ysth = 'NET0001'"),
            QStringList{"NET0001|" + session.start_station + QStringLiteral("|网络员")});
  EXPECT_EQ(server_rows("select fh_wz, hwmc, js, dj from yswtd2 where ysth = 'net0001'"),
            QStringList{QStringLiteral("1|钢材|10|12.5")});
  EXPECT_EQ(local_rows("select count(*) from yswtd1 where ysth = 'NET0001'"), QStringList{"0"});
  EXPECT_EQ(local_rows("select count(*) from ws_gxq where username = '网络员'"), QStringList{"0"});
}

}  // namespace
}  // namespace vemo
