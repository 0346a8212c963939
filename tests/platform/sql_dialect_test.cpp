// Dialect translation, and the export's selects and multi-table deletes run on real tables.
#include "platform/sql_dialect.h"
#include "sqlite_fixture.h"

#include <QSet>

namespace vemo::test {
namespace {

TEST(SqlDialect, TranslatesDatesAndDeletes) {
  const struct {
    const char* sql;
    const char* expected;  // nullptr: refused
  } cases[] = {
      {"select * from t where d=#2004/1/5#", "select * from t where d='2004-01-05'"},
      {"select * from t where d>=#2004-1-5# and d<=#2004/12/31#",
       "select * from t where d>='2004-01-05' and d<='2004-12-31'"},
      {"select * from t where d=#2004/1/5 8:05:00#",
       "select * from t where d='2004-01-05 08:05:00'"},
      {"select * from t where a='#2004/1/5#'", "select * from t where a='#2004/1/5#'"},
      {"select * from t where a='it''s #x# and'", "select * from t where a='it''s #x# and'"},
      {"select \"a#b\" from t", "select \"a#b\" from t"},
      {"select [o'k #1] from t where d=#2004/1/5#", "select [o'k #1] from t where d='2004-01-05'"},
      {"select * from t where d=#1/5/2004#", nullptr},
      {"select * from t where d=#2004/13/1#", nullptr},
      {"select * from t where d=#2004/1/5", nullptr},
      {"select * from t where a='open", nullptr},
      {"delete * from yswtd1 where  yswtd1.tyrq>=#2004/1/1#",
       "delete from yswtd1 where  yswtd1.tyrq>='2004-01-01'"},
      {"delete  yswtd2.* from yswtd1,yswtd2 where yswtd2.ysth=yswtd1.ysth",
       "delete from yswtd2 where rowid in (select yswtd2.rowid from yswtd1,yswtd2 where "
       "yswtd2.ysth=yswtd1.ysth)"},
      {"DELETE ckd1_dd.* FROM ckd1_dd ,yswtd1 WHERE ckd1_dd.ysth=yswtd1.ysth",
       "delete from ckd1_dd where rowid in (select ckd1_dd.rowid from ckd1_dd ,yswtd1 where "
       "ckd1_dd.ysth=yswtd1.ysth)"},
      {"delete t.* from t,u", "delete from t where rowid in (select t.rowid from t,u)"},
      {"delete from t where a='delete * from u'", "delete from t where a='delete * from u'"},
  };
  for (const auto& c : cases) {
    QString why;
    const QString out = translate_sql(QString::fromUtf8(c.sql), &why);
    if (c.expected) {
      EXPECT_EQ(out, QString::fromUtf8(c.expected)) << c.sql;
    } else {
      EXPECT_TRUE(out.isNull()) << c.sql << " gave " << out.toStdString();
      EXPECT_FALSE(why.isEmpty()) << c.sql;
    }
  }
}

TEST(SqlDialect, JoinedDeletesForPostgresUseUsing) {
  const struct {
    const char* sql;
    const char* expected;
  } cases[] = {
      {"delete  yswtd2.* from yswtd1,yswtd2 where yswtd2.ysth=yswtd1.ysth and "
       "yswtd1.tyrq>=#2004/1/1#",
       "delete from yswtd2 using yswtd1 where yswtd2.ysth=yswtd1.ysth and "
       "yswtd1.tyrq>='2004-01-01'"},
      {"DELETE ckd1_dd.* FROM ckd1_dd ,yswtd1, yshp1 WHERE ckd1_dd.ysth=yswtd1.ysth",
       "delete from ckd1_dd using yswtd1, yshp1 where ckd1_dd.ysth=yswtd1.ysth"},
      {"delete t.* from t", "delete from t"},
      {"delete * from t where a='x'", "delete from t where a='x'"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(translate_sql(c.sql, nullptr, SqlTarget::Postgres), QString::fromUtf8(c.expected))
        << c.sql;
  }
}

TEST(SqlDialect, EveryCutOfAStatementIsHandled) {
  const QString full =
      "delete rkd2_fs.* from rkd2_fs,yswtd1 where  rkd2_fs.ysth=yswtd1.ysth  and  yswtd1.tyrq>="
      "#2004/1/1# and yswtd1.fz='成''都#'";
  for (int cut = 0; cut <= full.size(); ++cut) {
    QString why;
    const QString out = translate_sql(full.left(cut), &why);
    EXPECT_EQ(out.isNull(), !why.isEmpty()) << cut;
  }
}

// The export's statements, built the way the export builds them, over fixture tables: A1
// and A2 lie in January 2004 (A2 at another arrival station), A3 and A4 just outside it,
// and Z9 has detail rows but no waybill.
class ExportStatements : public SqliteFixture {
 protected:
  static constexpr const char* kDetailTables[] = {
      "yswtd2",  "yshp1",   "yshp2",   "qcyspz1_jhd", "qcyspz1_shd", "ckd1_dd", "ckd2_dd",
      "rkd1_dd", "rkd2_dd", "ckd1_fs", "ckd2_fs",     "rkd1_fs",     "rkd2_fs"};

  void SetUp() override {
    SqliteFixture::SetUp();
    Transaction setup(db_);  // one commit: the fixture is about statements, not syncing
    run({"create table yswtd1 (ysth text collate nocase, tyrq date, fz text, dz text)",
         "insert into yswtd1 values ('A1','2004-01-01','成都','昆明'), "
         "('A2','2004-01-31','成都','重庆'), ('A3','2004-02-01','成都','昆明'), "
         "('A4','2003-12-31','成都','昆明')"});
    for (const char* table : kDetailTables) {
      const QString t = QString::fromLatin1(table);
      const QString extra = t == "ckd1_fs" ? ", ckrq date, ckd1_kpd text" : "";
      ASSERT_TRUE(db_.execute("create table " + t + " (ysth text, hh integer" + extra + ")"));
      for (const char* key : {"A1", "A2", "A3", "A4", "Z9"}) {
        const QString values = t == "ckd1_fs" ? ", '2004-01-02', 'k'" : "";
        ASSERT_TRUE(db_.execute("insert into " + t + " values ('" + key + "', 1" + values + ")"));
      }
    }
    ASSERT_TRUE(setup.commit());
  }

  static QString conditions(bool by_station) {
    const QString d = " yswtd1.tyrq>=#2004/1/1# and yswtd1.tyrq<=#2004/1/31#";
    const QString s = by_station ? " and yswtd1.fz='成都' and yswtd1.dz='昆明'" : "";
    return d + s;
  }

  static QString detail(const QString& prefix, bool by_station) {
    return prefix + "yswtd1.ysth  and " + conditions(by_station);
  }

  QSet<QString> keys(const QString& sql) {
    auto rs = db_.open_recordset(sql);
    EXPECT_TRUE(rs->IsOpen()) << sql.toStdString() << ": " << db_.error_string().toStdString();
    const QStringList list = column(*rs, "ysth");
    return QSet<QString>(list.begin(), list.end());
  }
};

QString select_prefix(const QString& table) {
  return "select " + table + ".* from " + table + ",yswtd1 where  " + table + ".ysth=";
}

TEST_F(ExportStatements, SelectsExactlyTheWaybillsOfTheRange) {
  for (const bool by_station : {false, true}) {
    const QSet<QString> expected = by_station ? QSet<QString>{"A1"} : QSet<QString>{"A1", "A2"};
    EXPECT_EQ(keys("select * from yswtd1 where " + conditions(by_station)), expected);
    for (const char* table : kDetailTables) {
      EXPECT_EQ(keys(detail(select_prefix(table), by_station)), expected) << table;
    }
    // Table order and blanks as the export writes them.
    EXPECT_EQ(keys(detail("select yswtd2.* from yswtd1,yswtd2 where yswtd2.ysth=", by_station)),
              expected);
    EXPECT_EQ(
        keys(detail("select ckd2_dd.* from ckd2_dd ,yswtd1 where  ckd2_dd.ysth=", by_station)),
        expected);
  }
}

TEST_F(ExportStatements, DispatchSlipAliasesArriveAsFieldsOfTheirOwn) {
  auto rs = db_.open_recordset(detail(
      "select ckd1_fs.*,ckd1_fs.ckrq as rkrq,ckd1_fs.ckd1_kpd as kpd from ckd1_fs,yswtd1 where  "
      "ckd1_fs.ysth=",
      false));
  ASSERT_EQ(rs->RecordCount(), 2);
  EXPECT_EQ(rs->Text("rkrq"), "2004-01-02");
  EXPECT_EQ(rs->Type("rkrq"), FieldType::Date);
  EXPECT_EQ(rs->Text("KPD"), "k");
  EXPECT_EQ(rs->FieldCount(), 6);
}

TEST_F(ExportStatements, DeletesExactlyTheExportedRowsMasterLast) {
  for (const char* table : kDetailTables) {
    const QString t = QString::fromLatin1(table);
    QString prefix = "delete " + t + ".* from " + t + ",yswtd1 where  " + t + ".ysth=";
    if (t == "yswtd2") prefix = "delete  yswtd2.* from yswtd1,yswtd2 where yswtd2.ysth=";
    if (t == "ckd2_fs") prefix = "delete ckd2_fs.* from ckd2_fs ,yswtd1 where  ckd2_fs.ysth=";
    // The export sends deletes through the query path; they run and give no rows.
    auto rs = db_.open_recordset(detail(prefix, false));
    EXPECT_FALSE(rs->IsOpen());
    EXPECT_EQ(keys("select * from " + t), (QSet<QString>{"A3", "A4", "Z9"})) << table;
  }
  int deleted = 0;
  ASSERT_TRUE(db_.execute("delete * from yswtd1 where " + conditions(false), &deleted));
  EXPECT_EQ(deleted, 2);
  EXPECT_EQ(keys("select * from yswtd1"), (QSet<QString>{"A3", "A4"}));
}

TEST_F(ExportStatements, DeleteByStationLeavesOtherStations) {
  ASSERT_TRUE(db_.execute(detail("delete yshp1.* from yshp1,yswtd1 where  yshp1.ysth=", true)));
  EXPECT_EQ(keys("select * from yshp1"), (QSet<QString>{"A2", "A3", "A4", "Z9"}));
}

TEST_F(ExportStatements, RefusedDateOrderChangesNothing) {
  EXPECT_FALSE(db_.execute("delete * from yswtd1 where yswtd1.tyrq<=#1/31/2004#"));
  EXPECT_EQ(count("select count(*) from yswtd1"), 4);
  EXPECT_FALSE(db_.open_recordset("select * from yswtd1 where tyrq<=#31/1/2004#")->IsOpen());
}

TEST_F(ExportStatements, ReportSelectsRun) {
  run({"update yswtd1 set fz='重庆' where ysth='A4'"});
  auto rs = db_.open_recordset(
      "select distinct fz as station, count(*) as n from yswtd1 where tyrq>=#2003/1/1# group by "
      "fz order by fz");
  ASSERT_EQ(rs->RecordCount(), 2);
  EXPECT_EQ(rs->Text("station"), "成都");
  EXPECT_EQ(rs->Text("n"), "3");
  EXPECT_EQ(rs->Type("n"), FieldType::Integer);
  auto sum = db_.open_recordset(
      "select yswtd1.fz, sum(yshp1.hh) as total from yswtd1, yshp1 where yshp1.ysth=yswtd1.ysth "
      "group by yswtd1.fz order by total desc");
  ASSERT_EQ(sum->RecordCount(), 2);
  EXPECT_EQ(sum->Text("total"), "3");
  EXPECT_EQ(sum->Text(0), "成都");
}

}  // namespace
}  // namespace vemo::test
