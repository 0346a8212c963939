// Opening files, running commands, transactions and the connection's lifetime.
#include "sqlite_fixture.h"

#include <QFile>

namespace vemo::test {
namespace {

TEST(ConnectionOpen, MissingFileFailsAndIsNotCreated) {
  TempDir dir;
  Connection db;
  const QString path = dir.file(QStringLiteral("澜川.mdb"));
  EXPECT_FALSE(db.open(path));
  EXPECT_FALSE(db.is_open());
  EXPECT_FALSE(db.error_string().isEmpty());
  EXPECT_FALSE(QFile::exists(path));
  auto rs = db.open_recordset(QStringLiteral("select 1"));
  EXPECT_FALSE(rs->IsOpen());
  EXPECT_FALSE(db.execute(QStringLiteral("create table t (a)")));

  EXPECT_TRUE(db.open(path, OpenMode::CreateIfMissing));
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_EQ(db.path(), path);
}

TEST(ConnectionOpen, FileThatIsNoDatabaseFails) {
  TempDir dir;
  const QString path = dir.file(QStringLiteral("junk.mdb"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4096, 'x'));
  file.close();
  Connection db;
  EXPECT_FALSE(db.open(path));
  EXPECT_FALSE(db.is_open());
}

class ConnectionCommands : public SqliteFixture {};

TEST_F(ConnectionCommands, ReportsRowsAffectedAndRefusesSecondStatements) {
  run({"create table t (a text)", "insert into t values ('x'), ('y')"});
  int changed = -1;
  EXPECT_TRUE(db_.execute(QStringLiteral("update t set a='z'"), &changed));
  EXPECT_EQ(changed, 2);
  EXPECT_TRUE(db_.execute(QStringLiteral("delete from t where a='none';  "), &changed));
  EXPECT_EQ(changed, 0);
  EXPECT_FALSE(db_.execute(QStringLiteral("select 1; drop table t")));
  EXPECT_FALSE(db_.open_recordset(QStringLiteral("select * from t; drop table t"))->IsOpen());
  EXPECT_FALSE(db_.execute(QStringLiteral("no such statement")));
  EXPECT_FALSE(db_.error_string().isEmpty());
  EXPECT_EQ(count(QStringLiteral("select count(*) from t")), 2);
  EXPECT_EQ(count(QStringLiteral("select count(*) from t where a like 'Z%'")), 2);
}

TEST_F(ConnectionCommands, TransactionRollsBackUnlessCommitted) {
  run({"create table t (a integer)"});
  {
    Transaction work(db_);
    ASSERT_TRUE(work.active());
    ASSERT_TRUE(db_.execute(QStringLiteral("insert into t values (1)")));
  }
  EXPECT_EQ(count(QStringLiteral("select count(*) from t")), 0);
  {
    Transaction work(db_);
    auto rs = db_.open_table_recordset(QStringLiteral("t"));
    ASSERT_TRUE(rs->AddNew());
    ASSERT_TRUE(rs->SetValue(0, 5));
    ASSERT_TRUE(rs->Update());
    EXPECT_TRUE(work.commit());
    EXPECT_FALSE(work.active());
  }
  EXPECT_EQ(count(QStringLiteral("select a from t")), 5);
}

TEST_F(ConnectionCommands, RecordsetOutlivingItsConnectionFailsCleanly) {
  run({"create table t (a text)", "insert into t values ('x')"});
  auto rs = db_.open_table_recordset(QStringLiteral("t"));
  ASSERT_EQ(rs->RecordCount(), 1);
  db_.close();
  EXPECT_EQ(rs->Text("a"), "x");
  EXPECT_TRUE(rs->SetValue(QStringLiteral("a"), QStringLiteral("y")));
  EXPECT_FALSE(rs->Update());
  EXPECT_EQ(rs->Text("a"), "x");
  EXPECT_FALSE(rs->Delete());
}

}  // namespace
}  // namespace vemo::test
