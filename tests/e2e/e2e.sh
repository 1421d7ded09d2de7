#!/usr/bin/env bash
# One end-to-end check in a private Xvfb: e2e.sh CHECK PROBE APP
# Only what a real X server can show is checked here; the pixels of the patterns are pinned by the
# scenario tests. The server and the program are always taken down, whatever happens.
set -uo pipefail

check=$1
probe=$2
app=$3

here=$(dirname "$0")
# shellcheck source=lib.sh
. "$here/lib.sh"

# --- the graphics layer on the SDL backend, through the probe -------------------------------

check_pattern() {
  start_x
  start_probe pattern
  for depth in 32 16 8; do
    wait_for "^ready $depth\$"
    local shown=""
    for _ in 1 2 3 4 5 6 7 8 9 10; do
      xwd -root -silent >"$work/root.xwd" || fail "xwd"
      if "$probe" check-xwd "$work/root.xwd" "$depth" >"$work/check"; then shown=1; break; fi
      sleep 0.2
    done
    [ -n "$shown" ] || fail "the $depth-bit pattern is not on the screen: $(cat "$work/check")"
    send next
  done
  finish 0
}

check_modes() {
  start_x
  start_probe modes
  finish 0
  expect_line '^desktop 1920x1080x24@0$'
  for mode in 800x600x8@75 800x600x16@75 800x600x24@60 800x600x32@60 1024x768x8@60 \
              1920x1080x32@0; do
    expect_line "^mode $mode\$"
  done
  said '1000x700' && fail "a size the display lacks is listed"
  expect_line '^list8 800x600 1024x768 1920x1080$'
}

# The size's default rate when the display lacks the rate asked for; the desktop mode comes back
# after SIGINT (the rate kept, and the other ends, are checked through the real program).
check_switch() {
  start_x
  start_probe mode 800 600 85
  wait_for '^ready$'
  expect_line '^attempt 800x600x32@85 full refused$'
  expect_line '^attempt 800x600x32@0 full ok$'
  expect_line '^screen 800x600x32@60$'
  expect_size 800x600 "at 800 x 600 @ default"
  kill -INT "$pid"
  finish 130
  expect_size 1920x1080 "after SIGINT"
}

check_missing_mode() {
  start_x
  # A size between the listed ones (SDL would pick 1024 x 768): a window that says what it is.
  local size=1000x700
  start_probe mode 1000 700 0
  wait_for '^ready$'
  expect_line "^attempt ${size}x32@0 full refused\$"
  expect_line "^attempt ${size}x32@0 window ok\$"
  expect_line "^screen ${size}x32@0\$"
  said 'full ok' && fail "a substituted mode was taken for $size"
  expect_size 1920x1080 "with a $size window"
  local id
  id=$(xdotool search --name "^Orventa - $size in a window" | head -n1)
  [ -n "$id" ] || fail "no window whose title names $size"
  [ "$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')" = "$size" ] ||
    fail "the window is not $size"
  grep -q "$size" "$work/err" || fail "nothing on stderr names the $size window"
  # The window is centred: (460, 190) is its corner. Outside it the mouse reads fail.
  xdotool mousemove 10 10
  wait_for '^mouse 1 -1 -1 -1 -1$'
  xdotool mousemove 500 300
  wait_for '^mouse 0 40 110 0 0$'
  send quit
  finish 0

  # Larger than this X screen can ever be: refused before any window, at once.
  start_probe mode 2560 1440 0
  wait_for '^ready$'
  expect_line '^attempt 2560x1440x32@0 window refused$'
  said 'window ok' && fail "a window larger than the X screen was opened"
  send quit
  finish 0
}

