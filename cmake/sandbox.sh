#!/usr/bin/env bash
# Runs one test inside a fresh folder of its own ($SUITE_TEST_DATA): every place
# a program or library could write to (data, config, cache, home, temp) points
# there, and the restart request, wallpaper service and desktop settings only
# write a log line.
set -eu
dir="${SUITE_TEST_DATA:?}"
rm -rf "$dir"
mkdir -p "$dir/xdg-data" "$dir/xdg-config" "$dir/xdg-cache" "$dir/home" "$dir/tmp" "$dir/runtime"
chmod 700 "$dir/runtime"
export XDG_DATA_HOME="$dir/xdg-data"
export XDG_CONFIG_HOME="$dir/xdg-config"
export XDG_CACHE_HOME="$dir/xdg-cache"
export XDG_RUNTIME_DIR="$dir/runtime"
export HOME="$dir/home"
export TMPDIR="$dir/tmp"
export SUITE_RESTART_LOG="$dir/restart.log"
export SUITE_WALLPAPER_LOG="$dir/wallpaper.log"
export SUITE_DESKTOP_LOG="$dir/desktop.log"
exec "$@"
