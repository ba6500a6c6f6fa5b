# Shared pieces of the smoke tests that start a program with its real window under
# Xvfb. Source it from a test script run through suite_add_script_test:
#   . "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
#   smoke_start_x
#   "$SUITE_BIN_DIR/systune" & smoke_track $!
#   win=$(smoke_wait_window 'systune')
#   smoke_shot systune-main
set -euo pipefail

SMOKE_PIDS=()

smoke_cleanup() {
  local pid
  for pid in "${SMOKE_PIDS[@]:-}"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
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
      Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      xpid=$!
      for i in $(seq 1 300); do
        kill -0 "$xpid" 2>/dev/null || break
        if [ "$(tr -d ' \n' < "/tmp/.X$n-lock" 2>/dev/null)" = "$xpid" ] &&
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

# Saves a screenshot of the whole screen, or of window $2, as $SUITE_SCREENSHOT_DIR/$1.png.
smoke_shot() {
  mkdir -p "$SUITE_SCREENSHOT_DIR"
  if [ -n "${2:-}" ]; then
    import -window "$2" "$SUITE_SCREENSHOT_DIR/$1.png"
  else
    import -window root "$SUITE_SCREENSHOT_DIR/$1.png"
  fi
}
