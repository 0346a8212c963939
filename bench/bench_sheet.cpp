// Sheet model benchmarks: recalculation after one change with 1,000 dependent formulas, and
// the memory of a 10,000 x 20 page of values. Each figure comes with a baseline of the same run.
#include "platform/sheet.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>
#include <fstream>
#include <memory>

namespace {

using vemo::Sheet;

constexpr int kDependents = 1000;

// Resident set size in bytes, from /proc.
long resident_bytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * 4096;
}

// B1..B1000 each read A1; C1 reads nothing.
void fill_fan_out(Sheet& sheet) {
  sheet.cell(1, 1).set_value(1);
  for (int r = 1; r <= kDependents; ++r)
    sheet.cell(r, 2).set_formula(QStringLiteral("=$A$1*%1+ROUND(A%1/3,2)").arg(r));
}

// Baseline: the same write into a cell no formula reads, on the same page.
void BM_WriteWithoutDependents(benchmark::State& state) {
  Sheet sheet;
  fill_fan_out(sheet);
  double v = 0;
  for (auto _ : state) sheet.cell(1, 3).set_value(++v);
}
BENCHMARK(BM_WriteWithoutDependents)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_RecalcAfterChangeWith1000Dependents(benchmark::State& state) {
  Sheet sheet;
  fill_fan_out(sheet);
  double v = 0;
  for (auto _ : state) sheet.cell(1, 1).set_value(++v);
  if (sheet.cell(kDependents, 2).value().as_number() < v * kDependents)
    state.SkipWithError("dependents were not recomputed");
}
BENCHMARK(BM_RecalcAfterChangeWith1000Dependents)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// A chain of 1,000 cells, each reading the one above.
void BM_RecalcChainOf1000(benchmark::State& state) {
  Sheet sheet;
  sheet.cell(1, 1).set_value(0);
  for (int r = 2; r <= kDependents + 1; ++r)
    sheet.cell(r, 1).set_formula(QStringLiteral("=A%1+1").arg(r - 1));
  double v = 0;
  for (auto _ : state) sheet.cell(1, 1).set_value(++v);
}
BENCHMARK(BM_RecalcChainOf1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// Memory of 10,000 rows x 20 columns of numbers and short texts, against the bare doubles.
void BM_MemoryOf10000x20Values(benchmark::State& state) {
  constexpr int kRows = 10000;
  constexpr int kColumns = 20;
  for (auto _ : state) {
    const long before = resident_bytes();
    auto sheet = std::make_unique<Sheet>();
    for (int r = 1; r <= kRows; ++r)
      for (int c = 1; c <= kColumns; ++c) {
        if (c % 4 == 0)
          sheet->cell(r, c).set_value(QStringLiteral("'%1").arg(r * 100 + c));
        else
          sheet->cell(r, c).set_value(r * 1.5 + c);
      }
    const long after = resident_bytes();
    const double grown_mb = (after - before) / 1048576.0;
    const double bare_mb = kRows * kColumns * sizeof(double) / 1048576.0;
    state.counters["rss_growth_MB"] = grown_mb;
    state.counters["bare_doubles_MB"] = bare_mb;
    state.counters["ratio_to_bare"] = grown_mb / bare_mb;
    std::printf("10,000 x 20 sheet: RSS grew %.1f MB (bare doubles %.1f MB, ratio %.1f)\n",
                grown_mb, bare_mb, grown_mb / bare_mb);
    benchmark::DoNotOptimize(sheet.get());
  }
}
BENCHMARK(BM_MemoryOf10000x20Values)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
