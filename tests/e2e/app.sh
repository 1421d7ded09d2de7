#!/usr/bin/env bash
# End-to-end checks of the real program in a private Xvfb: app.sh CHECK APP PROBE
# Clicks and keys come from xdotool; what the display shows is read from root-window shots.
set -uo pipefail

check=$1
app=$2
probe=$3

here=$(dirname "$0")
# shellcheck source=lib.sh
. "$here/lib.sh"

W=1920
H=1080

# The main menu box at (W/8, H/4), 400 wide; item k is hit at y + 30 (k - 1) + 10.
menu_x=240
menu_y=270
item_y() { echo $((menu_y + 30 * ($1 - 1) + 10)); }

start_app() {
  "$app" >"$work/out" 2>"$work/err" &
  probe_pid=$!
}

# A shot of the root window as raw RGB, three bytes a pixel.
shot() {
  xwd -root -silent >"$work/root.xwd" || fail "xwd"
  convert "$work/root.xwd" "rgb:$work/root.rgb" || fail "convert"
  shot_w=$(screen_size | cut -dx -f1)
}

# The pixel at (x, y) of the last shot as rrggbb.
px() { od -An -tx1 -j $((($2 * shot_w + $1) * 3)) -N3 "$work/root.rgb" | tr -d ' \n'; }

expect_px() {
  local got
  got=$(px "$1" "$2")
  [ "$got" = "$3" ] || fail "$4: pixel ($1, $2) is $got, not $3"
}

# Takes shots until the pixel at (x, y) is rrggbb: until_px SECONDS X Y RRGGBB
until_px() {
  local deadline=$((SECONDS + $1))
  until shot && [ "$(px "$2" "$3")" = "$4" ]; do
    alive || fail "the program ended while waiting for ($2, $3) to be $4"
    [ "$SECONDS" -lt "$deadline" ] || fail "($2, $3) never became $4 (it is $(px "$2" "$3"))"
    sleep 0.05
  done
}

# The main screen is up: the grey background and item 1 lit.
until_main_screen() { until_px "${1:-15}" $((menu_x + 399)) $((menu_y + 6)) ffffff; }

click() { xdotool mousemove "$1" "$2" click 1; }

ticks() { awk '{print $14 + $15}' "/proc/$probe_pid/stat"; }

check_main_screen() {
  start_x
  # The time to the first main screen, with the font cache warm from a first start.
  "$probe" time-start "$app" $((menu_x + 399)) $((menu_y + 6)) ffffff >/dev/null
  "$probe" time-start "$app" $((menu_x + 399)) $((menu_y + 6)) ffffff >"$work/started" ||
    fail "the main screen did not come up"
  echo "start to main screen: $(cat "$work/started")"
  start_app
  until_main_screen
  expect_px 5 5 a0a0a0 "the background"
  expect_px "$menu_x" $((menu_y + 100)) ffffff "the outer frame"
  expect_px $((menu_x + 1)) $((menu_y + 100)) 000000 "the panel between the frames"
  expect_px $((menu_x + 3)) $((menu_y + 100)) ffffff "the inner frame"
  expect_px $((menu_x + 410)) $((menu_y + 30 * 14 + 10)) ffffff "the frame's far corner"
  expect_px $((menu_x + 411)) $((menu_y + 100)) a0a0a0 "beside the box"
  expect_px $((menu_x + 399)) $((menu_y + 36)) 0000ff "item 2's bar"
  expect_px $((menu_x + 400)) $((menu_y + 30 * 14 + 5)) 0000ff "item 14's bar"

  # Waiting in the menu costs (almost) nothing.
  sleep 1
  local before after
  before=$(ticks)
  sleep 3
  after=$(ticks)
  local used=$((after - before))
  echo "CPU while waiting 3 s: $used ticks of $(getconf CLK_TCK) per second"
  [ "$used" -le $((3 * $(getconf CLK_TCK) / 20)) ] || fail "waiting used $used ticks in 3 s"
  kill -TERM "$probe_pid"
  finish_probe 143
}

check_desktop_info() {
  start_x
  start_app
  until_main_screen
  click $((menu_x + 20)) "$(item_y 12)"
  # The box at (W/4, H/4), 565 wide, blue bars; the values at x = W/2 on each label's line.
  until_px 10 $((480 + 564)) $((270 + 6)) 0000ff
  expect_px $((480 + 565 + 10)) $((270 + 100)) ffffff "the info box's frame"
  local x y white=0
  for y in $(seq $((270 + 35)) $((270 + 60))); do
    for x in $(seq 960 4 1100); do [ "$(px "$x" "$y")" = ffffff ] && white=$((white + 1)); done
  done
  [ "$white" -gt 10 ] || fail "no value text beside \"Resolution (pixels)\""
  xdotool key q
  until_px 10 $((480 + 564)) $((270 + 6)) a0a0a0
  # Redrawn, with the highlight on the item under the pointer.
  until_px 10 $((menu_x + 399)) $((menu_y + 30 * 11 + 6)) ffffff
  click $((menu_x + 20)) "$(item_y 14)"
  finish_probe 0
}

check_exit() {
  start_x
  start_app
  until_main_screen
  click $((menu_x + 20)) "$(item_y 14)"
  finish_probe 0
  expect_size 1920x1080 "after Exit Program"
  [ ! -s "$work/err" ] || fail "the program said something on stderr: $(cat "$work/err")"
}

case "$check" in
  main_screen | desktop_info | exit) "check_$check" ;;
  *) echo "unknown check $check" >&2; exit 2 ;;
esac
echo "ok: $check"
