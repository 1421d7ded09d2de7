#!/usr/bin/env bash
# One end-to-end check of the real program used as a person uses it: person.sh CHECK APP
# The desktop (1920 x 1080) differs from every test mode, so each test really switches the
# display; the pointer stays where the last click left it; some sessions run under a window
# manager, others without one. The server, the window manager and the program are always taken
# down, whatever happens.
set -uo pipefail

check=$1
app=$2

here=$(dirname "$0")
# shellcheck source=lib.sh
. "$here/lib.sh"

wm_pid=""
stop_wm() {
  if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null; fi
}
trap 'stop_wm; cleanup' EXIT

# A small window manager of the kind people run; it owns the screen once it names itself there.
start_wm() {
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  wm_pid=$!
  until_true 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    fail "openbox did not start: $(cat "$work/wm.log")"
}

# --- where things are on the 1920 x 1080 desktop --------------------------------------------

# The items of the main menu lit in the last shot, as " 3" or " 1 2".
lit_items() {
  local i
  for i in $(seq 14); do
    [ "$(px $((menu_x + 399)) $((menu_y + 30 * (i - 1) + 6)))" != ffffff ] || printf ' %s' "$i"
  done
}
only_lit() { [ "$(lit_items)" = " $1" ]; }

# The item of the main menu under the pointer, 0 when the pointer is beside the menu.
item_under_pointer() {
  # shellcheck disable=SC2034  # the pointer's screen and window come along
  local X Y SCREEN WINDOW row
  eval "$(xdotool getmouselocation --shell)"
  row=$(((Y - menu_y) / 30))
  if [ "$X" -le $((menu_x + 3)) ] || [ "$X" -ge $((menu_x + 407)) ] || [ "$row" -lt 0 ] ||
    [ "$row" -ge 14 ] || [ "$Y" -le $((menu_y - 30)) ]; then
    echo 0
  else
    echo $((row + 1))
  fi
}

# The main menu lights the item under the pointer, wherever the pointer really is (the display's
# switches may have moved it): expect_lit_under_pointer WHAT
expect_lit_under_pointer() {
  local item
  until_true 5 eval 'item=$(item_under_pointer) && [ "$item" -gt 0 ] && shot && only_lit $item' ||
    fail "$1: the pointer rests on item ${item:-?} (0: beside the menu); lit:$(lit_items)"
}

# --- the checks -------------------------------------------------------------------------------

# The grid after a real switch stays up until its key, follows the arrows, and ends on q and Q;
# the pointer moves while the display switches back, and the main menu follows where it is.
check_grid() {
  start_x
  start_wm
  start_app
  until_main_redrawn
  choose_resolution 3  # XGA 1024 x 768
  local key
  for key in q Q; do
    pick_main 3
    # The help box at (W/4, H/4), 565 wide, over a cleared screen.
    until_px 10 $((480 + 564)) $((270 + 6)) 0000ff
    xdotool key space
    until_size 1024x768 "in the grid"
    # Vertical lines at columns 26, 80, ..., horizontal ones at rows 6, 60, ...; the centre cross.
    until_px 10 26 100 ffffff
    stays 2 26 100 ffffff "the grid"
    expect_px 512 384 ffffff "the grid's centre"
    expect_px 100 60 ffffff "a horizontal grid line"
    [ "$key" = q ] && idle_cpu "in the grid"
    xdotool key Right
    until_px 5 27 100 ffffff
    expect_px 26 100 000000 "the old grid line after Right"
    xdotool key "$key"
    # The hand moves to item 5 while the display switches back.
    xdotool mousemove $((menu_x + 20)) $((menu_y + 4 * 30 + 10))
    until_main_redrawn
    expect_lit_under_pointer "after the grid"
  done
  kill -TERM "$pid"
  finish 143
}

