# Shared by the end-to-end checks: a private Xvfb with extra RandR modes, the program under test
# in the background, waits with deadlines, root-window shots, and cleanup whatever happens.
# Source it after setting $check.
work=$(mktemp -d "${TMPDIR:-/tmp}/orventa-e2e.XXXXXX")
# The program's lock and mode record stay with this check.
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb_pid=""
pid=""

cleanup() {
  if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL ($check): $*" >&2
  for f in out err; do
    if [ -s "$work/$f" ]; then echo "--- program std$f:" >&2; cat "$work/$f" >&2; fi
  done
  exit 1
}

# Runs until the condition holds or `seconds` pass: until_true SECONDS CMD...
until_true() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# --- the X server ---------------------------------------------------------------------------

start_x() {
  unset WAYLAND_DISPLAY SDL_VIDEODRIVER
  Xvfb -displayfd 3 -noreset -nolisten tcp -s 0 -screen 0 1920x1080x24 \
    3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  until_true 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -n1 "$work/display")"
  # Modes of other sizes; 800 x 600 at two rates. 1000 x 700 is deliberately missing.
  add_mode 800x600_60 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
  add_mode 800x600_75 49.50 800 816 896 1056 600 601 604 625 +hsync +vsync
  add_mode 1024x768_60 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
  xset r off || fail "xset r off"
}

add_mode() {
  xrandr --newmode "$@" && xrandr --addmode screen "$1" || fail "xrandr could not add $1"
}

screen_size() { xrandr | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }
screen_rate() { xrandr | grep -o '[0-9.]*\*' | tr -d '*'; }

expect_size() { [ "$(screen_size)" = "$1" ] || fail "$2: the screen is $(screen_size), not $1"; }

# The display may take a moment to switch: until_size SIZE WHAT
until_size() {
  local want=$1
  until_true 15 eval '[ "$(screen_size)" = "$want" ]' || expect_size "$@"
}

window() { xdotool search --name '^Orventa$' 2>/dev/null | head -n1; }

window_geometry() { xdotool getwindowgeometry "$(window)" | sed -n 's/.*Geometry: //p'; }

# --- the program under test -----------------------------------------------------------------

# Starts the probe in the background; commands go to it through fd 4.
start_probe() {
  rm -f "$work/cmd" "$work/out" "$work/err"
  mkfifo "$work/cmd"
  "$probe" "$@" <"$work/cmd" >"$work/out" 2>"$work/err" &
  pid=$!
  exec 4>"$work/cmd"
}

start_app() {
  "$app" "$@" >"$work/out" 2>"$work/err" &
  pid=$!
}

send() { echo "$1" >&4; }

said() { grep -qE "$1" "$work/out"; }

alive() { kill -0 "$pid" 2>/dev/null; }

# Waits for a line of the program's output matching a regular expression.
wait_for() {
  local deadline=$((SECONDS + ${2:-15}))
  until said "$1"; do
    alive || fail "the program ended before printing /$1/"
    [ "$SECONDS" -lt "$deadline" ] || fail "no /$1/ from the program"
    sleep 0.05
  done
}

# Waits for the program to end and checks its exit status.
finish() {
  until_true 15 eval '! alive' || fail "the program did not end"
  wait "$pid"
  local status=$?
  pid=""
  exec 4>&-
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}

expect_line() { said "$1" || fail "missing /$1/"; }

# --- what the screen shows ------------------------------------------------------------------

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

# The menus of a W x H desktop: the main menu at (W/8, H/4), 400 wide; the settings menu at
# (W/4, H/4); the resolution menu at (2.3 W/8, 1.2 H/4). 1920 x 1080 unless said otherwise.
desktop_is() {
  desk_w=$1 desk_h=$2 menu_x=$(($1 / 8)) menu_y=$(($2 / 4)) settings_x=$(($1 / 4)) settings_y=$(($2 / 4))
  resolution_x=$((23 * $1 / 80)) resolution_y=$((12 * $2 / 40))
}
desktop_is 1920 1080

