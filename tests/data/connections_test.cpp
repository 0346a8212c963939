// Opening connections and routed recordsets on real files, in both modes.
#include "data/connections.h"
#include "data/scramble.h"
#include "platform/recordset.h"
#include "platform/scramble_layout.h"
#include "support/temp_dir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace vemo {
namespace {

class Connections : public ::testing::Test {
 protected:
  void SetUp() override {
    state.main_db_path = dir.file("澜川.mdb");
    state.set_db_path = dir.file("nb_set.mdb");
    state.active_sheet_name = [this] { return page; };
    state.network_mode = [this] { return network; };
    for (const auto& [path, sql] :
         {std::pair{state.main_db_path, QString("create table yswtd1 (ysth text, zdr text)")},
          std::pair{state.set_db_path, QString("create table bb (bbm text, flag text)")}}) {
      Connection c;
      ASSERT_TRUE(c.open(path, OpenMode::CreateIfMissing));
      ASSERT_TRUE(c.execute(sql));
    }
    ensure_scrambled(state.main_db_path);
    ensure_scrambled(state.set_db_path);
  }

  test::TempDir dir;
  DataState state;
  QString page = QString::fromUtf8("货物运单");
  bool network = false;
};

TEST_F(Connections, NormalModeWorksOnScrambledFilesAndLeavesThemScrambled) {
  state.main_conn = open_connection(state, state.main_db_path);
  state.set_conn = open_connection(state, state.set_db_path);
  ASSERT_TRUE(state.main_conn.is_open());
  EXPECT_EQ(file_form(state.main_db_path), FileForm::Scrambled);

  EXPECT_TRUE(execute_sql(state, state.main_conn, "insert into yswtd1 values ('bb1', 'x')"));
  EXPECT_TRUE(execute_sql(state, state.main_conn, "insert into bb values ('货物运单', 'A')"));
  auto waybill = open_query(state, state.main_conn, "select * from yswtd1 where ysth='bb1'");
  EXPECT_EQ(waybill->RecordCount(), 1);  // the value "bb1" does not steer it away
  auto catalog = open_table(state, state.main_conn, "BB");
  EXPECT_EQ(catalog->RecordCount(), 1);
  auto missing = open_query(state, state.main_conn, "select * from no_such_table");
  EXPECT_FALSE(missing->IsOpen());
  EXPECT_TRUE(missing->Eof());
  EXPECT_EQ(missing->RecordCount(), 0);

  state.main_conn = {};
  state.set_conn = {};
  EXPECT_EQ(file_form(state.main_db_path), FileForm::Scrambled);
  EXPECT_EQ(file_form(state.set_db_path), FileForm::Scrambled);
}

TEST_F(Connections, DeveloperModeTouchesNoFile) {
  ensure_plain(state.main_db_path);
  state.dev_marker = kDeveloperMarker;
  const QByteArray before = [&] {
    QFile f(state.main_db_path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  DbConn conn = open_connection(state, state.main_db_path);
  EXPECT_TRUE(conn.is_open());
  EXPECT_EQ(file_form(state.main_db_path), FileForm::Plain);
  QFile f(state.main_db_path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), before);
}

TEST_F(Connections, NetworkModeUsesTheFactoryExceptForSettings) {
  network = true;
  DbConn transfer = open_connection(state, dir.file("transfer.mdb"));
  EXPECT_TRUE(transfer.is_remote());
  DbConn settings = open_connection(state, dir.file("NB_SET.MDB"));
  EXPECT_FALSE(settings.is_remote());
  // The stand-in factory answers with an empty recordset.
  auto rs = open_query(state, transfer, "select * from yswtd1");
  EXPECT_EQ(rs->RecordCount(), 0);
  EXPECT_TRUE(rs->Eof());
}

TEST_F(Connections, MissingFileFailsWithoutCreatingIt) {
  DbConn conn = open_connection(state, dir.file("missing.mdb"));
  EXPECT_FALSE(conn.is_open());
  EXPECT_FALSE(QFile::exists(dir.file("missing.mdb")));
  auto rs = open_table(state, conn, "yswtd1");
  EXPECT_TRUE(rs->Eof());
}

}  // namespace
}  // namespace vemo
