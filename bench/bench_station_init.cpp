// Building a station folder: the empty station as the baseline, then with demo waybills.
#include "station/station_builder.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_BuildStation(benchmark::State& state) {
  for (auto _ : state) {
    QTemporaryDir dir;
    vemo::StationSetup setup;
    setup.demo_waybills = int(state.range(0));
    QString error;
    if (!vemo::build_station(dir.filePath("station"), setup, &error)) {
      state.SkipWithError(error.toStdString().c_str());
    }
  }
  state.counters["waybills"] = double(state.range(0));
}
BENCHMARK(BM_BuildStation)
    ->Arg(0)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