# The high-voltage test and the refresh test after a real switch stay up until their keys.
check_voltage_refresh() {
  start_x
  start_wm
  start_app
  until_main_redrawn
  choose_resolution 3  # XGA 1024 x 768
  pick_main 11
  pick 480 540 300 1  # the panel menu at (W/4, H/2): "High voltage"
  until_size 1024x768 "in the high-voltage test"
  # The screen's outermost frame stays lit while the field flashes.
  until_px 10 0 400 ffffff
  stays 2 0 400 ffffff "the high-voltage test"
  xdotool key space
  stays 2 0 400 ffffff "the high-voltage test after one key"
  expect_size 1024x768 "after one key"
  xdotool key space
  until_main_redrawn

  pick_main 1
  pick_settings 3
  pick 552 351 110 4  # the refresh menu: "75 Hz"
  until_main_redrawn
  choose_resolution 2  # SVGA 800 x 600, which the display has at 75 Hz
  pick_main 9
  # Nine seconds of countdown in the announcement box at (W/2 - 250, H/3), 500 wide.
  until_px 10 $((710 + 499)) $((360 + 6)) 0000ff
  stays 7 $((710 + 499)) $((360 + 6)) 0000ff "the countdown"
  expect_size 1920x1080 "during the countdown"
  until_size 800x600 "in the refresh test"
  [ "$(screen_rate)" = 75.00 ] || fail "the rate is $(screen_rate), not 75.00"
  # The question at (W/4, H/2) stays until h; the rate measured is said 60 rows below it.
  until_true 5 eval 'shot && [ "$(count 200 300 400 40 ffffff)" -gt 50 ]' ||
    fail "no question on the test screen"
  until_true 8 eval 'shot && [ "$(count 200 360 300 20 000000)" -lt 6000 ]' ||
    fail "no measured line on the test screen"
  expect_size 800x600 "before h"
  xdotool key h
  until_size 1920x1080 "after h"
  # The result box, red for a confirmed rate, at (W/2 - 250, H/3), stays until a key. Xvfb
  # paces near 60 Hz, off the 75 asked for: a third line says what was measured.
  until_px 10 $((710 + 499)) $((360 + 6)) ff0000
  stays 2 $((710 + 499)) $((360 + 6)) ff0000 "the result box"
  expect_px $((710 + 499)) $((360 + 66)) ff0000 "the result box's third line"
  xdotool key space
  until_px 10 $((710 + 499)) $((360 + 6)) a0a0a0
  until_main_redrawn
  kill -TERM "$pid"
  finish 143
}

# Keys typed at the main menu and at a submenu do not reach the test started after them.
check_early_keys() {
  start_x
  start_wm
  start_app
  until_main_redrawn
  choose_resolution 3  # XGA 1024 x 768
  xdotool key --delay 50 a Down Up Escape
  pick_main 2
  until_size 1024x768 "in the card"
  until_px 10 1023 767 ffffff
  stays 2 1023 767 ffffff "the card after keys typed at the main menu"
  idle_cpu "in the card"
  xdotool key x
  until_main_redrawn
  idle_cpu "at the main menu after a switch"

  pick_main 1
  until_px 10 700 290 ffffff  # the settings menu's lit first item
  # Down Down Return opens the refresh menu, Escape closes it unanswered.
  xdotool key --delay 50 a Down Down Return
  until_px 10 $((552 + 109)) $((351 + 6)) ffffff
  xdotool key Escape
  until_main_redrawn
  pick_main 2
  until_size 1024x768 "in the card again"
  until_px 10 1023 767 ffffff
  stays 2 1023 767 ffffff "the card after keys typed at a submenu"
  xdotool key x
  until_main_redrawn
  kill -TERM "$pid"
  finish 143
}

# Presses keys at the main menu and waits until item k alone is lit: main_keys K KEY...
main_keys() {
  local k=$1
  shift
  xdotool key --delay 50 "$@"
  until_true 5 eval 'shot && only_lit $k' || fail "item $k is not the one lit after $*"
}

