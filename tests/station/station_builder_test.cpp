// The builder: a complete folder in normal mode, the transfer template, the user list, and
// no harm to an existing folder.
#include "station/station_builder.h"
#include "platform/connection.h"
#include "platform/recordset.h"
#include "platform/workbook.h"
#include "station/demo_data.h"
#include "station_fixture.h"

#include <QCryptographicHash>
#include <QFile>

namespace vemo::test {
namespace {

QStringList columns(Connection& db, const QString& table) {
  QStringList names;
  auto rs = db.open_recordset("select name from pragma_table_info('" + table + "') order by cid");
  for (; !rs->Eof(); rs->MoveNext()) names << rs->Text(0);
  return names;
}

TEST(StationBuilder, TransferTemplateAndUserListFollowTheContent) {
  QTemporaryDir dir;
  const QString folder = dir.filePath("kunming");
  StationSetup setup;
  setup.station_name = QStringLiteral("昆明");
  QString error;
  ASSERT_TRUE(build_station(folder, setup, &error)) << error;

  Connection main;
  ASSERT_TRUE(main.open(folder + "/澜川.mdb"));
  Connection transfer;
  ASSERT_TRUE(transfer.open(folder + "/outmdb_y.md"));
  auto tables =
      transfer.open_recordset("select name from sqlite_master where type='table' order by name");
  int count = 0;
  for (; !tables->Eof(); tables->MoveNext(), ++count) {
    const QString table = tables->Text(0);
    EXPECT_EQ(columns(transfer, table), columns(main, table)) << table;
    EXPECT_FALSE(columns(main, table).isEmpty()) << table;
  }
  EXPECT_EQ(count, 14);

  const auto rows = read_first_worksheet(folder + "/userlist.xlsx");
  ASSERT_TRUE(rows.has_value());
  ASSERT_GE(rows->size(), 3u);
  EXPECT_EQ((*rows)[0].value(0), "admin");
  EXPECT_EQ((*rows)[0].value(1), "昆明");

  auto users = main.open_recordset("select username, userright from ws_gxq order by bh");
  QStringList rights;
  for (; !users->Eof(); users->MoveNext()) rights << users->Text(1);
  EXPECT_EQ(rights, (QStringList{"ADMIN", "W", "R"}));
  auto demo = main.open_recordset("select count(*) from yswtd1");
  EXPECT_EQ(demo->Text(0), "0");
}

TEST(StationBuilder, RefusesANonEmptyFolderAndLeavesItAlone) {
  QTemporaryDir dir;
  QFile mine(dir.filePath("澜川.mdb"));
  ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
  mine.write("my own data");
  mine.close();
  QString error;
  EXPECT_FALSE(build_station(dir.path(), StationSetup{}, &error));
  EXPECT_FALSE(error.isEmpty());
  ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
  EXPECT_EQ(mine.readAll(), QByteArray("my own data"));
  EXPECT_FALSE(QFile::exists(dir.filePath("nb_set.mdb")));
}

QByteArray table_digest(const QString& folder) {
  Connection db;
  if (!db.open(folder + "/澜川.mdb")) return {};
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (const char* table : {"yswtd1", "yswtd2", "yshp1", "rkd2_fs", "qr_table"}) {
    auto rs = db.open_recordset(QStringLiteral("select * from ") + table);
    for (; !rs->Eof(); rs->MoveNext()) {
      for (int i = 0; i < rs->FieldCount(); ++i) hash.addData(rs->Text(i).toUtf8() + '\t');
    }
  }
  return hash.result();
}

TEST(DemoData, SameSeedSameDataAndTotalsAgreeWithLines) {
  QTemporaryDir dir;
  StationSetup setup;
  setup.demo_waybills = 300;
  setup.demo_seed = 42;
  QString error;
  ASSERT_TRUE(build_station(dir.filePath("a"), setup, &error)) << error;
  ASSERT_TRUE(build_station(dir.filePath("b"), setup, &error)) << error;
  setup.demo_seed = 43;
  ASSERT_TRUE(build_station(dir.filePath("c"), setup, &error)) << error;
  EXPECT_EQ(table_digest(dir.filePath("a")), table_digest(dir.filePath("b")));
  EXPECT_NE(table_digest(dir.filePath("a")), table_digest(dir.filePath("c")));

  Connection db;
  ASSERT_TRUE(db.open(dir.filePath("a") + "/澜川.mdb"));
  auto check = [&](const char* sql) {
    auto rs = db.open_recordset(QString::fromUtf8(sql));
    return rs->Eof() ? QStringLiteral("?") : rs->Text(0);
  };
  EXPECT_EQ(check("select count(*) from yswtd1"), "300");
  // Totals agree with the lines; tickets split their total into booked, cash or collected.
  EXPECT_EQ(check("select count(*) from yswtd1 w where abs(w.hjje - (select sum(xj) from yswtd2 l "
                  "where l.ysth = w.ysth)) > 0.005"),
            "0");
  EXPECT_EQ(check("select count(*) from yshp1 where abs(hjje - coalesce(jzje, 0) - "
                  "coalesce(xjje, 0) - coalesce(dsje, 0)) > 0.005"),
            "0");
  EXPECT_EQ(check("select count(*) from yshp1 t where abs(t.hjje - (select sum(je) from yshp2 f "
                  "where f.ysth = t.ysth and f.hpbh = t.hpbh)) > 0.005"),
            "0");
  EXPECT_EQ(
      check("select count(*) from (select ysth from yshp1 group by ysth having count(*) > 2)"),
      "0");
  EXPECT_EQ(check("select count(*) from (select ysth from yswtd2 union all select ysth from yshp1 "
                  "union all select ysth from qcyspz1_shd union all select ysth from rkd1_dd) "
                  "where ysth not in (select ysth from yswtd1)"),
            "0");
  EXPECT_EQ(check("select min(tyrq) <= '2026-12-01' and max(tyrq) = '2026-12-11' from yswtd1"),
            "1");
  // Every kind of record the pages show is there, with some slips over the waybill.
  for (const char* table : {"yshp2", "qcyspz1_jhd", "qcyspz1_shd", "rkd1_fs", "ckd1_fs", "rkd1_dd",
                            "ckd1_dd", "qr_table"}) {
    EXPECT_NE(check((std::string("select count(*) from ") + table).c_str()), "0") << table;
  }
  EXPECT_NE(check("select count(*) from rkd2_fs s join yswtd2 l on l.ysth = s.ysth and "
                  "l.fh_wz = s.fh_wz where s.js > l.js"),
            "0");
  EXPECT_NE(check("select count(*) from yswtd1 where fhdwdh is null or fhdwsj is null"), "0");
  EXPECT_NE(check("select count(*) from yswtd1 where clxz = '自有车辆'"), "0");
  EXPECT_NE(check("select count(*) from yswtd1 where clxz = '外雇车辆'"), "0");
}

}  // namespace
}  // namespace vemo::test
