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
# Xvfb picks the display itself and writes its number once it accepts connections,
# so smoke tests running side by side never share (or lose) a display.
smoke_start_x() {
  unset QT_QPA_PLATFORM
  local numfile="${TMPDIR:-/tmp}/smoke-display.$$" n="" i
  : > "$numfile"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  smoke_track $!
  for i in $(seq 1 300); do
    n=$(head -n 1 "$numfile")
    if [ -n "$n" ]; then
      export DISPLAY=":$n"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    sleep 0.1
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