# Every menu driven from the keyboard alone; the pointer rests outside the menus.
check_keyboard() {
  start_x
  start_app
  until_main_redrawn
  # Full screen at the desktop's size; blue, unlike grey and white, shows swapped channels.
  [ "$(window_geometry)" = 1920x1080 ] || fail "the window is $(window_geometry)"
  expect_px $((menu_x + 399)) $((menu_y + 36)) 0000ff "item 2's bar"
  main_keys 2 Down
  main_keys 14 Up Up
  main_keys 1 Down
  main_keys 14 End
  main_keys 1 Home
  main_keys 14 Next
  main_keys 1 Prior
  xdotool key Escape
  sleep 0.5
  alive || fail "Escape at the main menu ended the program"
  { shot && only_lit 1; } || fail "Escape at the main menu changed it"

  # 75 Hz from the refresh menu, SVGA from the resolution menu.
  xdotool key Return
  until_px 10 700 290 ffffff
  xdotool key --delay 50 Down Down Return
  until_px 10 $((552 + 109)) $((351 + 6)) ffffff
  xdotool key --delay 50 Down Down Down
  until_px 10 $((552 + 109)) $((351 + 3 * 30 + 6)) ffffff
  xdotool key Return
  until_main_redrawn
  xdotool key Return
  until_px 10 700 290 ffffff
  xdotool key Return
  until_px 10 $((552 + 349)) $((324 + 6)) ffffff
  xdotool key End
  until_px 10 $((552 + 349)) $((324 + 14 * 30 + 6)) ffffff
  xdotool key --delay 50 Home Down Return
  until_main_redrawn

  main_keys 2 Home Down
  xdotool key Return
  until_size 800x600 "in the card picked by keys"
  [ "$(screen_rate)" = 75.00 ] || fail "the rate is $(screen_rate), not 75.00"
  until_px 10 799 599 ffffff
  xdotool key x
  until_main_redrawn
  main_keys 14 End
  xdotool key Return
  finish 0
  expect_size 1920x1080 "after Exit Program"
  [ ! -s "$work/err" ] || fail "the program said something on stderr: $(cat "$work/err")"
}

# The custom-resolution field: quiet at rest, Escape on an empty field, the tenth cell's limit.
# A crop of the last shot as a file, to compare pictures: crop NAME X Y WIDTH HEIGHT
crop() { cut_out "$2" "$3" "$4" "$5" >"$work/$1.crop" || fail "could not crop $1"; }
settings_line() { shot && crop "$1" 1280 390 300 25; }

same() { cmp -s "$work/$1.crop" "$work/$2.crop"; }

open_custom() {
  pick_main 1
  pick_settings 1
  pick_resolution 15
  # The input box at (W/2 - 225, H/3), 450 wide.
  until_px 10 $((735 + 449)) $((360 + 6)) 0000ff
}

check_field() {
  start_x
  start_app
  until_main_redrawn
  settings_line desktop
  choose_resolution 5  # SXGA 1280 x 1024
  settings_line sxga
  choose_resolution 2  # SVGA 800 x 600
  settings_line svga
  pick_main 1
  pick_settings 4  # "Reset to default"
  until_main_redrawn
  settings_line reset
  same reset desktop || fail "Reset to default did not restore the settings"

  open_custom
  idle_cpu "in the input field"
  xdotool key Escape
  # No error box at (W/2 - 175, H/3): the main screen comes back.
  local deadline=$((SECONDS + 2))
  while [ "$SECONDS" -le "$deadline" ]; do
    shot || continue
    [ "$(px $((785 + 349)) $((360 + 6)))" = ff0000 ] && fail "Escape on an empty field: error box"
  done
  until_main_redrawn
  settings_line empty
  same empty desktop || fail "Escape on an empty field changed the settings"

  # The eleventh and twelfth characters are refused: the field shows what is used.
  open_custom
  xdotool type --delay 50 1280x1024
  sleep 0.5
  shot && crop typed 755 420 220 30
  # Each refused character beeps for a quarter of a second before the next key is read.
  xdotool key --delay 50 0 0 0 BackSpace
  until_true 5 eval 'shot && crop corrected 755 420 220 30 && same typed corrected' ||
    fail "the field does not show the text after refused characters"
  xdotool key Return
  until_main_redrawn
  settings_line long
  same long sxga || fail "1280x10240 and a BackSpace did not give 1280 x 1024"

  open_custom
  xdotool type --delay 50 800x600
  xdotool key Escape
  until_main_redrawn
  settings_line escaped
  same escaped svga || fail "Escape after 800x600 did not set 800 x 600"
  kill -TERM "$pid"
  finish 143
}

# Typed sizes the display lacks: one it cannot show at all is refused at once, one it lacks but
# could show opens as a window that says so.
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"; }

