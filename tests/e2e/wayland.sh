#!/usr/bin/env bash
# The program under a real Wayland compositor: Weston's x11 backend in a private Xvfb (the
# headless backend has no seat), pixman renderer, at scale 1 and 2, through SDL's wayland driver
# and through Xwayland: wayland.sh CHECK APP RENDER, CHECK one of native_1 native_2 x11_1 x11_2,
# or two_outputs: two outputs of different sizes, the program natively on either.
# Weston's Xwayland takes the first display number free from :0 and cannot be told otherwise:
# each run gets its own mount namespace and /tmp, where lock files keep it off the numbers below.
set -uo pipefail

check=$1
app=$2
render=$3
here=$(cd "$(dirname "$0")" && pwd)

for program in weston Xwayland; do
  if ! command -v "$program" >/dev/null; then
    echo "SKIP ($check): $program is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

if [ -z "${ORVENTA_PRIVATE_TMP:-}" ]; then
  user=()
  [ "$(id -u)" -eq 0 ] || user=(--map-root-user)
  ORVENTA_PRIVATE_TMP=1 exec unshare --mount --propagation private "${user[@]}" "$0" "$@"
fi
# A checkout or build under /tmp stays reachable once the private /tmp covers it.
old_tmp=/mnt
mkdir -p "$old_tmp" && mount --bind /tmp "$old_tmp" &&
  mount -t tmpfs -o mode=1777 tmpfs /tmp || { echo "FAIL ($check): no private /tmp" >&2; exit 1; }
reroot() { case "$1" in /tmp | /tmp/*) echo "$old_tmp${1#/tmp}" ;; *) echo "$1" ;; esac; }
here=$(reroot "$here")
app=$(reroot "$app")
render=$(reroot "$render")
cd "$(reroot "$PWD")" || cd /

# shellcheck source=lib.sh
. "$here/lib.sh"

driver=${check%_*}
scale=${check#*_}
[ "$check" = two_outputs ] && driver=native scale=1
W=$((1920 * scale))
H=$((1080 * scale))
outputs=(--width=1920 --height=1080 --no-config)
if [ "$check" = two_outputs ]; then
  W=2304 H=768
  printf '[output]\nname=X1\nmode=1280x720\n[output]\nname=X2\nmode=1024x768\n' >"$work/weston.ini"
  outputs=(--output-count=2 --config="$work/weston.ini")
fi
unit=1  # an X pixel is this many of the panel's, each way
[ "$driver" = x11 ] && unit=$scale
weston_pid=""
take_down() {
  if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; pid=""; fi
  if [ -n "$weston_pid" ]; then kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; fi
  cleanup
}
trap take_down EXIT

# The host X server holds exactly the compositor's output, so that a root shot is the panel.
start_compositor() {
  unset WAYLAND_DISPLAY SDL_VIDEODRIVER
  Xvfb -displayfd 3 -noreset -nolisten tcp -s 0 -screen 0 "${W}x${H}x24" \
    3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  until_true 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  local n k
  n=$(head -n1 "$work/display")
  host=":$n"
  for k in $(seq 0 "$n"); do echo "placeholder" >"/tmp/.X$k-lock"; done
  DISPLAY=$host weston --backend=x11-backend.so --use-pixman "${outputs[@]}" \
    --scale="$scale" --xwayland --socket=orventa-e2e --idle-time=0 --log="$work/weston.log" &
  weston_pid=$!
  until_true 15 grep -qs "xserver listening on display" "$work/weston.log" ||
    fail "Weston did not start: $(cat "$work/weston.log")"
  # Each output is a window at the host's corner: the second goes beside the first.
  local x2
  x2=$(DISPLAY=$host xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Weston Compositor - X2".*/\1/p')
  [ -z "$x2" ] || DISPLAY=$host xdotool windowmove "$x2" 1280 0 || fail "X2 did not move"
  xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
  export WAYLAND_DISPLAY=orventa-e2e
  if [ "$driver" = x11 ]; then
    export SDL_VIDEODRIVER=x11 DISPLAY=$xwayland
    input=$xwayland
  else
    export DISPLAY=$xwayland
    input=$host
  fi
}

