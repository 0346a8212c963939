#!/usr/bin/env bash
# Start-up timing of the desktop app on a large station, in a virtual display:
#   from process start to the log-in dialog on screen (splash included), and
#   from pressing 确定 to the main window ready (log-in without compaction).
# Baseline in the same run: vemo-cli login on the same station (a whole process that opens
# both databases and checks the same user).
# Usage: bench/startup_timing.sh [WAYBILLS] [RUNS]   (defaults 100000, 5)
set -euo pipefail
cd "$(dirname "$0")/.."
waybills=${1:-100000}
runs=${2:-5}
scripts/install-deps
cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build build -j2 --target vemo vemo-cli >/dev/null
bin=$(pwd)/build/bin
work=${VEMO_BENCH_DIR:-/tmp/vemo-startup-bench}
station=$work/station-$waybills
mkdir -p "$work"
if [ ! -e "$station/澜川.mdb" ]; then
  rm -rf "$station"
  echo "建立 $waybills 张运单的演示站点…"
  "$bin/vemo-cli" init "$station" --demo "$waybills" --seed 1 >/dev/null
fi
export VEMO_STATION="$station" VEMO_BIN="$bin" VEMO_RUNS="$runs"
exec xvfb-run -a -s '-screen 0 1280x1024x24' bash bench/startup_timing_inner.sh
