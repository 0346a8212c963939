#!/usr/bin/env bash
# A clerk in a real window: start vemo on a fresh demo station in a virtual display, log in as
# the writer, type a new waybill number and answer Yes, fill the shipper and a goods line, leave
# without a backup, then read the records back from the database file.
# Usage: clerk_window.sh BIN_DIR [SHOTS_DIR]   (needs xvfb-run, xdotool, sqlite3)
set -euo pipefail
bin=$1
shots=${2:-}
if [ -z "${VEMO_E2E_INNER:-}" ]; then
  export VEMO_E2E_INNER=1
  exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$@"
fi
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
# ./test runs the widget tests offscreen; this one needs the virtual display.
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'kill "${pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
station=$work/station
"$bin/vemo-cli" init "$station" --demo 10 --seed 3 >/dev/null

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/vemo.err" ] && tail -20 "$work/vemo.err" >&2
  exit 1
}
# Waits until a visible window's title matches; prints its id.
wait_window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  fail "window '$1' did not appear"
}
# Waits until a window has gone (a message box closed by its answer).
wait_gone() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "$2" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.05
  done
  fail "window '$2' did not close"
}
# Answers the message box with the title: waits for it, sends the keys, waits until it closed.
answer() {
  local box
  box=$(wait_window "$1")
  xdotool windowfocus "$box" 2>/dev/null || true
  keys "${@:2}"
  wait_gone "$box" "$1"
}
# Keys to the window that has the input focus, as a keyboard sends them.
keys() { xdotool key --delay 40 "$@"; sleep 0.2; }
type_text() { xdotool type --delay 40 "$1"; sleep 0.2; }
shot() { [ -z "$shots" ] || xwd -root -silent | convert xwd:- "$shots/$1.png" 2>/dev/null || true; }

number=CD2612E2E01
"$bin/vemo" "$station" 2>"$work/vemo.err" &
pid=$!

login=$(wait_window '^登录$')
xdotool windowfocus --sync "$login" 2>/dev/null || true
shot login
keys alt+u Down          # 张丽, the second name of the user list
keys alt+p
type_text zl2026
keys Return
main=$(wait_window 'INTERNET')
sleep 0.5
shot main

# Cells are to be stored as they are typed: untick 手动存盘 (bottom left, 80 px above the
# window's lower edge, below the page whose height follows the window).
height=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
xdotool mousemove 15 $((height - 71))
sleep 0.3
xdotool mousedown 1 mouseup 1
sleep 0.5
# From A1 (under the title) one row down and two cells right is the number cell M2.
keys ctrl+Home Down Right Right
type_text "$number"
shot typed
keys Return
answer '^运输托号$' Return  # 该运输托号不存在？
answer '^运输托号$' y       # 你确定增加新的运输托号？ yswtd1
# The cursor now walks the input cells: address, transport, vehicle, vehicle kind, shipper.
keys Return Return Return Return
type_text "E2E Trading"
keys Return
# The first goods line, from the top eight rows down and one cell right: B11. Enter goes down
# the column, so after each cell the clerk steps back up and right: name, packing, pieces,
# weight.
keys ctrl+Home Down Down Down Down Down Down Down Down Right
for value in "steel pipe" box 12 340; do
  type_text "$value"
  keys Return Up Right
done
sleep 0.5
shot waybill
# The page is in manual-save mode again after the first change: 手动存盘 stores it.
xdotool mousemove 742 $((height - 68))
sleep 0.3
xdotool mousedown 1 mouseup 1
sleep 0.5

# 文件 → 退出 (the last item of the menu).
xdotool mousemove 20 10
sleep 0.2
xdotool mousedown 1 mouseup 1
sleep 0.5
keys Up Return
answer '^退出$' y
answer '^备份$' n
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$pid" 2>/dev/null && fail "vemo did not end after 退出"

"$bin/vemo-cli" mode "$station" dev --password kelp591 >/dev/null
db=$station/澜川.mdb
q() { sqlite3 "$db" "$1"; }
[ "$(q "select count(*) from yswtd1 where ysth='$number'")" = 1 ] || fail "no yswtd1 record"
[ "$(q "select fhdwmc from yswtd1 where ysth='$number'")" = "E2E Trading" ] ||
  fail "shipper: $(q "select fhdwmc from yswtd1 where ysth='$number'")"
line=$(q "select hwmc, bzfs, printf('%g', js), printf('%g', zl) from yswtd2 where ysth='$number' and fh_wz=1")
[ "$line" = "steel pipe|box|12|340" ] || fail "goods line: '$line'"
echo "ok: $number stored with shipper and goods line"