check_input() {
  start_x
  start_probe input
  wait_for '^ready$'
  xdotool mousemove 100 200
  wait_for '^mouse 0 100 200 0 0$'
  xdotool key --delay 20 Return Escape BackSpace Tab Up Down Left Right Home End Prior Next \
    Insert Delete F1 F10 F11 F12 ctrl+Up shift+F1 alt+F12 ctrl+Left KP_Up a B 3
  xdotool key eacute
  local expected='0d,1b,08,09,ff 48,ff 50,ff 4b,ff 4d,ff 47,ff 4f,ff 49,ff 51,'
  expected+='ff 52,ff 53,ff 3b,ff 44,ff 85,ff 86,ff 8d,ff 54,ff 8c,ff 73,ff 48,61,42,33,82'
  until_true 10 test "$(grep -c '^key' "$work/out")" -ge 27
  local keys
  keys=$(sed -n 's/^key //p' "$work/out" | paste -sd,)
  [ "$keys" = "$expected" ] || fail "keys read: $keys"

  # Buttons: bit 0 left, 1 right, 2 middle; the wheel counts its events.
  local button bit
  for button in 1 3 2; do
    case $button in 1) bit=1 ;; 3) bit=2 ;; 2) bit=4 ;; esac
    xdotool mousedown "$button"
    wait_for "^mouse 0 100 200 0 $bit\$"
    xdotool mouseup "$button"
    wait_for "^mouse 0 100 200 0 0\$"
  done
  xdotool click 4
  wait_for '^mouse 0 100 200 1 0$'
  xdotool click --repeat 2 --delay 50 5
  wait_for '^mouse 0 100 200 -1 0$'
  xdotool mousemove 1919 1079
  wait_for '^mouse 0 1919 1079 -1 0$'

  # The window manager's close button reads as Alt+F4 and leaves the program and its window be.
  local window
  window=$(window)
  [ -n "$window" ] || fail "no Orventa window"
  "$probe" close "$window" || fail "could not send WM_DELETE_WINDOW"
  wait_for '^key ff 6b$'
  sleep 0.2
  alive || fail "the close button ended the program"
  [ -n "$(window)" ] || fail "the close button closed the window"
  send quit
  finish 0
}

beep_ms() { sed -n 's/^beep \([0-9]*\) ms$/\1/p' "$work/out"; }

check_beep() {
  start_x
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/beep.raw" start_probe beep
  finish 0
  "$probe" check-tone "$work/beep.raw" >"$work/tone" || fail "recorded $(cat "$work/tone")"
  echo "recorded $(cat "$work/tone"), beep() took $(beep_ms) ms"
  [ ! -s "$work/err" ] || fail "the beep printed on stderr"

  # Without a sound device: silent, and still the tone's length.
  local driver
  for driver in none-such alsa; do
    SDL_AUDIODRIVER=$driver start_probe beep
    finish 0
    [ ! -s "$work/err" ] || fail "a beep without a device ($driver) printed on stderr"
    [ "$(grep -vc '^beep' "$work/out")" -eq 0 ] || fail "a beep without a device printed"
    local ms
    ms=$(beep_ms)
    [ -n "$ms" ] && [ "$ms" -ge 250 ] && [ "$ms" -lt 400 ] ||
      fail "a beep without a device ($driver) took ${ms:-?} ms"
  done
}

check_no_display() {
  local binary status
  for binary in "$probe" "$app"; do
    for display in "" ":9973"; do
      [ "$binary" = "$probe" ] && set -- input || set --
      env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY="$display" \
        timeout 20 "$binary" "$@" >"$work/out" 2>"$work/err"
      status=$?
      [ "$status" -eq 1 ] || fail "$(basename "$binary") with DISPLAY='$display': status $status"
      [ "$(wc -l <"$work/err")" -eq 1 ] ||
        fail "$(basename "$binary") with DISPLAY='$display' should say one line on stderr"
      [ ! -s "$work/out" ] || fail "$(basename "$binary") printed on stdout"
    done
  done
}

# --- the real program, driven through its menus ---------------------------------------------

# Desktop info's second box under Xvfb: eleven rows, the monitor unknown (Xvfb gives no EDID),
# the refresh rate measured within a few seconds; --list-displays says the same in one line.
check_app_desktop_info() {
  start_x
  expect_displays '^display 0: X11 session, driver x11, output screen, 1920x1080 pixels, scale 1, modes can be switched; monitor unknown \(no EDID\); refresh not given by the mode, measured: [0-9.]+ Hz \(spread [0-9.]+\) over [0-9]+ frames$'
  start_app
  until_main_screen
  pick_main 12
  # The second box at (W/4, H/4 + 210), 900 wide: its eleventh bar, the measured rate's.
  until_px 10 $((480 + 899)) $((480 + 300 + 6)) 0000ff
  # ":measuring..." ends before x = 830; the rate and its frames reach past it.
  until_true 8 eval 'shot && [ "$(count 830 788 200 18 0000ff)" -lt 3600 ]' ||
    fail "no measured rate in desktop info"
  xdotool key space
  until_px 10 $((480 + 899)) $((480 + 300 + 6)) a0a0a0
  pick_main 14
  finish 0
}

run_check
