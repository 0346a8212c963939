// The PostgreSQL data factory on a real server: result types and values, the dialect, pending
// changes submitted in one transaction, quoting, and an unreachable server.
#include "data/pg_rds_factory.h"

#include "data/pg_connection.h"
#include "data/pg_serve.h"
#include "pg_server.h"

#include <gtest/gtest.h>

#include <memory>

namespace vemo {
namespace {

const QString kDsn = QStringLiteral("DSN=factory");

class PgFactoryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (test::PgServer::binaries_missing()) return;
    server_ = std::make_unique<test::PgServer>();
    if (server_->ok()) server_->create_database(QStringLiteral("factory"));
  }
  static void TearDownTestSuite() { server_.reset(); }

  void SetUp() override {
    if (test::PgServer::binaries_missing()) {
      GTEST_SKIP() << "PostgreSQL 15 binaries (initdb, pg_ctl) are not installed";
    }
    ASSERT_TRUE(server_->ok()) << server_->why().toStdString();
    factory = std::make_unique<PgRdsFactory>("http://" + server_->socket_dir());
    // Tables as serve makes them from the local schema, fresh for every test.
    for (const char* table : {"yswtd1", "yswtd2", "ws_gxq"}) {
      run(QStringLiteral("drop table if exists %1").arg(table));
    }
    run("create extension if not exists citext");
    run(server_table_ddl(
        "CREATE TABLE yswtd1 (ysth TEXT COLLATE NOCASE, -- 运输托号\n tyrq DATE, hjjs INTEGER, "
        "hjje REAL, bz TEXT COLLATE NOCASE)"));
    run(server_table_ddl("CREATE TABLE yswtd2 (ysth TEXT COLLATE NOCASE, fh_wz INTEGER)"));
    run(
        server_table_ddl("CREATE TABLE ws_gxq (bh INTEGER PRIMARY KEY AUTOINCREMENT, username "
                         "TEXT COLLATE NOCASE, mm TEXT)"));
    run("insert into yswtd1 (ysth, tyrq, hjjs, hjje, bz) values ('CD001', '2004-01-05', 3, "
        "12.5, '钢材'), ('cd002', '2004-02-01', null, null, null), ('CD003', '2004-03-09', 1, "
        "1001, 'x')");
    run("insert into yswtd2 (ysth, fh_wz) values ('CD001', 1), ('CD001', 2), ('CD003', 1)");
    run("insert into ws_gxq (username, mm) values ('Admin', 'Pw1')");
  }

  void run(const QString& sql) { ASSERT_TRUE(factory->Execute(kDsn, sql)) << sql.toStdString(); }

  // Every row of a query, columns joined with '|'.
  QStringList rows(const QString& sql) {
    QStringList result;
    auto rs = factory->Query(kDsn, sql);
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
      QStringList fields;
      for (int i = 0; i < rs->FieldCount(); ++i) fields << rs->Text(i);
      result << fields.join('|');
    }
    return result;
  }

  static inline std::unique_ptr<test::PgServer> server_;
  std::unique_ptr<PgRdsFactory> factory;
};

TEST_F(PgFactoryTest, SelectGivesTypedValuesWithoutTheRowKey) {
  auto rs = factory->Query(kDsn, "select * from yswtd1 order by ysth");
  ASSERT_TRUE(rs->IsOpen());
  ASSERT_EQ(rs->FieldCount(), 5);  // the row key stays hidden
  const struct {
    const char* name;
    FieldType type;
  } fields[] = {{"ysth", FieldType::Text},
                {"tyrq", FieldType::Date},
                {"hjjs", FieldType::Integer},
                {"hjje", FieldType::Real},
                {"bz", FieldType::Text}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(rs->FieldName(i), QString(fields[i].name));
    EXPECT_EQ(rs->Type(i), fields[i].type) << fields[i].name;
  }
  EXPECT_EQ(rs->RecordCount(), 3);
  EXPECT_EQ(rs->Value("hjjs").typeId(), QMetaType::LongLong);
  EXPECT_EQ(rs->Text("bz"), QStringLiteral("钢材"));
  EXPECT_EQ(rs->Text("tyrq"), "2004-01-05");
  rs->MoveNext();
  EXPECT_TRUE(rs->Value("hjjs").isNull());
  EXPECT_TRUE(rs->Value("bz").isNull());
  EXPECT_EQ(rows("select ysth, hjje from yswtd1 where ysth = 'CD003'"), QStringList{"CD003|1001"});
  // Sums of whole numbers stay whole; text compares without regard to case.
  EXPECT_EQ(rows("select sum(hjjs) as n, count(*) as c from yswtd1 where ysth like 'cd%'"),
            QStringList{"4|3"});
  EXPECT_EQ(rows("select ysth from yswtd1 where ysth = 'CD002'"), QStringList{"cd002"});
  // The password column compares exactly.
  EXPECT_EQ(rows("select username from ws_gxq where mm = 'pw1'"), QStringList{});
}

