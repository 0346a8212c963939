// Document engine benchmarks on a station of 100,000 waybills with three goods lines each:
// the commit of a goods-line amount (store, formulas, capital amount) and the whole-page
// save of a full waybill. The baseline is one plain single-row update on the same database
// in the same run; report medians as ratios against it.
#include "data/connections.h"
#include "document/cell_commit.h"
#include "document/page_save.h"
#include "platform/connection.h"
#include "session/session.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>

namespace {

using namespace vemo;

constexpr int kWaybills = 100000;
const QString kPage = QStringLiteral("货物运单");
const QString kMiddle = QStringLiteral("150000");

bool run_all(Connection& db, const QStringList& statements) {
  for (const QString& sql : statements) {
    if (!db.execute(sql)) {
      std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(db.error_string()));
      return false;
    }
  }
  return true;
}

// A station folder with the generated data, made once for every benchmark.
struct Station {
  QTemporaryDir dir;
  bool ready = false;

  Station() {
    Connection main_db;
    Connection settings;
    ready = main_db.open(dir.filePath("澜川.mdb"), OpenMode::CreateIfMissing) &&
            settings.open(dir.filePath("nb_set.mdb"), OpenMode::CreateIfMissing) &&
            run_all(main_db,
                    {"create table yswtd1 (ysth text collate nocase, fhr text, zje real, zdr "
                     "text)",
                     "create table yswtd2 (ysth text collate nocase, fh_wz integer, hm text, je "
                     "real)",
                     "create table qr_table (bh integer primary key autoincrement, ysth text "
                     "collate nocase, queren text, qr_ren text, qr_sj date)",
                     "create table ws_gxq (username text collate nocase, mm text, userright "
                     "text, fw_b1 text, fw_b2 text, fw_b3 text)",
                     "create table celldxx (exceldz1 text, exceldz2 text)",
                     "insert into ws_gxq values ('张三', '1', 'W', 'ALL', null, null)",
                     QStringLiteral("with recursive n(i) as (select 100001 union all select i + "
                                    "1 from n where i < %1) insert into yswtd1 select i, "
                                    "'发货人' || i, 0, '张三' from n")
                         .arg(100000 + kWaybills),
                     "insert into yswtd2 select ysth, l, '货物', 10 from yswtd1, (select 1 as l "
                     "union all select 2 union all select 3)",
                     "create index yswtd1_ysth on yswtd1 (ysth)",
                     "create index yswtd2_ysth on yswtd2 (ysth, fh_wz)",
                     "create index qr_table_ysth on qr_table (ysth)"}) &&
            run_all(settings,
                    {"create table bb (bbm text, flag text, bh integer, ysthdz text, gjz text, "
                     "gjz_zdm text, sy_bm text, gstb_wz text, key text)",
                     "create table cellact (exceldz text, act text)",
                     "create table sql_查询 (excel_table_name text, table_name text, sql_name "
                     "text, sql_name_ex text, sql_name_exe text, \"add\" text)",
                     "insert into bb (bbm, flag, bh, ysthdz) values ('货物运单', 'A', 1, 'M2')",
                     "insert into cellact values ('货物运单.M2', 'write_mdb')",
                     "create table 货物运单 (zdm text, exceldz text, mline text, bh integer, "
                     "jsbds text, zhxdz text, dw text, fh_width text, out_cl text)",
                     "insert into 货物运单 values ('yswtd1.ysth', '货物运单.M2', null, 1, "
                     "'nullstring', null, null, null, 'wbd')",
                     "insert into 货物运单 values ('yswtd1.fhr', '货物运单.B3', null, 2, "
                     "'nullstring', null, null, null, null)",
                     "insert into 货物运单 values ('yswtd2.hm', '货物运单.B6', '货物运单.B8', 3, "
                     "'nullstring', null, null, null, null)",
                     "insert into 货物运单 values ('yswtd2.je', '货物运单.D6', '货物运单.D8', 4, "
                     "'nullstring', null, null, null, null)",
                     "insert into 货物运单 values ('yswtd1.zje', '货物运单.F10', null, 5, "
                     "'=D6+D7+D8', 'F11', '元#角#分;2', null, null)",
                     "insert into 货物运单 values ('yswtd1.zdr', '货物运单.E2', null, 999, "
                     "'nullstring', null, null, null, null)"});
  }
};

Station& station() {
  static Station s;
  return s;
}

// A logged-in writer with the middle waybill on the page.
std::unique_ptr<Session> open_session() {
  auto session = std::make_unique<Session>();
  session->set_station_folder(station().dir.path());
  session->main_conn = open_connection(*session, session->main_db_path);
  session->set_conn = open_connection(*session, session->set_db_path);
  session->user_name = QStringLiteral("张三");
  session->user_role = QStringLiteral("W");
  session->user_right = QStringLiteral("W");
  session->form1.Check2 = false;
  Sheet& sheet = session->Spreadsheet1;
  sheet.set_name(kPage);
  sheet.set_enable_events(false);
  sheet.range("M2").set_value(QStringLiteral("'") + kMiddle);
  sheet.range("B3").set_value(QStringLiteral("发货人"));
  for (int line = 0; line < 3; ++line) {
    sheet.cell(6 + line, 2).set_value(QStringLiteral("货物"));
    sheet.cell(6 + line, 4).set_value(10.0 + line);
  }
  sheet.set_enable_events(true);
  session->current_ysth = kMiddle;
  return session;
}

void BM_BaselineSingleRowUpdate(benchmark::State& state) {
  if (!station().ready) return state.SkipWithError("no station");
  Connection db;
  db.open(station().dir.filePath("澜川.mdb"));
  int i = 0;
  for (auto _ : state) {
    db.execute(QStringLiteral("update yswtd2 set je=%1 where ysth='%2' and fh_wz=2")
                   .arg(++i % 50)
                   .arg(kMiddle));
  }
}
BENCHMARK(BM_BaselineSingleRowUpdate)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CommitGoodsLineAmount(benchmark::State& state) {
  if (!station().ready) return state.SkipWithError("no station");
  auto session = open_session();
  Sheet& sheet = session->Spreadsheet1;
  int i = 0;
  for (auto _ : state) {
    const Range cell = sheet.range(QStringLiteral("D7"));
    sheet.set_enable_events(false);
    cell.set_value(static_cast<double>(++i % 50 + 1));
    sheet.set_enable_events(true);
    session->sheet_edit_mode = kEditGuardArmed;
    commit_cell_edit(*session, cell);
  }
}
BENCHMARK(BM_CommitGoodsLineAmount)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SavePageOfAFullWaybill(benchmark::State& state) {
  if (!station().ready) return state.SkipWithError("no station");
  auto session = open_session();
  session->form1.Check2 = true;
  int i = 0;
  for (auto _ : state) {
    session->Spreadsheet1.range(QStringLiteral("B3"))
        .set_value(QStringLiteral("发货人%1").arg(++i));
    save_page(*session, session->main_conn, session->Spreadsheet1);
  }
}
BENCHMARK(BM_SavePageOfAFullWaybill)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
