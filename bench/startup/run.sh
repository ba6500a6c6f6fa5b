#!/usr/bin/env bash
# Start-up benchmark: each program's first window against a bare Qt window, under
# a private Xvfb and session bus with temporary data and settings folders.
#   bench/startup/run.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
build=${1:-build}
rounds=${2:-15}
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
# The bare window with one Chinese caption shows what drawing any text costs.
programs=("$bin/startup_bare_window --text")
for p in shellstyle imagefx systune typedrill timekeeper; do
  [ -x "$bin/$p" ] && programs+=("$bin/$p")
done
dbus-run-session -- "$bin/startup_runner" "$rounds" "$bin/startup_bare_window" "${programs[@]}"
