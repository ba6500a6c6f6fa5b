#!/usr/bin/env bash
# The bridge as installed: staged into a DESTDIR, shellstyle started as its menu entry
# starts it, on a private session bus with the real dconf and GNOME's xsettings daemon
# under Xvfb; "XP界面风格" must reach a running GTK program with no login, and the
# autostart entry must be one that systemd's generator and dex both run.
# Usage: installed_test.sh <build folder> <gtk_theme_seen.py>
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
fail() { echo "installed: $*" >&2; exit 1; }

if [ "${1:-}" != --in-session ]; then
  [[ "$XDG_CONFIG_HOME" == "$SUITE_TEST_DATA"/* ]] || fail "XDG_CONFIG_HOME is not the sandbox's"
  root="$SUITE_TEST_DATA/root"
  DESTDIR="$root" cmake --install "$1" --prefix /usr >/dev/null
  entry="$root/etc/xdg/autostart/shellstyle-apply.desktop"
  [ -f "$entry" ] || fail "no autostart entry installed"

  # systemd's generator turns the entry into a user service that starts the installed shellstyle-apply.
  units="$SUITE_TEST_DATA/units"
  mkdir -p "$units" "$SUITE_TEST_DATA/no-autostart"
  XDG_CONFIG_DIRS="$root/etc/xdg" XDG_CONFIG_HOME="$SUITE_TEST_DATA/no-autostart" PATH="$root/usr/bin:$PATH" \
    /usr/lib/systemd/user-generators/systemd-xdg-autostart-generator "$units" "$units" "$units"
  unit="$units/app-shellstyle\\x2dapply@autostart.service"
  [ -f "$unit" ] || fail "systemd's generator made no unit of the autostart entry"
  grep -qx "ExecStart=:$root/usr/bin/shellstyle-apply" "$unit" || fail "the unit starts something else: $(grep ExecStart "$unit")"
  # dex, as the window managers without a session manager run autostart entries.
  PATH="$root/usr/bin:$PATH" dex --autostart --dry-run --environment GNOME --search-paths "$root/etc/xdg/autostart" 2>&1 |
    grep -q 'shellstyle-apply' || fail "dex does not run the autostart entry"

  unset SUITE_DESKTOP_LOG DBUS_SESSION_BUS_ADDRESS
  export GSETTINGS_BACKEND=dconf XDG_CURRENT_DESKTOP=GNOME
  exec dbus-run-session -- bash "$0" --in-session "$root" "$2"
fi
root="$2" watch="$3"
bin="$root/usr/bin"
theme="$XDG_DATA_HOME/icons/shellstyle-suite"

smoke_start_x
/usr/libexec/gsd-xsettings >"$SUITE_TEST_DATA/gsd.log" 2>&1 & smoke_track $!
has_name() {
  gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}
for _ in $(seq 1 150); do has_name org.gnome.SettingsDaemon.XSettings && break; sleep 0.1; done
has_name org.gnome.SettingsDaemon.XSettings || fail "gsd-xsettings did not start: $(tail -n 5 "$SUITE_TEST_DATA/gsd.log")"

# The names the suite's theme answers for, each resolved by the GTK program.
names="drive-harddisk media-floppy drive-optical media-optical computer application-x-executable
  application-octet-stream folder folder-open printer document-open-recent preferences-desktop system-search
  help-browser system-run system-log-out system-shutdown folder-documents user-trash user-trash-full
  web-browser preferences-system"

/usr/bin/python3 "$watch" shellstyle-suite "$theme" 30 $names >"$SUITE_TEST_DATA/watch.out" & watcher=$!
smoke_track "$watcher"
for _ in $(seq 1 100); do grep -q '^ready' "$SUITE_TEST_DATA/watch.out" && break; sleep 0.1; done
grep -q '^ready' "$SUITE_TEST_DATA/watch.out" || fail "the GTK program did not start"
grep -q '^ready shellstyle-suite' "$SUITE_TEST_DATA/watch.out" && fail "the suite's theme is in use before the press"

# As the menu entry starts it.
command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/org.shellstylesuite.shellstyle.desktop")
PATH="$bin:$PATH" $command & app=$!
smoke_track "$app"
main=$(smoke_wait_window '^shellstyle$' 30)
smoke_wait_gone '^shellstyle splash$' 30
sleep 0.5
pressed=$(python3 -c 'import time; print(f"{time.monotonic():.3f}")')
xdotool mousemove --window "$main" 240 108 click 1   # XP界面风格
wait "$watcher" || fail "the GTK program did not take the suite's theme: $(cat "$SUITE_TEST_DATA/watch.out")"
seen=$(tail -n 1 "$SUITE_TEST_DATA/watch.out")
echo "press to theme in a running GTK program: $(python3 -c "print(f'{($seen - $pressed) * 1000:.0f} ms')")"
[ "$(gsettings get org.gnome.desktop.interface icon-theme)" = "'shellstyle-suite'" ] || fail "dconf does not name the theme"
grep -q "^Inherits=.*hicolor" "$theme/index.theme" || fail "no index.theme"

xdotool mousemove --window "$main" 282 14 click 1    # close; Escape answers No
q=$(smoke_wait_window '^重新启动$' 10); xdotool windowfocus --sync "$q" key Escape
for _ in $(seq 1 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$app" 2>/dev/null || fail "shellstyle did not end"

# The installed shellstyle-apply, as the autostart entry starts it, puts the theme back on a
# settings store that lost it.
gsettings reset org.gnome.desktop.interface icon-theme
PATH="$bin:$PATH" $(sed -n 's/^Exec=//p' "$root/etc/xdg/autostart/shellstyle-apply.desktop") || fail "shellstyle-apply failed"
[ "$(gsettings get org.gnome.desktop.interface icon-theme)" = "'shellstyle-suite'" ] || fail "shellstyle-apply did not name the theme"
echo "installed test passed"
