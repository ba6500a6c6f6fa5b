# Shared pieces of the smoke tests that start a program with its real window under
# Xvfb. Source it from a test script run through suite_add_script_test:
#   . "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
#   smoke_start_x
#   "$SUITE_BIN_DIR/systune" & smoke_track $!
#   win=$(smoke_wait_window 'systune')
#   smoke_shot systune-main
set -euo pipefail

SMOKE_PIDS=()
SMOKE_X_LOG="${SUITE_TEST_DATA:-${TMPDIR:-/tmp}}/xvfb.log"

# Most tracked processes have long ended by the time the test does, and their
# numbers may since have gone to another test's processes (its X server, say): only
# a process that is still this shell's child is stopped.
smoke_cleanup() {
  local status=$? pid stat state ppid
  for pid in "${SMOKE_PIDS[@]:-}"; do
    [ -n "$pid" ] || continue
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || continue
    read -r state ppid _ <<<"${stat##*) }"
    [ "$ppid" = "$$" ] || continue
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  if [ "$status" != 0 ] && [ -s "$SMOKE_X_LOG" ]; then
    echo "smoke: the X server said:" >&2
    tail -n 20 "$SMOKE_X_LOG" >&2
  fi
}
trap smoke_cleanup EXIT

smoke_track() { SMOKE_PIDS+=("$1"); }

# Starts Xvfb on a free display and exports DISPLAY; the real xcb platform is used.
# Display numbers start from one drawn from this shell's process id rather than from
# :0, so a test never takes the number a test that just ended is still giving back
# (an X server that is shutting down removes its socket file by name, and with it the
# new server's). The server counts as ours once its lock file names its process.
smoke_start_x() {
  unset QT_QPA_PLATFORM
  local n=$(( 100 + $$ % 800 )) tries xpid i
  for tries in $(seq 1 20); do
    if [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>"$SMOKE_X_LOG" &
      xpid=$!
      for i in $(seq 1 300); do
        kill -0 "$xpid" 2>/dev/null || break
        if [ "$( { tr -d ' \n' < "/tmp/.X$n-lock"; } 2>/dev/null)" = "$xpid" ] &&
           DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
          smoke_track "$xpid"
          export DISPLAY=":$n"
          return 0
        fi
        sleep 0.1
      done
      kill "$xpid" 2>/dev/null || true
      wait "$xpid" 2>/dev/null || true
    fi
    n=$(( n + 1 ))
  done
  echo "smoke: Xvfb did not start" >&2
  return 1
}

# Gives each character of $1 a key of its own in the X keymap. xdotool types a
# character the keymap lacks by binding it to a spare key just before the key
# press, and a busy program can read that press with the old binding and lose the
# character.
smoke_map_chars() {
  local free keysym
  free=($(xmodmap -pke | awk 'NF == 3 && $2 > 8 { print $2 }'))
  for keysym in $(python3 -c 'import sys; print(*("U%04X" % ord(c) for c in sys.argv[1]))' "$1"); do
    [ "${#free[@]}" -gt 0 ] || { echo "smoke: no spare key for $keysym" >&2; return 1; }
    xmodmap -e "keycode ${free[0]} = $keysym $keysym"
    free=("${free[@]:1}")
  done
}

# Waits (up to $2 seconds, default 20) for a visible window whose title matches $1
# and prints its id.
smoke_wait_window() {
  local pattern="$1" limit="${2:-20}" i id
  for i in $(seq 1 $((limit * 10))); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "smoke: no window matching '$pattern' after ${limit}s" >&2
  return 1
}

# Waits until no visible window matches $1.
smoke_wait_gone() {
  local pattern="$1" limit="${2:-20}" i
  for i in $(seq 1 $((limit * 10))); do
    xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "smoke: window '$pattern' still there after ${limit}s" >&2
  return 1
}

# Waits (up to $3 seconds, default 10) until window $1 ("root" for the whole screen)
# no longer looks as in picture $2, taken before a key or click whose effect must
# show before the test goes on.
smoke_wait_change() {
  local win="$1" before="$2" limit="${3:-10}" now i
  now="${before%.png}-now.png"
  for i in $(seq 1 $((limit * 5))); do
    import -window "$win" "$now" 2>/dev/null || true
    [ "$(compare -metric AE "$before" "$now" null: 2>&1 || true)" != 0 ] && return 0
    sleep 0.2
  done
  echo "smoke: window $win did not change after ${limit}s" >&2
  return 1
}

# Saves a screenshot of the whole screen, or of window $2, as $SUITE_SCREENSHOT_DIR/$1.png.
smoke_shot() {
  mkdir -p "$SUITE_SCREENSHOT_DIR"
  if [ -n "${2:-}" ]; then
    import -window "$2" "$SUITE_SCREENSHOT_DIR/$1.png"
  else
    import -window root "$SUITE_SCREENSHOT_DIR/$1.png"
  fi
}
