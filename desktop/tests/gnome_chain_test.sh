#!/usr/bin/env bash
# The GNOME chain as a GTK program sees it: a private session bus with the real dconf,
# the real gsd-xsettings publishing XSETTINGS on Xvfb, and a GTK 3 program with no
# theme of its own that must get the suite's theme name and every mapped icon name's
# chosen picture, after "XP界面风格" in shellstyle's window (timed from the click) and
# after shellstyle-apply. With --installed <build>, all of it from a DESTDIR install,
# shellstyle started as its menu entry starts it.
# Usage: gnome_chain_test.sh <chain_expect> <gtk_watch.py> [--installed <build folder>]
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
. "$SUITE_SOURCE_DIR/desktop/tests/chain_lib.sh"

if [ "${1:-}" != --in-session ]; then
  # The bus starts dconf with its own environment: the sandbox's must be in it first.
  [[ "$XDG_CONFIG_HOME" == "$SUITE_TEST_DATA"/* ]] || { echo "gnome chain: XDG_CONFIG_HOME is not the sandbox's" >&2; exit 1; }
  if [ "${3:-}" = --installed ]; then
    root="$SUITE_TEST_DATA/root"
    DESTDIR="$root" cmake --install "$4" --prefix /usr >/dev/null
    # What an installed system's session has; the staged tree stands in for /usr.
    export PATH="$root/usr/bin:/usr/local/bin:/usr/bin:/bin"
    export XDG_DATA_DIRS="$root/usr/share:/usr/local/share:/usr/share"
  fi
  unset SUITE_DESKTOP_LOG DBUS_SESSION_BUS_ADDRESS
  export GSETTINGS_BACKEND=dconf XDG_CURRENT_DESKTOP=GNOME
  exec dbus-run-session -- bash "$0" --in-session "$@"
fi
expect="$2" watch="$3" root=""
[ "${4:-}" = --installed ] && root="$SUITE_TEST_DATA/root"
fail() { echo "gnome chain: $*" >&2; exit 1; }
exp="$SUITE_TEST_DATA/expected"
mkdir -p "$exp" "$SUITE_TEST_DATA/earlier"
: > "$SUITE_TEST_DATA/earlier/names.txt"

smoke_start_x
gsettings set org.gnome.desktop.interface icon-theme 'Earlier'
[ -s "$XDG_CONFIG_HOME/dconf/user" ] || fail "dconf did not write into the sandbox"
/usr/libexec/gsd-xsettings >"$SUITE_TEST_DATA/gsd-xsettings.log" 2>&1 & smoke_track $!
chain_daemon_published || fail "gsd-xsettings did not publish the earlier theme"

# Starts the GTK program in the background; its lines go to $SUITE_TEST_DATA/watch-$1.
watching() {
  /usr/bin/python3 "$watch" shellstyle-suite "$exp" 30 >"$SUITE_TEST_DATA/watch-$1" & watcher=$!
  smoke_track "$watcher"
  for _ in $(seq 1 100); do grep -q '^ready' "$SUITE_TEST_DATA/watch-$1" && break; sleep 0.1; done
  grep -qx 'ready Earlier' "$SUITE_TEST_DATA/watch-$1" || fail "the GTK program does not start at the earlier theme"
}
# Waits for the GTK program to see and resolve the theme.
resolved() {
  wait "$watcher" || fail "$1: the GTK program did not get the chosen icons"
  grep -q '^resolved' "$SUITE_TEST_DATA/watch-$1" || fail "$1: no resolved line"
}

if [ -n "$root" ]; then
  entry="$root/usr/share/applications/org.shellstylesuite.shellstyle.desktop"
  read -ra command <<<"$(sed -n 's/^Exec=//p' "$entry")"
  [ "${#command[@]}" -gt 0 ] || fail "no Exec line in $entry"
  command[0]="$root/usr/bin/${command[0]}"           # the program as /usr/bin holds it
  "${command[@]}" & app=$!
  apply="$root/usr/bin/shellstyle-apply"
else
  "$SUITE_BIN_DIR/shellstyle" & app=$!
  apply="$SUITE_BIN_DIR/shellstyle-apply"
fi
smoke_track "$app"
main=$(smoke_wait_window '^shellstyle$' 30)
smoke_wait_gone '^shellstyle splash$' 30
sleep 0.5

watching press
pressed=$(date +%s.%N)
xdotool mousemove --window "$main" 240 108 click 1   # XP界面风格
for _ in $(seq 1 300); do grep -q '^seen' "$SUITE_TEST_DATA/watch-press" && break; sleep 0.1; done
"$expect" "$exp" 32 >"$exp/names.tmp" || fail "the store does not give every mapped name an icon"
mv "$exp/names.tmp" "$exp/names.txt"
resolved press
seen=$(awk '/^seen/ { print $3 }' "$SUITE_TEST_DATA/watch-press")
echo "gnome chain: press-to-theme $(awk -v a="$pressed" -v b="$seen" 'BEGIN { printf "%.3f", b - a }') s," \
  "$(wc -l <"$exp/names.txt") names resolved"
kill "$app"

# A new login's shellstyle-apply, with the desktop back on the earlier theme and no
# suite theme on disk: the GTK program gets both back from the store.
rm -rf "$XDG_DATA_HOME/icons/shellstyle-suite"
gsettings set org.gnome.desktop.interface icon-theme 'Earlier'
chain_daemon_published || fail "the earlier theme did not come back"
watching apply
"$apply" || fail "shellstyle-apply failed"
resolved apply
echo "gnome chain: passed"
