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
# False while the screen changes size under it; the callers try again.
shot() {
  shot_w=$(screen_size | cut -dx -f1)
  xwd -root -silent >"$work/root.xwd" 2>/dev/null || return 1
  convert "$work/root.xwd" "rgb:$work/root.rgb" 2>/dev/null || return 1
  [ "$(stat -c %s "$work/root.rgb")" -eq $((shot_w * $(screen_size | cut -dx -f2) * 3)) ]
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

# Points at main menu item k, waits until the menu lights it (so the menu is polling), clicks.
pick_main() {
  xdotool mousemove $((menu_x + 20)) "$(item_y "$1")"
  until_px 15 $((menu_x + 399)) $((menu_y + 30 * ($1 - 1) + 6)) ffffff
  xdotool click 1
}

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

# 800 x 600 through the settings menu, then the resolution card in a real 800 x 600 mode.
check_resolution_card() {
  start_x
  start_app
  until_main_screen
  click $((menu_x + 20)) "$(item_y 1)"
  # The settings menu at (W/4, H/4); its "Choose resolution" is item 1.
  until_px 10 $((480 + 299)) $((270 + 6)) ffffff
  click $((480 + 20)) $((270 + 10))
  # The resolution menu at (2.3 W / 8, 1.2 H / 4) = (552, 324); SVGA is item 2.
  until_px 10 $((552 + 349)) $((324 + 6)) ffffff
  click $((552 + 20)) $((324 + 30 + 10))
  until_px 10 $((552 + 349)) $((324 + 6)) a0a0a0
  pick_main 2
  until_true 15 eval '[ "$(screen_size)" = 800x600 ]' || fail "the display never switched to 800 x 600"
  until_px 10 799 599 ffffff
  # Frame, cross, ticks: W \ 2 = 400, H \ 2 = 300, H / 5 = 120, W / 5 = 160.
  local point
  for point in 0,0 0,599 799,0 799,599 400,0 400,120 400,480 400,599 400,280 400,320 380,300 \
               420,300 0,300 160,300 640,300 799,300 100,0 100,599 0,100 799,100; do
    expect_px "${point%,*}" "${point#*,}" ffffff "the card at ($point)"
  done
  for point in 400,121 400,279 400,321 400,478 379,299 421,301 161,299 639,301 1,2 798,597; do
    expect_px "${point%,*}" "${point#*,}" 000000 "the card at ($point)"
  done
  click 400 250
  until_true 15 eval '[ "$(screen_size)" = 1920x1080 ]' || fail "the desktop mode did not come back"
  until_px 10 5 5 a0a0a0
  until_px 10 "$menu_x" $((menu_y + 100)) ffffff
  click $((menu_x + 20)) "$(item_y 14)"
  finish_probe 0
}

# Waits for the screen's four corners and centre to be one colour: until_fill SECONDS RRGGBB WHAT
until_fill() {
  until_px "$1" 0 0 "$2"
  expect_px $((W - 1)) 0 "$2" "$3, top right"
  expect_px 0 $((H - 1)) "$2" "$3, bottom left"
  expect_px $((W - 1)) $((H - 1)) "$2" "$3, bottom right"
  expect_px $((W / 2)) $((H / 2)) "$2" "$3, centre"
}

# Sub-menus: the "Color range" menu at (600, 351), "Contrast/Brightness" at (600, 405), both
# from the 1920 x 1080 desktop; item k of a menu at (x, y) is hit at (x + 20, y + 30 (k - 1) + 10).
colour_x=600
colour_y=351
contrast_x=600
contrast_y=405
# "Miscellaneous": the panel tests menu at (480, 540).
panel_x=480
panel_y=540

# Opens a main menu item and waits for the sub-menu at (X, Y), WIDTH wide, to show its first
# item lit: open_menu ITEM X Y WIDTH
open_menu() {
  pick_main "$1"
  until_px 10 $(($2 + $4 - 1)) $(($3 + 6)) ffffff
  expect_px $(($2 + $4 - 1)) $(($3 + 36)) 0000ff "item 2 of the menu at ($2, $3)"
}

# The last key of a pattern, with the pointer moved off the main menu first, so that the menu
# comes back with item 1 lit.
away_key() {
  xdotool mousemove $((W - 20)) $((H - 20))
  xdotool key space
}

# The main screen is back: patterns can have white where until_main_screen looks, never the grey.
until_back() {
  until_px 15 5 5 a0a0a0
  until_main_screen 5
}

# Points at item k of the menu at (X, Y), WIDTH wide, waits until it is lit, clicks:
# pick X Y WIDTH K
pick() {
  xdotool mousemove $(($1 + 20)) $(($2 + 30 * ($4 - 1) + 10))
  until_px 10 $(($1 + $3 - 1)) $(($2 + 30 * ($4 - 1) + 6)) ffffff
  xdotool click 1
}

check_colour() {
  start_x
  start_app
  until_main_screen
  open_menu 4 "$colour_x" "$colour_y" 200
  pick "$colour_x" "$colour_y" 200 1
  # One full-screen colour a key; the ninth key ends the sequence.
  local colours=(ffffff 0000ff 00ff00 ff0000 808080 000080 008000 800000 000000) k
  for k in "${!colours[@]}"; do
    [ "$k" -eq 0 ] || xdotool key space
    until_fill 10 "${colours[$k]}" "basic colour $((k + 1))"
  done
  # Still black a moment later: the sequence does not end on its own.
  sleep 0.5
  shot
  expect_px 5 5 000000 "the last basic colour"
  away_key
  until_back

  # SMPTE at 1920 x 1080: bar edges at k 1920 / 7, the top band to y 720, the middle one
  # from 721 to 810, the bottom one from 811.
  open_menu 5 "$contrast_x" "$contrast_y" 300
  pick "$contrast_x" "$contrast_y" 300 6
  until_px 10 137 360 c0c0c0
  local top=(c0c0c0 c0c000 00c0c0 00c000 c000c0 c00000 0000c0)
  local middle=(0000c0 131313 c000c0 131313 00c0c0 131313 c0c0c0)
  local centres=(137 411 685 960 1234 1508 1783)
  for k in 0 1 2 3 4 5 6; do
    expect_px "${centres[$k]}" 0 "${top[$k]}" "SMPTE top bar $((k + 1)), first row"
    expect_px "${centres[$k]}" 720 "${top[$k]}" "SMPTE top bar $((k + 1)), last row"
    expect_px "${centres[$k]}" 721 "${middle[$k]}" "SMPTE middle bar $((k + 1)), first row"
    expect_px "${centres[$k]}" 810 "${middle[$k]}" "SMPTE middle bar $((k + 1)), last row"
  done
  # Bar edges: 274.3 and 1645.7.
  expect_px 273 360 c0c0c0 "left of the first top edge"
  expect_px 275 360 c0c000 "right of the first top edge"
  expect_px 1645 765 131313 "left of the last middle edge"
  expect_px 1646 765 c0c0c0 "right of the last middle edge"
  expect_px 1919 1079 131313 "SMPTE bottom right corner"
  # The bottom band: -I, white, +Q, black over 0 .. 1371 in quarters; then 9, 19, 29 and 19
  # grey from 1371.4 in steps of 91.
  local bottom=(171:00214c 514:ffffff 857:32006a 1200:131313 1417:090909 1508:131313
    1600:1d1d1d 1783:131313) b
  for b in "${bottom[@]}"; do
    expect_px "${b%%:*}" 811 "${b#*:}" "SMPTE bottom band at x ${b%%:*}, first row"
    expect_px "${b%%:*}" 1079 "${b#*:}" "SMPTE bottom band at x ${b%%:*}, last row"
  done
  away_key
  until_back
  pick_main 14
  finish_probe 0
}

# The high voltage field is all white or all black, inside and outside its bar.
field_solid() {
  shot
  case $(px 100 100) in ffffff | 000000) ;; *) return 1 ;; esac
  [ "$(px 100 100)" = "$(px 960 540)" ] && [ "$(px 960 540)" = "$(px 1909 1068)" ]
}

