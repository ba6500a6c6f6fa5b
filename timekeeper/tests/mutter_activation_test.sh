#!/usr/bin/env bash
# A second timekeeper start under mutter, GNOME's Wayland compositor, nested in Xvfb:
# with the launcher's activation token the first copy's window becomes the active
# one (it is activated and gets the keyboard); without a token it stays behind the
# launcher. Nothing is faked: the token comes from mutter for a click that mutter's
# remote-desktop input made on a focused GTK window.
set -euo pipefail
if [ -z "${TIMEKEEPER_PRIVATE_BUS:-}" ]; then
  export TIMEKEEPER_PRIVATE_BUS=1
  exec dbus-run-session -- bash "$0" "$@"
fi
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"

python=/usr/bin/python3
command -v mutter >/dev/null || { echo "smoke: mutter is missing (scripts/packages/test.txt)" >&2; exit 1; }
launcher="$SUITE_SOURCE_DIR/timekeeper/tests/focused_launcher.py"
tk="$SUITE_BIN_DIR/timekeeper"
unset XDG_ACTIVATION_TOKEN DESKTOP_STARTUP_ID
smoke_start_x

mutter --nested --wayland --no-x11 --wayland-display=wayland-tk >"$SUITE_TEST_DATA/mutter.log" 2>&1 &
smoke_track $!
for _ in $(seq 1 100); do [ -S "$XDG_RUNTIME_DIR/wayland-tk" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/wayland-tk" ] || { tail -n 20 "$SUITE_TEST_DATA/mutter.log" >&2; exit 1; }
unset DISPLAY
export WAYLAND_DISPLAY=wayland-tk QT_QPA_PLATFORM=wayland GDK_BACKEND=wayland

# The first copy's protocol log tells what the compositor did to its window.
log="$SUITE_TEST_DATA/first.log"
WAYLAND_DEBUG=1 "$tk" 2>"$log" &
smoke_track $!
# Waits up to $2 seconds for a line matching $1 after line $3 of the log.
log_shows() {
  local i
  for i in $(seq 1 $(( $2 * 10 ))); do
    tail -n +"$3" "$log" | grep -Eq "$1" && return 0
    sleep 0.1
  done
  return 1
}
enter='wl_keyboard@[0-9]+\.enter\('
log_shows "$enter" 10 1 || { echo "mutter: the first window never got the keyboard" >&2; exit 1; }

# Starts the launcher and waits until it has taken the focus from the first window
# and holds the token for its click.
launch() {
  local from=$(( $(wc -l <"$log") + 1 ))
  rm -f "$SUITE_TEST_DATA/token"
  "$python" "$launcher" "$SUITE_TEST_DATA/token" >/dev/null 2>>"$SUITE_TEST_DATA/launcher.log" &
  launcher_pid=$!
  smoke_track "$launcher_pid"
  for _ in $(seq 1 100); do [ -s "$SUITE_TEST_DATA/token" ] && break; sleep 0.1; done
  [ -s "$SUITE_TEST_DATA/token" ] || { echo "mutter: the launcher got no token" >&2; exit 1; }
  log_shows 'wl_keyboard@[0-9]+\.leave\(' 5 "$from" ||
    { echo "mutter: the launcher did not take the focus" >&2; exit 1; }
}

# Without a token the first window stays behind the launcher.
launch
mark=$(( $(wc -l <"$log") + 1 ))
timeout 10 "$tk"
if log_shows "$enter" 2 "$mark"; then echo "mutter: activated without a token" >&2; exit 1; fi
kill "$launcher_pid"; wait "$launcher_pid" || true
# The launcher gone, the first window has the keyboard again before the next one starts.
log_shows "$enter" 5 "$mark" || { echo "mutter: the first window did not get the focus back" >&2; exit 1; }

# With the launcher's token it is the active window again.
launch
token=$(cat "$SUITE_TEST_DATA/token")
mark=$(( $(wc -l <"$log") + 1 ))
XDG_ACTIVATION_TOKEN="$token" timeout 10 "$tk"
log_shows "xdg_activation_v1@[0-9]+\.activate\(\"$token\"" 5 "$mark" ||
  { echo "mutter: the first copy did not use the token" >&2; exit 1; }
log_shows "$enter" 5 "$mark" || { echo "mutter: the token did not activate the first window" >&2; exit 1; }
