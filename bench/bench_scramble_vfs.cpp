// Cost of the scrambling file layer: small commits (each rewrites page 1) and cold reads,
// on a scrambled file through the layer against a plain file through the default VFS.
#include "platform/scramble_layout.h"
#include "platform/scramble_vfs.h"

#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

struct Fixture {
  QTemporaryDir dir;
  QString path;
  sqlite3* db = nullptr;

  explicit Fixture(bool through_layer) {
    path = dir.path() + "/bench.mdb";
    const char* vfs = through_layer ? vemo::scramble_vfs_name() : nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                    vfs);
    sqlite3_exec(db,
                 "PRAGMA synchronous=OFF; CREATE TABLE t(id INTEGER PRIMARY KEY, note TEXT);"
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                 "INSERT INTO t SELECT i, hex(randomblob(40)) FROM n",
                 nullptr, nullptr, nullptr);
    if (through_layer) {
      QString why;
      vemo::rotate_file(vemo::Rotation::Scramble, path, &why);
    }
  }
  ~Fixture() { sqlite3_close(db); }
};

void small_commits(benchmark::State& state) {
  Fixture fixture(state.range(0) != 0);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(fixture.db, "INSERT INTO t(note) VALUES ('x')", -1, &insert, nullptr);
  for (auto _ : state) {
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  state.SetLabel(state.range(0) ? "scrambled file, layer" : "plain file, default VFS");
}

void cold_reads(benchmark::State& state) {
  Fixture fixture(state.range(0) != 0);
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(fixture.db, "SELECT note FROM t WHERE id = ?", -1, &select, nullptr);
  int id = 1;
  for (auto _ : state) {
    // Dropping the cache makes every look-up read pages, page 1 included.
    sqlite3_db_release_memory(fixture.db);
    sqlite3_bind_int(select, 1, id);
    benchmark::DoNotOptimize(sqlite3_step(select));
    sqlite3_reset(select);
    id = id % 20000 + 7;
  }
  sqlite3_finalize(select);
  state.SetLabel(state.range(0) ? "scrambled file, layer" : "plain file, default VFS");
}

BENCHMARK(small_commits)->Arg(0)->Arg(1);
BENCHMARK(cold_reads)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
