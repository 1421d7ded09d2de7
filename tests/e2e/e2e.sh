#!/usr/bin/env bash
# One end-to-end check of the SDL backend in a private Xvfb: e2e.sh CHECK PROBE APP
# The server and the probe are always taken down, whatever happens.
set -uo pipefail

check=$1
probe=$2
app=$3

here=$(dirname "$0")
# shellcheck source=lib.sh
. "$here/lib.sh"

# --- the checks -----------------------------------------------------------------------------

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
  finish_probe 0
}

check_modes() {
  start_x
  start_probe modes
  finish_probe 0
  expect_line '^desktop 1920x1080x24@0$'
  for mode in 800x600x8@75 800x600x16@75 800x600x24@60 800x600x32@60 1024x768x8@60 \
              1920x1080x32@0; do
    expect_line "^mode $mode\$"
  done
  probe_said '1000x700' && fail "a size the display lacks is listed"
  expect_line '^list8 800x600 1024x768 1920x1080$'
}

check_switch() {
  start_x
  start_probe mode 800 600 75
  wait_for '^ready$'
  expect_line '^attempt 800x600x32@75 full ok$'
  expect_line '^screen 800x600x32@75$'
  expect_size 800x600 "at 800 x 600 @ 75"
  [ "$(screen_rate)" = 75.00 ] || fail "the rate is $(screen_rate), not 75.00"
  send quit
  finish_probe 0
  expect_size 1920x1080 "after the program ended"

  # A rate the display lacks: the size's default rate, which differs from the one asked for.
  start_probe mode 800 600 85
  wait_for '^ready$'
  expect_line '^attempt 800x600x32@85 full refused$'
  expect_line '^attempt 800x600x32@0 full ok$'
  expect_line '^screen 800x600x32@60$'
  expect_size 800x600 "at 800 x 600 @ default"
  send quit
  finish_probe 0
  expect_size 1920x1080 "after the program ended"
}

check_signals() {
  start_x
  local signal status
  for signal in TERM INT; do
    start_probe mode 1024 768 0
    wait_for '^ready$'
    expect_size 1024x768 "before SIG$signal"
    kill -s "$signal" "$probe_pid"
    [ "$signal" = TERM ] && status=143 || status=130
    finish_probe "$status"
    expect_size 1920x1080 "after SIG$signal"
  done
}

check_missing_mode() {
  start_x
  # A size between the listed ones (SDL would pick 1024 x 768) and one above them all.
  for size in "1000 700" "2560 1440"; do
    set -- $size
    start_probe mode "$1" "$2" 0
    wait_for '^ready$'
    expect_line "^attempt $1x$2x32@0 full refused\$"
    expect_line "^attempt $1x$2x32@0 window ok\$"
    expect_line "^screen $1x$2x32@0\$"
    probe_said 'full ok' && fail "a substituted mode was taken for $1 x $2"
    expect_size 1920x1080 "with a $1 x $2 window"
    local geometry
    geometry=$(xdotool search --name '^Orventa$' getwindowgeometry | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "$1x$2" ] || fail "the window is $geometry, not $1x$2"
    if [ "$1" = 1000 ]; then
      # The window is centred: (460, 190) is its corner. Outside it the mouse reads fail.
      xdotool mousemove 10 10
      wait_for '^mouse 1 -1 -1 -1 -1$'
      xdotool mousemove 500 300
      wait_for '^mouse 0 40 110 0 0$'
    fi
    send quit
    finish_probe 0
  done
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
  local expected='key 0d
key 1b
key 08
key 09
key ff 48
key ff 50
key ff 4b
key ff 4d
key ff 47
key ff 4f
key ff 49
key ff 51
key ff 52
key ff 53
key ff 3b
key ff 44
key ff 85
key ff 86
key ff 8d
key ff 54
key ff 8c
key ff 73
key ff 48
key 61
key 42
key 33
key 82'
  until_true 10 test "$(grep -c '^key' "$work/out")" -ge 27
  [ "$(grep '^key' "$work/out")" = "$expected" ] ||
    fail "keys read: $(grep '^key' "$work/out" | tr '\n' ',')"

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
  send quit
  finish_probe 0
}

check_close_button() {
  start_x
  start_probe input
  wait_for '^ready$'
  local window
  window=$(xdotool search --name '^Orventa$' | head -n1)
  [ -n "$window" ] || fail "no Orventa window"
  "$probe" close "$window" || fail "could not send WM_DELETE_WINDOW"
  wait_for '^key ff 6b$'
  sleep 0.2
  alive || fail "the close button ended the program"
  xdotool search --name '^Orventa$' >/dev/null || fail "the close button closed the window"
  send quit
  finish_probe 0
}

beep_ms() { sed -n 's/^beep \([0-9]*\) ms$/\1/p' "$work/out"; }

check_beep() {
  start_x
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/beep.raw" start_probe beep
  finish_probe 0
  "$probe" check-tone "$work/beep.raw" >"$work/tone" || fail "recorded $(cat "$work/tone")"
  echo "recorded $(cat "$work/tone"), beep() took $(beep_ms) ms"
  [ ! -s "$work/err" ] || fail "the beep printed on stderr"

  # Without a sound device: silent, and still the tone's length.
  local driver
  for driver in none-such alsa; do
    SDL_AUDIODRIVER=$driver start_probe beep
    finish_probe 0
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

# The application opens the desktop mode full screen and gives it back when it ends.
check_app() {
  start_x
  "$app" >"$work/out" 2>"$work/err" &
  probe_pid=$!
  until_true 15 eval 'xdotool search --name "^Orventa\$" >/dev/null 2>&1' ||
    fail "the application shows no window"
  local geometry
  geometry=$(xdotool search --name '^Orventa$' getwindowgeometry | sed -n 's/.*Geometry: //p')
  [ "$geometry" = 1920x1080 ] || fail "the application's window is $geometry"
  kill -TERM "$probe_pid"
  finish_probe 143
  expect_size 1920x1080 "after the application ended"
}

case "$check" in
  pattern | modes | switch | signals | missing_mode | input | close_button | beep | no_display | app)
    "check_$check" ;;
  *) echo "unknown check $check" >&2; exit 2 ;;
esac
echo "ok: $check"
