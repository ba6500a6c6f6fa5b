#!/usr/bin/env bash
# The Xfce chain as Thunar shows it: a private session bus with the real xfconfd, the
# real xfsettingsd publishing XSETTINGS on Xvfb, and an open Thunar window whose side
# pane must change to the chosen icons for File System and a bookmarked folder after
# "XP界面风格" in shellstyle's window; a GTK program times the press. (Thunar lists
# Trash and Computer only through gvfs, which is not installed here.)
# Usage: xfce_chain_test.sh <chain_expect> <gtk_watch.py> <screen_find.py>
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
. "$SUITE_SOURCE_DIR/desktop/tests/chain_lib.sh"

if [ "${1:-}" != --in-session ]; then
  # The bus starts xfconfd with its own environment: the sandbox's must be in it first.
  [[ "$XDG_CONFIG_HOME" == "$SUITE_TEST_DATA"/* ]] || { echo "xfce chain: XDG_CONFIG_HOME is not the sandbox's" >&2; exit 1; }
  unset SUITE_DESKTOP_LOG DBUS_SESSION_BUS_ADDRESS
  export XDG_CURRENT_DESKTOP=XFCE
  exec dbus-run-session -- bash "$0" --in-session "$@"
fi
expect="$2" watch="$3" find="$4"
fail() { echo "xfce chain: $*" >&2; exit 1; }
exp="$SUITE_TEST_DATA/expected" pane="$SUITE_TEST_DATA/pane"
mkdir -p "$exp" "$pane" "$SUITE_TEST_DATA/earlier" "$HOME/files" "$XDG_CONFIG_HOME/gtk-3.0"
: > "$SUITE_TEST_DATA/earlier/names.txt"
echo "file://$HOME/files files" > "$XDG_CONFIG_HOME/gtk-3.0/bookmarks"

smoke_start_x
xfconf-query -c xsettings -p /Net/IconThemeName --create -t string -s Earlier
xfsettingsd --no-daemon >"$SUITE_TEST_DATA/xfsettingsd.log" 2>&1 & smoke_track $!
chain_daemon_published || fail "xfsettingsd did not publish the earlier theme"

thunar "$HOME" >"$SUITE_TEST_DATA/thunar.log" 2>&1 & smoke_track $!
thunar_win=$(smoke_wait_window 'Thunar$' 30)
"$SUITE_BIN_DIR/shellstyle" & app=$!; smoke_track "$app"
main=$(smoke_wait_window '^shellstyle$' 30)
smoke_wait_gone '^shellstyle splash$' 30
xdotool windowmove "$main" 700 0                      # beside Thunar's window, not over it
sleep 0.5

# The side pane (left of the folder view, below the tool bar) holds the chosen icon.
in_pane() { /usr/bin/python3 "$find" "$1" "$pane/$2.png" 0 90 180 400 >/dev/null; }
smoke_shot xfce-thunar-before "$thunar_win"

/usr/bin/python3 "$watch" shellstyle-suite "$exp" 30 >"$SUITE_TEST_DATA/watch" & watcher=$!
smoke_track "$watcher"
for _ in $(seq 1 100); do grep -q '^ready' "$SUITE_TEST_DATA/watch" && break; sleep 0.1; done
grep -qx 'ready Earlier' "$SUITE_TEST_DATA/watch" || fail "the GTK program does not start at the earlier theme"
pressed=$(date +%s.%N)
xdotool mousemove --window "$main" 240 108 click 1   # XP界面风格
for _ in $(seq 1 300); do grep -q '^seen' "$SUITE_TEST_DATA/watch" && break; sleep 0.1; done
"$expect" "$exp" 32 >"$exp/names.tmp" || fail "the store does not give every mapped name an icon"
mv "$exp/names.tmp" "$exp/names.txt"
"$expect" "$pane" 24 >/dev/null
wait "$watcher" || fail "the GTK program did not get the chosen icons"
seen=$(awk '/^seen/ { print $3 }' "$SUITE_TEST_DATA/watch")
echo "xfce chain: press-to-theme $(awk -v a="$pressed" -v b="$seen" 'BEGIN { printf "%.3f", b - a }') s"
[ "$(xfconf-query -c xsettings -p /Net/IconThemeName)" = shellstyle-suite ] || fail "xfconf does not name the theme"

# The pictures were not there before the press, so finding them means Thunar changed.
shot="$SUITE_SCREENSHOT_DIR/xfce-thunar-before.png"
if in_pane "$shot" drive-harddisk || in_pane "$shot" folder; then fail "the chosen icons were in Thunar before the press"; fi
shot="$SUITE_SCREENSHOT_DIR/xfce-thunar.png"
for _ in $(seq 1 25); do
  smoke_shot xfce-thunar "$thunar_win"
  in_pane "$shot" drive-harddisk && in_pane "$shot" folder && break
  sleep 0.2
done
in_pane "$shot" drive-harddisk || fail "Thunar's File System does not show the chosen hard-disk icon"
in_pane "$shot" folder || fail "Thunar's bookmarked folder does not show the chosen folder icon"
kill "$app"
echo "xfce chain: passed"
