// Recordset speed: a filtered open of a large indexed table, and bulk AddNew/Update,
// each against a baseline measured in the same run (raw SQLite, the sqlite3 tool).
#include "platform/connection.h"
#include "platform/number_text.h"
#include "platform/recordset.h"
#include "platform/sql_text.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBigRows = 1000000;
constexpr int kBulkRows = 100000;
const char* kSchema =
    "create table yswtd1 (ysth text collate nocase, tyrq date, fz text collate nocase, "
    "dz text collate nocase, js integer, zl real)";

// Keys and dates padded with zeros, as the stored identifiers are.
QString padded(int value, int width) { return vemo::number_text(value).rightJustified(width, '0'); }

QTemporaryDir& work_dir() {
  static QTemporaryDir dir;
  return dir;
}

QString big_db_path() {
  static const QString path = [] {
    const QString p = work_dir().filePath("big.db");
    vemo::Connection db;
    db.open(p, vemo::OpenMode::CreateIfMissing);
    db.execute(kSchema);
    vemo::Transaction fill(db);
    sqlite3_exec(
        db.handle(),
        "with recursive n(i) as (select 0 union all select i + 1 from n where i < 999999) "
        "insert into yswtd1 select printf('W%07d', i), date('2004-01-01', '+' || (i % 365) "
        "|| ' days'), '成都', '昆明', i % 50, i * 0.5 from n",
        nullptr, nullptr, nullptr);
    fill.commit();
    db.execute("create index yswtd1_ysth on yswtd1 (ysth)");
    return p;
  }();
  return path;
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::vector<double> filtered_open_ms, raw_select_ms, bulk_recordset_s, bulk_cli_s;

void BM_OpenTableThenFilter(benchmark::State& state) {
  vemo::Connection db;
  db.open(big_db_path());
  int i = 0;
  for (auto _ : state) {
    const QString key = "W" + padded((i++ * 7919) % kBigRows, 7);
    const auto start = Clock::now();
    auto rs = db.open_table_recordset("yswtd1");
    rs->SetFilter("ysth = " + vemo::sql_quote(key));
    const int count = rs->RecordCount();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (count != 1) state.SkipWithError("filter did not find exactly one row");
    filtered_open_ms.push_back(ms);
    state.SetIterationTime(ms / 1000);
  }
}
BENCHMARK(BM_OpenTableThenFilter)->UseManualTime()->Iterations(200)->Unit(benchmark::kMicrosecond);

// Baseline: the same row through a freshly prepared raw SQLite statement.
void BM_RawSqliteSelect(benchmark::State& state) {
  vemo::Connection db;
  db.open(big_db_path());
  int i = 0;
  for (auto _ : state) {
    const QByteArray key = "W" + padded((i++ * 7919) % kBigRows, 7).toUtf8();
    const auto start = Clock::now();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db.handle(), "select rowid, * from yswtd1 where ysth = ? collate nocase", -1,
                       &statement, nullptr);
    sqlite3_bind_text(statement, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
    int count = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) ++count;
    sqlite3_finalize(statement);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    benchmark::DoNotOptimize(count);
    raw_select_ms.push_back(ms);
    state.SetIterationTime(ms / 1000);
  }
}
BENCHMARK(BM_RawSqliteSelect)->UseManualTime()->Iterations(200)->Unit(benchmark::kMicrosecond);

struct BulkRow {
  QString ysth, tyrq;
  int js;
  double zl;
};

BulkRow bulk_row(int i) {
  return {"B" + padded(i, 7), "2004-" + padded(i % 12 + 1, 2) + '-' + padded(i % 28 + 1, 2), i % 50,
          i * 0.25};
}

QString fresh_db(const QString& name) {
  const QString path = work_dir().filePath(name);
  QFile::remove(path);
  vemo::Connection db;
  db.open(path, vemo::OpenMode::CreateIfMissing);
  db.execute(kSchema);
  return path;
}

void BM_RecordsetBulkAddNew(benchmark::State& state) {
  std::vector<BulkRow> rows;  // made outside the timing, as the tool's script is
  for (int i = 0; i < kBulkRows; ++i) rows.push_back(bulk_row(i));
  for (auto _ : state) {
    const QString path = fresh_db("bulk_rs.db");
    const auto start = Clock::now();
    vemo::Connection db;
    db.open(path);
    vemo::Transaction work(db);
    auto rs = db.open_table_recordset("yswtd1");
    for (const BulkRow& row : rows) {
      rs->AddNew();
      rs->SetValue("ysth", row.ysth);
      rs->SetValue("tyrq", row.tyrq);
      rs->SetValue("fz", QStringLiteral("成都"));
      rs->SetValue("dz", QStringLiteral("昆明"));
      rs->SetValue("js", row.js);
      rs->SetValue("zl", row.zl);
      rs->Update();
    }
    work.commit();
    const double s = std::chrono::duration<double>(Clock::now() - start).count();
    if (rs->RecordCount() != kBulkRows) state.SkipWithError("rows missing");
    bulk_recordset_s.push_back(s);
    state.SetIterationTime(s);
  }
}
BENCHMARK(BM_RecordsetBulkAddNew)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// Baseline: the sqlite3 tool running the same rows as INSERT statements in one transaction.
void BM_Sqlite3ToolInserts(benchmark::State& state) {
  const QString sql_path = work_dir().filePath("bulk.sql");
  {
    QFile file(sql_path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream out(&file);
    out << "BEGIN;\n";
    for (int i = 0; i < kBulkRows; ++i) {
      const BulkRow row = bulk_row(i);
      out << "INSERT INTO yswtd1 (ysth, tyrq, fz, dz, js, zl) VALUES (" << vemo::sql_quote(row.ysth)
          << ',' << vemo::sql_quote(row.tyrq) << ",'成都','昆明'," << vemo::number_text(row.js)
          << ',' << vemo::number_text(row.zl) << ");\n";
    }
    out << "COMMIT;\n";
  }
  for (auto _ : state) {
    const QString path = fresh_db("bulk_cli.db");
    const QByteArray command = "sqlite3 '" + path.toUtf8() + "' < '" + sql_path.toUtf8() + "'";
    const auto start = Clock::now();
    const int rc = std::system(command.constData());
    const double s = std::chrono::duration<double>(Clock::now() - start).count();
    if (rc != 0) state.SkipWithError("sqlite3 tool failed");
    bulk_cli_s.push_back(s);
    state.SetIterationTime(s);
  }
}
BENCHMARK(BM_Sqlite3ToolInserts)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const double open_ms = median(filtered_open_ms), raw_ms = median(raw_select_ms);
  const double rs_s = median(bulk_recordset_s), cli_s = median(bulk_cli_s);
  std::printf("\nopen_table_recordset + filter on 1,000,000 rows: median %.3f ms (goal < 2 ms)\n",
              open_ms);
  if (raw_ms > 0) {
    std::printf("  raw SQLite select of the same row: median %.3f ms, ratio %.2f\n", raw_ms,
                open_ms / raw_ms);
  }
  std::printf("100,000 AddNew/SetValue/Update in one transaction: median %.3f s\n", rs_s);
  if (cli_s > 0) {
    std::printf(
        "  sqlite3 tool, 100,000 INSERTs in BEGIN/COMMIT: median %.3f s, ratio %.2f "
        "(goal < 3)\n",
        cli_s, rs_s / cli_s);
  }
  return 0;
}
