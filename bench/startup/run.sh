#!/usr/bin/env bash
# Start-up benchmark: each program's first window against a bare Qt window and one
# showing a Chinese caption, under a private Xvfb and session bus with temporary
# data and settings folders.
#   bench/startup/run.sh [BUILD_DIR] [ROUNDS] [BEFORE_BIN_DIR]
# BEFORE_BIN_DIR, a bin folder of an earlier build, adds its programs as
# <program>-before, timed in the same rounds as the current ones. With valgrind
# installed, each is then also started once under callgrind for the instructions
# it runs to its first window.
set -euo pipefail
build=${1:-build}
rounds=${2:-21}
before=${3:-}
bin="$build/bin"
work=$(mktemp -d)
trap 'kill "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 300); do
  n=$(head -n 1 "$work/display")
  [ -n "$n" ] && export DISPLAY=":$n" && xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
programs=()
for p in shellstyle imagefx systune typedrill timekeeper; do
  [ -x "$bin/$p" ] && programs+=("$bin/$p")
  [ -n "$before" ] && [ -x "$before/$p" ] && programs+=("$p-before=$before/$p")
done
run() {
  dbus-run-session -- "$bin/startup_runner" "$1" "$bin/startup_bare_window" "$bin/startup_bare_window --text" \
    "${programs[@]}" 2> >(grep -v 'Failed to set fd limit' >&2)
}
echo "# load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
run "$rounds"
echo "# load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
# Instruction counts do not change with the machine's load; STARTUP_INSTRUCTIONS=0 skips them.
if [ "${STARTUP_INSTRUCTIONS:-1}" != 0 ] && command -v valgrind >/dev/null; then
  mkdir -p "$work/callgrind"
  run "--instructions=$work/callgrind"
fi
