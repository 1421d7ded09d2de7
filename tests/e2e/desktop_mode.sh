#!/usr/bin/env bash
# The desktop's mode comes back however the program ends, one instance runs per display, and a
# desktop mode changed under the program is followed: desktop_mode.sh CHECK APP
set -uo pipefail

check=$1
app=$2

here=$(dirname "$0")
# shellcheck source=lib.sh
. "$here/lib.sh"

record() { ls "$XDG_RUNTIME_DIR"/*.mode 2>/dev/null; }

# From the main screen: SVGA in the settings, then the resolution card, its frame on the mode's
# outermost rows and columns, black inside.
enter_svga_card() {
  choose_resolution 2
  pick_main 2
  until_size 800x600 "in the card's mode"
  until_px 10 799 599 ffffff
  local point
  for point in 0,0 799,0 0,599 400,300; do
    expect_px "${point%,*}" "${point#*,}" ffffff "the card at ($point)"
  done
  expect_px 1 2 000000 "inside the card's frame"
}

guardian_of() { pgrep -P "$1"; }

# Starts the program with the pointer in the corner, away from the main menu's items: its item 1
# stays lit.
restart_app() {
  xdotool mousemove 0 0
  start_app
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# A kill of any kind in a test mode: the program or, when it cannot, its guardian has the desktop
# mode back within a second.
check_killed() {
  start_x
  local signal start took
  for signal in TERM KILL QUIT SEGV; do
    restart_app
    until_main_screen
    enter_svga_card
    [ -n "$(record)" ] || fail "no record of the desktop mode in the test mode"
    start=$(now_ms)
    kill -"$signal" "$pid"
    until [ "$(screen_size)" = 1920x1080 ]; do
      [ $(($(now_ms) - start)) -lt 5000 ] || fail "SIG$signal: the screen stayed $(screen_size)"
    done
    took=$(($(now_ms) - start))
    echo "SIG$signal in 800x600: 1920x1080 back after $took ms"
    [ "$took" -lt 1000 ] || fail "SIG$signal: the desktop mode took $took ms to come back"
    wait "$pid" 2>/dev/null
    pid=""
    until_true 5 eval '[ -z "$(record)" ]' || fail "SIG$signal: the record was left: $(record)"
  done
}

# A second start on the same display refuses before it touches the display; the first goes on.
check_second_instance() {
  start_x
  start_app
  until_main_screen
  local status
  "$app" >"$work/out2" 2>"$work/err2"
  status=$?
  [ "$status" -eq 1 ] || fail "the second instance ended with status $status"
  [ "$(cat "$work/err2")" = "Orventa is already running on $DISPLAY (pid $pid)" ] ||
    fail "the second instance said: $(cat "$work/err2")"
  [ ! -s "$work/out2" ] || fail "the second instance printed on stdout"
  [ "$(xdotool search --name '^Orventa$' | wc -l)" -eq 1 ] || fail "a second window opened"
  "$app" --restore >"$work/out2" 2>"$work/err2"
  status=$?
  [ "$status" -eq 1 ] && grep -q "already running" "$work/err2" ||
    fail "--restore beside a running instance: status $status, $(cat "$work/err2")"
  # The first is unaffected.
  expect_px 5 5 a0a0a0 "the first instance's main screen"
  pick_main 14
  finish 0
  # Its lock is gone with it: a new start runs.
  restart_app
  until_main_screen
  pick_main 14
  finish 0
}

# The program and its guardian killed together leave the test mode and the record behind.
leave_test_mode() {
  start_app
  until_main_screen
  enter_svga_card
  local guardian
  guardian=$(guardian_of "$pid")
  [ -n "$guardian" ] || fail "no guardian process"
  kill -KILL "$guardian" "$pid"
  wait "$pid" 2>/dev/null
  pid=""
  sleep 0.5
  expect_size 800x600 "with the program and its guardian killed"
  [ -n "$(record)" ] || fail "no record left behind"
}

# A start after such a loss puts the desktop mode back before its main screen, and says so once.
check_left_behind() {
  start_x
  leave_test_mode
  restart_app
  until_main_screen
  expect_size 1920x1080 "at the main screen after the restart"
  [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q 'put back 1920x1080' "$work/err" ||
    fail "the restart said: $(cat "$work/err")"
  [ -z "$(record)" ] || fail "the old record is still there"
  pick_main 14
  finish 0
  expect_size 1920x1080 "after Exit Program"
}

# --restore: the recorded mode, or the output's preferred (here: first) mode; no window.
check_restore() {
  start_x
  leave_test_mode
  "$app" --restore >"$work/out" 2>"$work/err" || fail "--restore with a record failed"
  expect_size 1920x1080 "after --restore with a record"
  grep -q '^Restored the desktop mode recorded by the last run: 1920x1080' "$work/out" ||
    fail "--restore said: $(cat "$work/out")"
  [ -z "$(record)" ] || fail "--restore left the record"

  xrandr -s 800x600 || fail "xrandr -s 800x600"
  "$app" --restore >"$work/out" 2>"$work/err" || fail "--restore without a record failed"
  expect_size 1920x1080 "after --restore without a record"
  grep -q '^Restored the preferred mode' "$work/out" || fail "--restore said: $(cat "$work/out")"
  "$app" --restore >"$work/out" 2>"$work/err" || fail "--restore in the preferred mode failed"
  grep -q '^Already in the preferred mode' "$work/out" || fail "--restore said: $(cat "$work/out")"
  [ -z "$(window)" ] || fail "--restore opened a window"
}

check_arguments() {
  start_x
  local status
  "$app" --help >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" -eq 0 ] && [ ! -s "$work/err" ] && grep -q -- '--restore' "$work/out" &&
    head -n1 "$work/out" | grep -q '^usage: orventa' || fail "--help: status $status"
  "$app" --version >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" -eq 0 ] && [ "$(cat "$work/out")" = "orventa 1.3" ] && [ ! -s "$work/err" ] ||
    fail "--version: status $status, said $(cat "$work/out")"
  for args in --bogus "--help extra" -x; do
    # shellcheck disable=SC2086
    "$app" $args >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 2 ] || fail "'$args': status $status"
    [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q '^usage: orventa' "$work/err" ||
      fail "'$args' said: $(cat "$work/err")"
    [ ! -s "$work/out" ] || fail "'$args' printed on stdout"
  done
  # An output this display lacks, by number or by name: one line, status 2, and no window.
  for wanted in 1 HDMI-9; do
    "$app" --display "$wanted" >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 2 ] || fail "--display $wanted: status $status"
    [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q "$wanted" "$work/err" ||
      fail "--display $wanted said: $(cat "$work/err")"
  done
  [ -z "$(window)" ] || fail "an argument opened a window"
  # The one output there is, by its name: the main screen opens on it.
  start_app --display screen
  until_main_screen
  pick_main 14
  finish 0
}

# The desktop's own mode deleted during a test: no X error ends the program, the output keeps a
# mode (here the first it lists, 1920 x 1080) and the main screen follows it.
check_deleted_desktop() {
  start_x
  xrandr -s 1024x768 || fail "xrandr -s 1024x768"
  start_app
  desktop_is 1024 768
  until_main_screen
  enter_svga_card
  xrandr --delmode screen 1024x768_60 || fail "xrandr --delmode"
  xdotool mousemove 0 0 key x
  desktop_is 1920 1080
  until_main_screen
  alive || fail "the program ended"
  expect_size 1920x1080 "with the desktop's mode gone"
  xrandr | grep -q '\*' || fail "the output has no mode"
  pick_main 14
  finish 0
  xrandr | grep -q '\*' || fail "the output has no mode after Exit Program"
  # The gone mode's main screen may first open as a window, which is said; nothing else is.
  ! grep -v 'shown in a window$' "$work/err" || fail "the program said: $(cat "$work/err")"
}

# A mode set from outside at the main screen becomes the desktop: the main screen is rebuilt at
# its size, a test comes back to it, and Exit Program leaves it.
check_outside_change() {
  start_x
  start_app
  until_main_screen
  xdotool mousemove 0 0
  xrandr -s 1024x768 || fail "xrandr -s 1024x768"
  desktop_is 1024 768
  until_main_screen
  [ "$(window_geometry)" = 1024x768 ] || fail "the main screen is $(window_geometry)"
  enter_svga_card
  xdotool mousemove 0 0 key x
  until_main_screen
  expect_size 1024x768 "after the card"
  pick_main 14
  finish 0
  sleep 0.5
  expect_size 1024x768 "after Exit Program"
}

run_check
