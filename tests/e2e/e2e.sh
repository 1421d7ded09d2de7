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

# The mode asked for, or the size's default rate when the display lacks the rate; the desktop
# mode comes back however the program ends.
check_switch() {
  start_x
  start_probe mode 800 600 75
  wait_for '^ready$'
  expect_line '^attempt 800x600x32@75 full ok$'
  expect_line '^screen 800x600x32@75$'
  expect_size 800x600 "at 800 x 600 @ 75"
  [ "$(screen_rate)" = 75.00 ] || fail "the rate is $(screen_rate), not 75.00"
  send quit
  finish 0
  expect_size 1920x1080 "after the program ended"

  start_probe mode 800 600 85
  wait_for '^ready$'
  expect_line '^attempt 800x600x32@85 full refused$'
  expect_line '^attempt 800x600x32@0 full ok$'
  expect_line '^screen 800x600x32@60$'
  expect_size 800x600 "at 800 x 600 @ default"
  kill -TERM "$pid"
  finish 143
  expect_size 1920x1080 "after SIGTERM"

  start_probe mode 1024 768 0
  wait_for '^ready$'
  expect_size 1024x768 "before SIGINT"
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

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }

# The desktop mode full screen, the main screen on it, no CPU spent waiting, and the desktop mode
# as it was after "Exit Program".
check_app_main_screen() {
  start_x
  start_app
  until_main_screen
  [ "$(window_geometry)" = 1920x1080 ] || fail "the window is $(window_geometry)"
  expect_px 5 5 a0a0a0 "the background"
  # Blue, unlike grey and white, shows swapped colour channels.
  expect_px $((menu_x + 399)) $((menu_y + 36)) 0000ff "item 2's bar"

  sleep 1
  local before used
  before=$(ticks)
  sleep 3
  used=$(($(ticks) - before))
  echo "CPU while waiting 3 s: $used ticks of $(getconf CLK_TCK) per second"
  [ "$used" -le $((3 * $(getconf CLK_TCK) / 20)) ] || fail "waiting used $used ticks in 3 s"

  pick_main 14
  finish 0
  expect_size 1920x1080 "after Exit Program"
  [ ! -s "$work/err" ] || fail "the program said something on stderr: $(cat "$work/err")"
}

# A test in its own mode: 800 x 600 through the settings menu, the resolution card in it, the
# desktop mode back after a key, and again after SIGTERM in the test mode.
check_app_resolution_card() {
  start_x
  start_app
  until_main_screen
  pick_main 1
  pick 480 270 300 1  # the settings menu at (W/4, H/4): "Choose resolution"
  pick 552 324 350 2  # the resolution menu at (2.3 W / 8, 1.2 H / 4): SVGA
  until_px 10 $((552 + 349)) $((324 + 6)) a0a0a0
  pick_main 2
  until_size 800x600 "in the card's mode"
  # The card's frame on the mode's edges shows that the whole frame reached the screen.
  until_px 10 799 599 ffffff
  local point
  for point in 0,0 799,0 0,599 400,300; do
    expect_px "${point%,*}" "${point#*,}" ffffff "the card at ($point)"
  done
  expect_px 1 2 000000 "inside the card's frame"
  xdotool key x
  until_size 1920x1080 "after the card"
  until_px 10 5 5 a0a0a0
  until_px 10 "$menu_x" $((menu_y + 100)) ffffff

  pick_main 2
  until_size 800x600 "in the card's mode again"
  kill -TERM "$pid"
  finish 143
  expect_size 1920x1080 "after SIGTERM in a test mode"
}

# Whether the last shot has any ink (a pixel not black) in a W x H box at (X, Y): ink X Y W H
ink() {
  [ "$(convert -size "${shot_w}x$(screen_size | cut -dx -f2)" -depth 8 "rgb:$work/root.rgb" \
    -crop "$3x$4+$1+$2" +repage -format '%[max]' info:)" != 0 ]
}

# The refresh test measures the rate the display runs at: a line under the question on the test
# screen, and, when the rate is off the one asked for (Xvfb paces near 60 Hz whatever the mode
# says), a third line in the result box.
check_app_refresh_measured() {
  start_x
  start_app
  until_main_screen
  pick_main 1
  pick 480 270 300 1  # "Choose resolution"
  pick 552 324 350 2  # SVGA
  local rate
  for rate in 1 4; do  # 60 Hz, then 75 Hz
    until_px 10 $((552 + 349)) $((324 + 6)) a0a0a0
    pick_main 1
    pick 480 270 300 3     # "Choose refresh"
    pick 552 351 110 "$rate"
    until_px 10 $((552 + 109)) $((351 + 6)) a0a0a0
    pick_main 9
    until_size 800x600 "in the refresh test's mode"
    # The question at (W/4, H/2) = (200, 300); the measured line 60 rows below it.
    local deadline=$((SECONDS + 8))
    until shot && [ "$(screen_size)" = 800x600 ] && ink 200 360 300 20; do
      [ "$SECONDS" -lt "$deadline" ] || fail "no measured line on the test screen"
      sleep 0.2
    done
    if [ "$rate" = 4 ]; then
      # Not confirmed: the blue box of two lines and the measured rate's third, at (710, 360).
      until_px 15 1209 366 0000ff
      expect_px 1209 426 0000ff "the result box's third line"
    else
      xdotool key h
      until_px 10 1209 366 ff0000
    fi
    xdotool key space
    # The pointer rests on item 9, which the menu lights at once: wait for the frame instead.
    until_px 10 5 5 a0a0a0
    until_px 10 "$menu_x" $((menu_y + 100)) ffffff
  done
  pick_main 14
  finish 0
}

# Whether the last shot has white text in a W x H box on blue bars: the red channel says.
text_on_blue() {
  [ "$(convert -size "${shot_w}x$(screen_size | cut -dx -f2)" -depth 8 "rgb:$work/root.rgb" \
    -crop "$3x$4+$1+$2" +repage -channel R -separate -format '%[max]' info:)" != 0 ]
}

# Desktop info's second box under Xvfb: eleven rows, the monitor unknown (Xvfb gives no EDID),
# the refresh rate measured within a few seconds; --list-displays says the same in one line.
check_app_desktop_info() {
  start_x
  "$app" --list-displays >"$work/list" 2>&1 || fail "--list-displays: $(cat "$work/list")"
  cat "$work/list"
  grep -q '^display 0: X11 session, driver x11, output screen, 1920x1080 pixels, scale 1, modes can be switched; monitor unknown (no EDID); refresh not given by the mode, measured [0-9.]* Hz (spread [0-9.]*) over [0-9]* frames$' \
    "$work/list" || fail "--list-displays said: $(cat "$work/list")"
  start_app
  until_main_screen
  pick_main 12
  # The second box at (W/4, H/4 + 210), 900 wide: its eleventh bar, the measured rate's.
  until_px 10 $((480 + 899)) $((480 + 300 + 6)) 0000ff
  local deadline=$((SECONDS + 8))
  # ":measuring..." ends before x = 830; the rate and its frames reach past it.
  until shot && text_on_blue 830 $((480 + 300 + 8)) 200 18; do
    [ "$SECONDS" -lt "$deadline" ] || fail "no measured rate in desktop info"
    sleep 0.2
  done
  xdotool key space
  until_px 10 $((480 + 899)) $((480 + 300 + 6)) a0a0a0
  pick_main 14
  finish 0
}

run_check