# Waits for the screen size while the program's memory stays below 1 GB: until_size_small SIZE WHAT
until_size_small() {
  local deadline=$((SECONDS + 10))
  until [ "$(screen_size)" = "$1" ]; do
    alive || fail "$2: the program ended"
    [ "$(rss_kb)" -lt 1048576 ] || fail "$2: the program holds $(rss_kb) kB"
    [ "$SECONDS" -lt "$deadline" ] || fail "$2: the screen is $(screen_size), not $1"
    sleep 0.1
  done
}

type_resolution() {
  open_custom
  xdotool type --delay 50 "$1"
  xdotool key Return
  until_main_redrawn
}

check_typed_sizes() {
  start_x
  start_wm
  start_app
  until_main_redrawn
  type_resolution 1152x864
  pick_main 2
  local id name
  until_true 10 eval 'id=$(xdotool search --name 1152x864 2>/dev/null | head -n1); [ -n "$id" ]' ||
    fail "no window names 1152x864"
  name=$(xdotool getwindowname "$id")
  grep -qi window <<<"$name" || fail "the window's title \"$name\" does not say it is a window"
  expect_size 1920x1080 "with the 1152x864 window"
  until_true 5 grep -q 1152x864 "$work/err" || fail "stderr does not speak of 1152x864"
  # The card's centre cross in the window; a click sooner would fall in the prompt's first pause.
  local x y
  x=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left Y: *//p')
  until_px 10 $((x + 1152 / 2)) $((y + 864 / 2)) ffffff
  sleep 1
  # The pointer rests outside the window, where the program cannot read the mouse: the hand goes
  # to the window and clicks.
  xdotool mousemove 960 540 click 1
  until_main_redrawn
  [ -n "$(window)" ] || fail "the main screen's window is not called Orventa again"
  [ "$(grep -c 1152x864 "$work/err")" -eq 1 ] || fail "not one line about 1152x864 on stderr"

  # Far beyond what the X screen can hold: the card's fallback screen, a numbered 8-bit mode.
  type_resolution 16384x16384
  pick_main 2
  until_size_small 800x600 "the 16384 x 16384 card"
  until_true 5 eval 'shot && [ "$(count 152 224 320 144 000000)" -lt $((320 * 144 - 200)) ]' ||
    fail "no frame on the fallback screen"
  local start
  start=$(date +%s%3N)
  xdotool key x
  until_size_small 1920x1080 "after the fallback screen"
  [ $(($(date +%s%3N) - start)) -le 2000 ] || fail "the key took more than 2 s to end the fallback"
  until_main_redrawn
  kill -TERM "$pid"
  finish 143
}

# Without any font the menus still carry their texts, and stderr names the missing face once.
check_no_fonts() {
  start_x
  printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$work/fonts.conf"
  FONTCONFIG_FILE="$work/fonts.conf" start_app
  until_main_redrawn
  shot
  # Item 2's blue bar and the settings menu's second bar hold white letters.
  [ "$(count 250 306 390 29 ffffff)" -gt 50 ] || fail "no text on the main menu's second bar"
  pick_main 1
  until_px 10 700 290 ffffff
  [ "$(count 490 306 290 29 ffffff)" -gt 50 ] || fail "no text on the settings menu's second bar"
  xdotool mousemove 1500 900 click 1
  until_main_redrawn
  pick_main 14
  finish 0
  grep -qi font "$work/err" || fail "stderr does not speak of a font"
  [ "$(grep -c Arial "$work/err")" -eq 1 ] || fail "stderr does not name Arial once"
  [ -z "$(sort "$work/err" | uniq -d)" ] || fail "stderr repeats itself"
}

# "Visit homepage" where nothing can open a browser: an error box, then status 1.
check_homepage() {
  start_x
  start_wm
  mkdir "$work/bin"
  ln -s "$(command -v sh)" "$work/bin/sh"
  PATH="$work/bin" start_app
  until_main_redrawn
  pick_main 13
  until_px 10 $((785 + 349)) $((360 + 6)) ff0000
  stays 1 $((785 + 349)) $((360 + 6)) ff0000 "the error box"
  xdotool key x
  finish 1
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line on stderr"
}

run_check