TEST_F(PgFactoryTest, RunsTheStoredDialect) {
  EXPECT_EQ(rows("select ysth from yswtd1 where tyrq >= #2004/2/1# and tyrq <= #2004-3-9# "
                 "order by ysth"),
            (QStringList{"cd002", "CD003"}));
  auto done = factory->Query(kDsn,
                             "delete yswtd2.* from yswtd1,yswtd2 where "
                             "yswtd2.ysth=yswtd1.ysth and yswtd1.tyrq=#2004/1/5#");
  EXPECT_FALSE(done->IsOpen());  // statements without rows give a closed recordset
  EXPECT_EQ(rows("select ysth, fh_wz from yswtd2"), QStringList{"CD003|1"});
  factory->Query(kDsn, "delete * from yswtd1 where tyrq < #2004/3/1#");
  EXPECT_EQ(rows("select ysth from yswtd1"), QStringList{"CD003"});
  // A refused date literal runs nothing.
  EXPECT_FALSE(factory->Execute(kDsn, "delete * from yswtd1 where tyrq < #9/3/2004#"));
  EXPECT_EQ(rows("select ysth from yswtd1"), QStringList{"CD003"});
}

TEST_F(PgFactoryTest, SubmitWritesUpdateInsertAndDeleteTogether) {
  auto rs = factory->Query(kDsn, "select ysth, hjje, tyrq from yswtd1 order by ysth");
  ASSERT_TRUE(rs->Find("ysth = 'CD001'"));
  ASSERT_TRUE(rs->SetValue("hjje", "99.5"));
  ASSERT_TRUE(rs->Update());
  EXPECT_EQ(rs->Text("hjje"), "99.5");  // the recordset shows the change at once
  ASSERT_TRUE(rs->AddNew());
  rs->SetValue("ysth", QStringLiteral("新001"));
  rs->SetValue("tyrq", "2004/5/6");
  ASSERT_TRUE(rs->Update());
  rs->MoveFirst();
  ASSERT_TRUE(rs->Find("ysth = 'cd002'"));
  ASSERT_TRUE(rs->Delete());
  // Nothing reaches the server before the submit.
  EXPECT_EQ(rows("select ysth, hjje from yswtd1 order by ysth").size(), 3);

  EXPECT_TRUE(factory->SubmitChanges(kDsn, *rs));
  EXPECT_EQ(rows("select ysth, hjje, tyrq from yswtd1 order by ysth"),
            (QStringList{"CD001|99.5|2004-01-05", "CD003|1001|2004-03-09",
                         QStringLiteral("新001||2004-05-06")}));
  // The new row can be changed again and submitted under its server key.
  rs->MoveLast();
  ASSERT_EQ(rs->Text("ysth"), QStringLiteral("新001"));
  rs->SetValue("hjje", 7);
  EXPECT_TRUE(factory->SubmitChanges(kDsn, *rs));  // pending field writes are updated first
  EXPECT_EQ(rows(QStringLiteral("select hjje from yswtd1 where ysth = '新001'")), QStringList{"7"});
  // A submit with nothing pending changes nothing.
  EXPECT_TRUE(factory->SubmitChanges(kDsn, *rs));
}

TEST_F(PgFactoryTest, AWholeTableIsFilteredByTheServerAndStaysEditable) {
  auto rs = factory->Query(kDsn, "select * from yswtd1");
  // Rows written after the open are seen: the table is read when the filter asks.
  run("insert into yswtd1 (ysth, hjjs) values ('CD004', 2)");
  ASSERT_TRUE(rs->SetFilter("ysth = 'cd001' or hjjs >= 2"));
  EXPECT_EQ(rs->RecordCount(), 2);
  ASSERT_TRUE(rs->SetFilter("ysth = 'CD001'"));
  ASSERT_EQ(rs->RecordCount(), 1);
  rs->SetValue("hjjs", 30);
  ASSERT_TRUE(rs->Update());
  ASSERT_TRUE(factory->SubmitChanges(kDsn, *rs));
  EXPECT_EQ(rows("select hjjs from yswtd1 where ysth = 'CD001'"), QStringList{"30"});
  ASSERT_TRUE(rs->SetFilter(""));
  EXPECT_EQ(rs->RecordCount(), 4);
  // The password column filters exactly, quotes stay data.
  auto users = factory->Query(kDsn, "select * from ws_gxq");
  ASSERT_TRUE(users->SetFilter("username = 'ADMIN' and mm = 'pw1'"));
  EXPECT_TRUE(users->Eof());
  ASSERT_TRUE(users->SetFilter("username = 'ADMIN' and mm = 'Pw1'"));
  EXPECT_EQ(users->RecordCount(), 1);
  ASSERT_TRUE(users->SetFilter("username like 'x'' or ''1''=''1*'"));
  EXPECT_TRUE(users->Eof());
}