# Shots of the host, which shows the composited output.
shot() {
  shot_w=$W
  DISPLAY=$host xwd -root -silent >"$work/root.xwd" 2>/dev/null || return 1
  convert "$work/root.xwd" "rgb:$work/root.rgb" 2>/dev/null || return 1
  [ "$(stat -c %s "$work/root.rgb")" -eq $((W * H * 3)) ]
}

# Positions below are the program's own pixels: the panel's natively, X's under Xwayland, where
# each is unit x unit of the panel's (smoothed at their edges: colours are read inside areas).
dw=$((W / unit))
dh=$((H / unit))
see() { until_px "$1" $(($2 * unit)) $(($3 * unit)) "$4"; }

# Pointer and keys: natively through the host (Weston forwards relative motion, hence the trip
# to the corner first), under Xwayland through its own X display.
corner="0 0"  # the top left of the output the program is on, on the host
point() {
  # shellcheck disable=SC2086
  if [ "$driver" = native ]; then DISPLAY=$input xdotool mousemove $corner; fi
  DISPLAY=$input xdotool mousemove "$1" "$2"
}
click() { DISPLAY=$input xdotool click 1; }
key() { DISPLAY=$input xdotool key "$1"; }
# Out of the way: the compositor's pointer (which Xwayland's may not move) on the output's last
# pixel, where it covers the least.
park() {
  point $((dw - 1)) $((dh - 1))
  DISPLAY=$host xdotool mousemove $((W - 1)) $((H - 1))
}

# Points at item k of the menu at (X, Y), WIDTH wide, waits until it is lit, clicks.
pick() {
  point $(($1 + 20)) $(($2 + 30 * ($4 - 1) + 10))
  see 15 $(($1 + $3 - 10)) $(($2 + 30 * ($4 - 1) + 6)) ffffff
  click
}

# The desktop-sized main screen: its menu at (W/8, H/4), 400 wide.
mx=$((dw / 8))
my=$((dh / 4))
pick_main() { pick "$mx" "$my" 400 "$1"; }

# Where PICTURE.png (WxH) lies on the output, pixel for pixel: until_picture PNG W H WHAT
until_picture() {
  convert "$1" "rgb:$work/picture.rgb" || fail "convert $1"
  local deadline=$((SECONDS + 20))
  until shot &&
    "$here/find_picture.py" "$work/root.rgb" "$W" "$H" "$work/picture.rgb" "$2" "$3" >"$work/found"; do
    alive || fail "the program ended while waiting for $4"
    [ "$SECONDS" -lt "$deadline" ] || fail "$4 is not on the panel 1:1: $(cat "$work/found")"
    sleep 0.2
  done
  echo "$4 at $(cat "$work/found")"
}

card() { "$render" --test resolution-card --page 1 --size "$1x$2" --depth 32 -o "$work/card$1.png" ||
  fail "orventa-render $1x$2"; }

