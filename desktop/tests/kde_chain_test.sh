#!/usr/bin/env bash
# The KDE chain as KDE's own tools and listeners see it: on a private session bus and
# Xvfb, "XP界面风格" and "恢复全部图标" in shellstyle's window must leave kdeglobals'
# [Icons] Theme as kreadconfig5 reads it, and announce each change with the standard
# org.kde.KGlobalSettings.notifyChange (icons: 4, 0) and KIconLoader's iconChanged,
# sent once the file holds the new name (a listener re-reads it when it hears one).
# Plasma itself is not run: its tools and the signals are what programs rely on.
# Usage: kde_chain_test.sh
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"

if [ "${1:-}" != --in-session ]; then
  [[ "$XDG_CONFIG_HOME" == "$SUITE_TEST_DATA"/* ]] || { echo "kde chain: XDG_CONFIG_HOME is not the sandbox's" >&2; exit 1; }
  unset SUITE_DESKTOP_LOG DBUS_SESSION_BUS_ADDRESS
  export XDG_CURRENT_DESKTOP=KDE
  exec dbus-run-session -- bash "$0" --in-session "$@"
fi
fail() { echo "kde chain: $*" >&2; exit 1; }
theme_now() { kreadconfig5 --file kdeglobals --group Icons --key Theme; }
heard="$SUITE_TEST_DATA/heard" monitor="$SUITE_TEST_DATA/monitor"

kwriteconfig5 --file kdeglobals --group Icons --key Theme Earlier
[ -f "$XDG_CONFIG_HOME/kdeglobals" ] || fail "kwriteconfig5 did not write into the sandbox"

# A KDE program's view: each notifyChange heard, with its arguments and the theme
# kdeglobals names at that moment; iconChanged lines as they come.
listen() {
  local line _ change group
  while read -r line; do
    case "$line" in
      *member=notifyChange*)
        read -r _ change; read -r _ group
        echo "notifyChange $change $group $(theme_now)" ;;
      *member=iconChanged*) echo iconChanged ;;
    esac
  done
}
: >"$heard"
dbus-monitor --session "type='signal',path='/KGlobalSettings'" "type='signal',path='/KIconLoader'" \
  "type='signal',member='NameAcquired'" > >(tee "$monitor" | listen >>"$heard") 2>/dev/null & smoke_track $!
for _ in $(seq 1 50); do grep -q NameAcquired "$monitor" 2>/dev/null && break; sleep 0.1; done

# Waits (up to 30 s) for kdeglobals to name $1 and for a notifyChange heard after it.
announced() {
  for _ in $(seq 1 150); do
    [ "$(theme_now)" = "$1" ] && grep -qx "notifyChange 4 0 $1" "$heard" && return 0
    sleep 0.2
  done
  echo "kde chain: heard:" >&2; cat "$heard" >&2
  fail "$2"
}

smoke_start_x
"$SUITE_BIN_DIR/shellstyle" & app=$!; smoke_track "$app"
main=$(smoke_wait_window '^shellstyle$' 30)
smoke_wait_gone '^shellstyle splash$' 30
sleep 0.5
xdotool mousemove --window "$main" 240 108 click 1   # XP界面风格
announced shellstyle-suite "no notifyChange for the suite's theme in kdeglobals after the XP look"
grep -q '^iconChanged' "$heard" || fail "no KIconLoader iconChanged after the XP look"
grep -q '^Inherits=Earlier,' "$XDG_DATA_HOME/icons/shellstyle-suite/index.theme" ||
  fail "the theme does not fall back to the user's earlier one"

xdotool mousemove --window "$main" 148 108 click 1   # 恢复全部图标
announced Earlier "no notifyChange for the earlier theme in kdeglobals after the restore"
kill "$app"
echo "kde chain: passed"