check_panel() {
  start_x
  start_app
  until_main_screen

  # Clock & Phase at 1920 x 1080: rows 0, 3, 6 ... lit on odd columns, the rows between on
  # even ones; every other pixel black.
  open_menu 11 "$panel_x" "$panel_y" 300
  pick "$panel_x" "$panel_y" 300 4
  until_px 10 1 0 ffffff
  local y x lit
  for y in 0 1 2 3 540 541 542 1077 1078 1079; do
    for x in 0 1 2 3 958 959 960 961 1918 1919; do
      if [ $((y % 3)) -eq 0 ]; then lit=$((x % 2)); else lit=$((1 - x % 2)); fi
      if [ "$lit" -eq 1 ]; then
        expect_px "$x" "$y" ffffff "clock & phase, row $y"
      else
        expect_px "$x" "$y" 000000 "clock & phase, row $y"
      fi
    done
  done
  away_key
  until_back

  # High voltage: the field (9, 9) .. (1909, 1068) flashes; a bar over its middle third (rows
  # 360 .. 720) shows the other colour; the outermost frame stays white, the gap black.
  open_menu 11 "$panel_x" "$panel_y" 300
  pick "$panel_x" "$panel_y" 300 1
  until_px 10 0 0 ffffff
  # Lit outside the bar: the field has been inverted an odd number of times, so the next change
  # ends a whole phase, not the frame drawn before the first inversion.
  until_px 3 100 100 ffffff
  local field=(9:9 1909:9 9:1068 1909:1068 100:100 960:359 960:721) bar=(9:360 1909:720 960:540)
  local p outside=(0:0 1919:1079 0:540 1919:540 960:0 960:1079) gap=(5:5 8:540 1910:540
    1918:100 100:8 100:1069 100:1078) first=ffffff second=000000
  for p in "${field[@]}"; do expect_px "${p%%:*}" "${p#*:}" "$first" "the field"; done
  for p in "${bar[@]}"; do expect_px "${p%%:*}" "${p#*:}" "$second" "the bar"; done
  # Within a phase (at most 1.5 s) every pixel of the field is inverted; the frame and gap are
  # not. Shots are taken about every 0.15 s, so the times below are good to about 0.2 s.
  until_px 3 100 100 "$second"
  local inverted back
  inverted=$(date +%s%3N)
  for p in "${field[@]}"; do expect_px "${p%%:*}" "${p#*:}" "$second" "the inverted field"; done
  for p in "${bar[@]}"; do expect_px "${p%%:*}" "${p#*:}" "$first" "the inverted bar"; done
  for p in "${outside[@]}"; do expect_px "${p%%:*}" "${p#*:}" ffffff "the frame"; done
  for p in "${gap[@]}"; do expect_px "${p%%:*}" "${p#*:}" 000000 "the gap"; done
  # And back again about a second later.
  until_px 3 100 100 "$first"
  back=$(date +%s%3N)
  expect_px 960 540 "$second" "the bar, back again"
  echo "high voltage phase: $((back - inverted)) ms"
  [ $((back - inverted)) -ge 600 ] && [ $((back - inverted)) -le 1500 ] ||
    fail "a high voltage phase lasted $((back - inverted)) ms, not about 1000"

  # The first key makes the whole field flash; the test goes on until the second.
  xdotool key space
  until_true 5 field_solid || fail "the field never became one colour after the first key"
  sleep 1.3
  field_solid || fail "the test did not go on after the first key: (100, 100) is $(px 100 100)"
  expect_px 0 540 ffffff "the frame after the first key"
  expect_px 5 540 000000 "the gap after the first key"
  away_key
  until_back
  pick_main 14
  finish_probe 0
}

# SIGTERM while a test holds its own mode: the desktop mode comes back.
check_sigterm_in_test() {
  start_x
  start_app
  until_main_screen
  pick_main 1
  until_px 10 $((480 + 299)) $((270 + 6)) ffffff
  click $((480 + 20)) $((270 + 10))
  until_px 10 $((552 + 349)) $((324 + 6)) ffffff
  click $((552 + 20)) $((324 + 30 * 2 + 10))  # XGA 1024 x 768
  until_px 10 $((552 + 349)) $((324 + 6)) a0a0a0
  pick_main 2
  until_true 15 eval '[ "$(screen_size)" = 1024x768 ]' || fail "the test mode never came"
  kill -TERM "$probe_pid"
  finish_probe 143
  expect_size 1920x1080 "after SIGTERM in a test mode"
}

case "$check" in
  main_screen | desktop_info | exit | resolution_card | colour | panel | sigterm_in_test)
    "check_$check" ;;
  *) echo "unknown check $check" >&2; exit 2 ;;
esac
echo "ok: $check"
