# Shared by the end-to-end scripts: a private Xvfb with extra RandR modes, a program in the
# background, waits with deadlines, and cleanup whatever happens. Source it after setting $check.
work=$(mktemp -d "${TMPDIR:-/tmp}/orventa-e2e.XXXXXX")
xvfb_pid=""
probe_pid=""

cleanup() {
  if [ -n "$probe_pid" ]; then kill -KILL "$probe_pid" 2>/dev/null; wait "$probe_pid" 2>/dev/null; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL ($check): $*" >&2
  for f in out err; do
    if [ -s "$work/$f" ]; then echo "--- probe std$f:" >&2; cat "$work/$f" >&2; fi
  done
  exit 1
}

# Runs until the condition holds or `seconds` pass: until SECONDS CMD...
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

expect_size() {
  local size
  size=$(screen_size)
  [ "$size" = "$1" ] || fail "$2: the screen is $size, not $1"
}

# --- the probe ------------------------------------------------------------------------------

# Starts the probe in the background; commands go to it through fd 4.
start_probe() {
  rm -f "$work/cmd" "$work/out" "$work/err"
  mkfifo "$work/cmd"
  "$probe" "$@" <"$work/cmd" >"$work/out" 2>"$work/err" &
  probe_pid=$!
  exec 4>"$work/cmd"
}

send() { echo "$1" >&4; }

probe_said() { grep -qE "$1" "$work/out"; }

alive() { kill -0 "$probe_pid" 2>/dev/null; }

# Waits for a line of the probe's output matching a regular expression.
wait_for() {
  local deadline=$((SECONDS + ${2:-15}))
  until probe_said "$1"; do
    alive || fail "the probe ended before printing /$1/"
    [ "$SECONDS" -lt "$deadline" ] || fail "no /$1/ from the probe"
    sleep 0.05
  done
}

# Waits for the probe to end and checks its exit status.
finish_probe() {
  until_true 15 eval '! alive' || fail "the probe did not end"
  wait "$probe_pid"
  local status=$?
  probe_pid=""
  exec 4>&-
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}

expect_line() { probe_said "$1" || fail "missing /$1/"; }