run_check() {
  start_compositor
  local session=Wayland sdl=wayland scale_text=$scale
  [ "$driver" = x11 ] && session=XWayland sdl=x11 scale_text=unknown
  expect_displays "^display 0: $session session, driver $sdl, output .*, ${dw}x${dh} pixels, scale $scale_text, modes cannot be switched; monitor .*; refresh .*, measured[: ].*$"

  park
  start_app
  see 20 $((mx + 390)) $((my + 6)) ffffff

  # Desktop info: the second box below the six lines, then back.
  pick_main 12
  see 10 $((dw / 4 + 555)) $((dh / 4 + 210 + 36)) 0000ff
  key x
  see 10 $((dw / 4 + 555)) $((dh / 4 + 210 + 36)) a0a0a0

  # The card in the desktop's own mode: full screen, every pixel the panel's own.
  if [ "$unit" -eq 1 ]; then
    pick_main 2
    park
    card "$W" "$H"
    until_picture "$work/card$W.png" "$W" "$H" "the full-screen card"
    key x
  fi

  # SVGA in the settings, then the card: the notice first, then a window holding it 1:1.
  pick_main 1
  pick $((dw / 4)) $((dh / 4)) 300 1
  pick $((23 * dw / 80)) $((12 * dh / 40)) 350 2
  see 10 $((23 * dw / 80 + 340)) $((12 * dh / 40 + 6)) a0a0a0
  pick_main 2
  see 10 $((dw / 2 - 175 + 340)) $((dh / 3 + 6)) ff0000
  park
  key x
  until_true 10 grep -q "cannot switch the display to 800x600; shown in a window, 1:1" "$work/err" ||
    fail "no stderr line for the window"
  if [ "$unit" -eq 1 ]; then
    card 800 600
    until_picture "$work/card800.png" 800 600 "the 800x600 card's window"
    # A click also gives the window the keyboard, which Weston does not hand it by itself.
    read -r x y <"$work/found"
    point $((x + 400)) $((y + 300))
  else
    sleep 1
    point $((dw / 2)) $((dh / 2))
  fi
  click
  see 10 $((mx + 390)) $((my + 6)) ffffff

  # The last item of the main menu, in the lower half of a scale-2 desktop's first quarter.
  pick_main 14
  # Under load a click forwarded through the compositor's nested server is now and then lost;
  # a person clicks again.
  until_true 8 eval '! alive' || click
  finish 0
  [ "$(grep -c "shown in a window" "$work/err")" -eq 1 ] || fail "stderr: $(cat "$work/err")"
  echo "ok: $check"
}

# X1 (1280x720) at the host's left, X2 (1024x768) beside it: their main menus' first items.
on_x1="$((160 + 390)) $((180 + 6))"
on_x2="$((1280 + 128 + 390)) $((192 + 6))"
run_two_outputs() {
  start_compositor
  "$app" --list-displays >"$work/list" && SDL_VIDEODRIVER=x11 "$app" --list-displays >>"$work/list" ||
    fail "--list-displays: $(cat "$work/list")"
  echo "--list-displays natively, then through Xwayland:" && cat "$work/list"
  [ "$(grep -cE "^display (0: (Wayland|XWayland) .*1280x720|1: (Wayland|XWayland) .*1024x768) pixels" \
    "$work/list")" -eq 4 ] && [ "$(wc -l <"$work/list")" -eq 4 ] || fail "not two outputs"
  # No such number; a name both outputs have (Weston's x11 outputs give SDL no model name).
  local wanted status
  for wanted in 7 none; do
    "$app" --display "$wanted" 2>"$work/err"
    status=$?
    [ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "--display $wanted: status $status"
  done
  grep -q "more than one display is called \"none\"" "$work/err" || fail "--display none: $(cat "$work/err")"

  # The trip that resets Weston's relative pointer stays on the program's output: leaving it
  # would end an open menu, as any move out of the program's window does.
  corner="1280 0"
  park
  start_app --display 1
  see 20 $on_x2 ffffff
  [ "$(px $on_x1)" != ffffff ] || fail "X1 shows the main screen too"
  # Back to the first through the settings' last item.
  pick $((1280 + 128)) 192 400 1
  pick $((1280 + 256)) 192 300 5
  pick $((1280 + 294)) 250 500 1
  corner="0 0"
  see 20 $on_x1 ffffff
  [ "$(px $on_x2)" != ffffff ] || fail "X2 still shows the main screen"
  pick 160 180 400 14
  until_true 8 eval '! alive' || click
  finish 0
  echo "ok: $check"
}

if [ "$check" = two_outputs ]; then run_two_outputs; else run_check; fi
