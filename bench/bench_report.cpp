// Report placement: a statement of 10,000 records × 15 columns laid into a page through
// its cell map, against the same statement read alone through the database layer.
#include "data/connections.h"
#include "platform/recordset.h"
#include "platform/sheet.h"
#include "reports/report_engine.h"
#include "session/session.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace vemo {
namespace {

constexpr int kRecords = 10000;
constexpr int kColumns = 15;
const QString kPage = QStringLiteral("运输明细表");

struct Station {
  QTemporaryDir dir;
  Session session;
  Sheet sheet;

  Station() {
    session.set_station_folder(dir.path());
    session.dev_marker = kDeveloperMarker;
    session.active_sheet_name = [this] { return sheet.name(); };
    sheet.set_name(kPage);
    Connection main;
    main.open(session.main_db_path, OpenMode::CreateIfMissing);
    QString columns;
    for (int c = 0; c < kColumns; ++c)
      columns += QStringLiteral(", c%1 %2").arg(c).arg(c % 3 ? "real" : "text");
    main.execute("create table yswtd1 (ysth text" + columns + ")");
    {
      Transaction t(main);
      for (int r = 0; r < kRecords; ++r) {
        QString values = QStringLiteral("'%1'").arg(100000 + r);
        for (int c = 0; c < kColumns; ++c) {
          values += c % 3 ? QStringLiteral(", %1.5").arg(r + c)
                          : QStringLiteral(", '货物%1'").arg(r % 97);
        }
        main.execute("insert into yswtd1 values (" + values + ")");
      }
      t.commit();
    }
    Connection settings;
    settings.open(session.set_db_path, OpenMode::CreateIfMissing);
    settings.execute("create table bb (bbm text, flag text, bh integer, ysthdz text, key text)");
    settings.execute("insert into bb values ('" + kPage + "', 'A', 1, 'C2*F2', null)");
    settings.execute(
        "create table sql_查询 (excel_table_name text, table_name text, sql_name text, "
        "sql_name_ex text, sql_name_exe text, \"add\" text)");
    QString select;
    for (int c = 0; c < kColumns; ++c) select += QStringLiteral("%1c%2").arg(c ? ", " : "").arg(c);
    settings.execute("insert into sql_查询 values ('" + kPage + "', 'yswtd1', 'select " + select +
                     " from yswtd1 order by ysth', null, null, null)");
    settings.execute("create table " + kPage +
                     " (zdm text, exceldz text, mline text, out_cl text)");
    for (int c = 0; c < kColumns; ++c) {
      settings.execute(
          QStringLiteral("insert into %1 values ('yswtd1.c%2', '%1.%3', '%1.%4', null)")
              .arg(kPage, QString::number(c), column_name(c + 1) + "5",
                   column_name(c + 1) + QString::number(5 + kRecords)));
    }
    session.main_conn = open_connection(session, session.main_db_path);
    session.set_conn = open_connection(session, session.set_db_path);
  }
};

Station& station() {
  static Station s;
  return s;
}

void query_alone(Station& s) {
  QString select;
  for (int c = 0; c < kColumns; ++c) select += QStringLiteral("%1c%2").arg(c ? ", " : "").arg(c);
  auto rs =
      open_query(s.session, s.session.main_conn, "select " + select + " from yswtd1 order by ysth");
  double sum = 0;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    for (int c = 0; c < kColumns; ++c) sum += rs->Value(c).toDouble();
  }
  benchmark::DoNotOptimize(sum);
}

void place_report(Station& s) {
  s.sheet.clear();
  s.sheet.set_name(kPage);
  s.sheet.set_enable_events(false);
  run_sheet_queries(s.session, s.session.main_conn, QString(), s.sheet);
}

double median_ms(void (*work)(Station&), int runs = 7) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work(station());
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void BM_QueryAlone(benchmark::State& state) {
  for (auto _ : state) query_alone(station());
}
BENCHMARK(BM_QueryAlone)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ReportPlacement(benchmark::State& state) {
  for (auto _ : state) place_report(station());
  state.counters["cells"] = kRecords * kColumns;
}
BENCHMARK(BM_ReportPlacement)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace vemo

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The goal as one line: placement median, and its ratio to reading the same result.
  const double alone = vemo::median_ms(vemo::query_alone);
  const double placed = vemo::median_ms(vemo::place_report);
  std::printf(
      "report of %d records x %d columns: median %.1f ms (goal < 500 ms); query alone %.1f ms; "
      "ratio %.2f\n",
      vemo::kRecords, vemo::kColumns, placed, alone, placed / alone);
  return 0;
}