# Points at item k of the menu at (X, Y), WIDTH wide, waits until the menu lights it (so that
# the menu is polling), clicks: pick X Y WIDTH K
pick() {
  xdotool mousemove $(($1 + 20)) $(($2 + 30 * ($4 - 1) + 10))
  until_px 10 $(($1 + $3 - 1)) $(($2 + 30 * ($4 - 1) + 6)) ffffff
  xdotool click 1
}

pick_main() { pick "$menu_x" "$menu_y" 400 "$1"; }
pick_settings() { pick "$settings_x" "$settings_y" 300 "$1"; }
pick_resolution() { pick "$resolution_x" "$resolution_y" 350 "$1"; }

# The main screen is up: the grey background and item 1 lit.
until_main_screen() { until_px 15 $((menu_x + 399)) $((menu_y + 6)) ffffff; }

# The main screen drawn afresh at the desktop size: its menu's frame, and the background where
# the settings menu, the panel menu and the boxes of the tests stand.
until_main_redrawn() {
  until_size "${desk_w}x$desk_h" "back at the main screen"
  until_px 15 "$menu_x" $((menu_y + 100)) ffffff
  local point
  for point in 5,5 $((settings_x + 290)),$((settings_y + 20)) \
    $((desk_w / 4 + 290)),$((desk_h / 2 + 20)) $((desk_w / 2 + 40)),$((desk_h / 3 + 20)); do
    until_px 15 "${point%,*}" "${point#*,}" a0a0a0
  done
}

# Sets the test resolution through the menus: choose_resolution ITEM
choose_resolution() {
  pick_main 1
  pick_settings 1
  pick_resolution "$1"
  until_main_redrawn
}

# The pixel stays rrggbb for the next seconds, shot after shot: stays SECONDS X Y RRGGBB WHAT
stays() {
  local deadline=$((SECONDS + $1)) got
  while [ "$SECONDS" -le "$deadline" ]; do
    alive || fail "$5: the program ended"
    shot || continue
    got=$(px "$2" "$3")
    [ "$got" = "$4" ] || fail "$5: ($2, $3) became $got, not $4"
    sleep 0.1
  done
}

# A rectangle of the last shot as raw RGB on stdout: cut_out X Y WIDTH HEIGHT
cut_out() {
  local height=$(($(stat -c %s "$work/root.rgb") / 3 / shot_w))
  convert -size "${shot_w}x$height" -depth 8 "rgb:$work/root.rgb" -crop "$3x$4+$1+$2" +repage rgb:-
}

# How many pixels of a rectangle of the last shot are rrggbb: count X Y WIDTH HEIGHT RRGGBB
count() { cut_out "$1" "$2" "$3" "$4" | od -An -v -tx1 -w3 | tr -d ' ' | grep -c "^$5\$"; }

# Waiting costs less than 5 % of a core over 3 s: idle_cpu WHAT
idle_cpu() {
  local before used hz
  hz=$(getconf CLK_TCK)
  sleep 1
  before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep 3
  used=$(($(awk '{print $14 + $15}' "/proc/$pid/stat") - before))
  echo "CPU waiting $1: $used ticks of $hz a second in 3 s ($((used * 100 / (3 * hz))) % of a core)"
  [ "$used" -le $((3 * hz / 20)) ] || fail "waiting $1 used $used ticks in 3 s"
}

# --list-displays, shown in the log, says what the extended regular expression says.
expect_displays() {
  "$app" --list-displays >"$work/list" 2>&1 || fail "--list-displays: $(cat "$work/list")"
  cat "$work/list"
  grep -qE "$1" "$work/list" || fail "--list-displays said: $(cat "$work/list")"
}

# The checks are the script's check_* functions; CHECK names one.
run_check() {
  declare -F "check_$check" >/dev/null || { echo "unknown check $check" >&2; exit 2; }
  "check_$check"
  echo "ok: $check"
}