TEST_F(PgFactoryTest, AFailingSubmitLeavesTheServerUnchanged) {
  const QStringList before = rows("select * from yswtd1 order by ysth");
  auto rs = factory->Query(kDsn, "select * from yswtd1 order by ysth");
  rs->SetValue("bz", "changed");
  ASSERT_TRUE(rs->Update());
  ASSERT_TRUE(rs->AddNew());
  rs->SetValue("ysth", "CD009");
  ASSERT_TRUE(rs->Update());
  // Another station removes the row this recordset changes last.
  rs->MoveFirst();
  rs->Find("ysth = 'CD003'");
  rs->SetValue("hjjs", 8);
  ASSERT_TRUE(rs->Update());
  run("delete from yswtd1 where ysth = 'CD003'");

  EXPECT_FALSE(factory->SubmitChanges(kDsn, *rs));
  const QStringList after = rows("select * from yswtd1 order by ysth");
  EXPECT_EQ(after, QStringList(before.mid(0, 2)));  // neither the update nor the insert stayed
  // The refused batch is dropped: the next change of the same recordset goes through alone.
  rs->MoveFirst();
  ASSERT_TRUE(rs->Find("ysth = 'CD001'"));
  rs->SetValue("bz", "later");
  ASSERT_TRUE(rs->Update());
  EXPECT_TRUE(factory->SubmitChanges(kDsn, *rs));
  EXPECT_EQ(rows("select ysth, bz from yswtd1 order by ysth"),
            (QStringList{"CD001|later", "cd002|"}));
  // Read-only results and recordsets from elsewhere are refused.
  auto sums = factory->Query(kDsn, "select count(*) as n from yswtd1");
  EXPECT_FALSE(sums->SetValue("n", 5) && sums->Update());
  Recordset closed;
  EXPECT_FALSE(factory->SubmitChanges(kDsn, closed));
}

TEST_F(PgFactoryTest, ValuesThatBreakSqlStayData) {
  const QString evil = QStringLiteral("x' or '1'='1");
  auto rs = factory->Query(kDsn, "select ysth, bz from yswtd1 where ysth = 'CD001'");
  rs->SetValue("bz", evil);
  ASSERT_TRUE(rs->Update());
  ASSERT_TRUE(factory->SubmitChanges(kDsn, *rs));
  EXPECT_EQ(rows("select bz from yswtd1 where ysth = 'CD001'"), QStringList{evil});
  EXPECT_EQ(rows("select ysth from yswtd1 where bz = 'x' order by ysth"), QStringList{"CD003"});
  // A second statement cannot ride along with the first.
  EXPECT_FALSE(factory->Execute(kDsn, "delete from yswtd2; delete from yswtd1"));
  EXPECT_EQ(rows("select count(*) from yswtd1"), QStringList{"3"});
}

TEST_F(PgFactoryTest, AnUnreachableServerGivesEmptyRecordsets) {
  for (const QString& server :
       {QString("http://" + server_->socket_dir() + "/missing"), QString("http://127.0.0.1:1")}) {
    PgRdsFactory nowhere(server);
    auto rs = nowhere.Query(kDsn, "select * from yswtd1");
    EXPECT_FALSE(rs->IsOpen());
    EXPECT_TRUE(rs->Eof());
    EXPECT_FALSE(nowhere.Execute(kDsn, "delete * from yswtd1"));
  }
  // A database that does not exist, on the right server.
  EXPECT_FALSE(factory->Query("DSN=nosuchdb", "select * from yswtd1")->IsOpen());
  // The factory reconnects to the named database afterwards.
  EXPECT_EQ(rows("select count(*) from yswtd1"), QStringList{"3"});
  // A connection the server dropped is opened again for the next query.
  const QString pid = rows("select pg_backend_pid()").value(0);
  PgRdsFactory admin("http://" + server_->socket_dir());
  ASSERT_FALSE(admin.Query(kDsn, "select pg_terminate_backend(" + pid + ")")->Eof());
  EXPECT_EQ(rows("select count(*) from yswtd1"), QStringList{"3"});
  EXPECT_NE(rows("select pg_backend_pid()").value(0), pid);
}

}  // namespace
}  // namespace vemo
