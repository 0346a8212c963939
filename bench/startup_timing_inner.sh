#!/usr/bin/env bash
# The measuring part of startup_timing.sh, inside the virtual display.
set -euo pipefail
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
now_ms() { date +%s%3N; }
# Polls (every 5 ms) until a window with the title exists; prints the time it appeared.
wait_window() {
  local pattern=$1 deadline=$(($(now_ms) + 20000))
  while ! xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do
    [ "$(now_ms)" -lt "$deadline" ] || { echo "窗口没有出现: $pattern" >&2; return 1; }
    sleep 0.005
  done
  now_ms
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

dialog=() ready=() baseline=()
for run in $(seq "$VEMO_RUNS"); do
  t0=$(now_ms)
  "$VEMO_BIN/vemo-cli" login "$VEMO_STATION" --user admin --password admin2026 >/dev/null
  baseline+=($(($(now_ms) - t0)))

  t0=$(now_ms)
  "$VEMO_BIN/vemo" "$VEMO_STATION" 2>/dev/null &
  pid=$!
  t1=$(wait_window '^登录$')
  dialog+=($((t1 - t0)))
  win=$(xdotool search --onlyvisible --name '^登录$' | head -1)
  xdotool windowactivate --sync "$win" 2>/dev/null || true
  xdotool key --window "$win" alt+p
  xdotool type --window "$win" admin2026
  t2=$(now_ms)
  xdotool key --window "$win" Return
  t3=$(wait_window 'INTERNET')
  ready+=($((t3 - t2)))
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
b=$(printf '%s\n' "${baseline[@]}" | median)
d=$(printf '%s\n' "${dialog[@]}" | median)
r=$(printf '%s\n' "${ready[@]}" | median)
echo "站点: $VEMO_STATION（$VEMO_RUNS 次，取中位数）"
echo "启动到登录对话框: ${d} ms（目标 < 800 ms；各次: ${dialog[*]}）"
echo "确定到主窗口就绪: ${r} ms（目标 < 1000 ms；各次: ${ready[*]}）"
echo "基准 vemo-cli login 整个进程: ${b} ms；比值 登录对话框/基准 = $(awk "BEGIN {printf \"%.2f\", $d/$b}")，主窗口/基准 = $(awk "BEGIN {printf \"%.2f\", $r/$b}")"
