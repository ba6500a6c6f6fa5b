#!/usr/bin/env bash
# The desktop catching up with shellstyle and systune, through their real windows
# under Xvfb and a private session bus with the real dconf service: the XP look, a
# replace, the restore, a tuning switch, then shellstyle-apply in a fresh session,
# on Xfce's xfconfd too, and with no settings service at all.
# Usage: desktop_smoke_test.sh <theme_probe> <gtk_probe.py>
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
probe="$1" gtk_probe="$2"

if [ "${1:-}" != --in-session ]; then
  # The bus starts its dconf and xfconf services with its own environment: the
  # sandbox's XDG_CONFIG_HOME must be in it before it starts, or they would write
  # into the real home.
  [[ "$XDG_CONFIG_HOME" == "$SUITE_TEST_DATA"/* ]] || { echo "smoke: XDG_CONFIG_HOME is not the sandbox's" >&2; exit 1; }
  unset SUITE_DESKTOP_LOG DBUS_SESSION_BUS_ADDRESS
  export GSETTINGS_BACKEND=dconf XDG_CURRENT_DESKTOP=GNOME
  exec dbus-run-session -- bash "$0" --in-session "$@"
fi
probe="$2" gtk_probe="$3" phase="${4:-window}"
icl="$SUITE_BIN_DIR/voveredav.icl"
theme="$XDG_DATA_HOME/icons/shellstyle-suite"
fail() { echo "smoke: $*" >&2; exit 1; }

# Polls (up to $2 seconds) until the command in $1 succeeds.
until_true() {
  local i
  for i in $(seq 1 $(( ${2:-60} * 5 ))); do
    eval "$1" && return 0
    sleep 0.2
  done
  fail "still not true after ${2:-60}s: $1"
}
icon_theme() { gsettings get org.gnome.desktop.interface icon-theme; }

# Qt and GTK both give picture $3 of file $2 for name $1 in the suite's theme.
# (Debian's own interpreter: python3-gi is installed for it.)
resolves() {
  local expected="$SUITE_TEST_DATA/expected-$1.png"
  "$probe" shellstyle-suite "$1" "$2" "$3" "$expected" && /usr/bin/python3 "$gtk_probe" shellstyle-suite "$1" "$expected"
}

if [ "$phase" = window ]; then
  smoke_start_x
  gsettings set org.gnome.desktop.interface icon-theme 'Earlier'
  [ -s "$XDG_CONFIG_HOME/dconf/user" ] || fail "dconf did not write into the sandbox"

  "$SUITE_BIN_DIR/shellstyle" & app=$!; smoke_track "$app"
  main=$(smoke_wait_window '^shellstyle$' 30)
  smoke_wait_gone '^shellstyle splash$' 30
  click() { xdotool mousemove --window "$main" "$1" "$2" click 1; }

  click 240 108                                       # XP界面风格
  until_true '[ "$(icon_theme)" = "'"'shellstyle-suite'"'" ]'
  until_true '[ -f "$theme/index.theme" ]' 10
  resolves drive-harddisk "$icl" 30 || fail "drive-harddisk is not icon 30 after the XP look"
  resolves computer "$icl" 7 || fail "computer is not icon 7 after the XP look"
  resolves user-trash-full "$icl" 11 || fail "user-trash-full is not icon 11 after the XP look"
  grep -q '^Inherits=Earlier,hicolor$' "$theme/index.theme" || fail "the theme does not inherit the earlier one"
  # How a GTK program draws the theme, every name at every size.
  /usr/bin/python3 "$(dirname "$gtk_probe")/theme_sheet.py" shellstyle-suite drive-harddisk media-floppy \
    drive-optical computer application-x-executable unknown folder folder-open printer document-open-recent \
    preferences-desktop system-search help-browser system-run system-log-out system-shutdown \
    folder-documents user-trash user-trash-full web-browser preferences-system & sheet=$!
  smoke_track "$sheet"
  sheet_win=$(smoke_wait_window '^theme sheet$' 30)
  sleep 1
  smoke_shot desktop-theme-sheet "$sheet_win"
  kill "$sheet"

  # Another file, only 硬盘符号 ticked: the hard disk changes, the rest stays.
  other="$SUITE_TEST_DATA/other.ico"
  convert -size 32x32 xc:'#20a040' -fill '#ffd000' -draw 'rectangle 8,8 23,23' "$other"
  click 52 44                                         # 打开图标文件
  smoke_wait_window '打开图标文件' 20 >/dev/null
  sleep 0.5
  xdotool type --delay 20 "$other"
  xdotool key Return
  smoke_wait_gone '打开图标文件' 20
  click 30 136                                        # 硬盘符号
  sleep 0.3
  smoke_shot desktop-replace-ticked "$main"
  click 52 108                                        # 替换指定图标
  until_true 'resolves drive-harddisk "$other" 0 2>/dev/null' 60
  resolves computer "$icl" 7 || fail "computer changed although only the hard disk was ticked"
  resolves user-trash-full "$icl" 11 || fail "user-trash-full changed although only the hard disk was ticked"

  click 148 108                                       # 恢复全部图标
  until_true '[ "$(icon_theme)" = "'"'Earlier'"'" ] && [ ! -e "$theme" ]'
  click 240 108                                       # XP界面风格 again, for the new session below
  until_true '[ "$(icon_theme)" = "'"'shellstyle-suite'"'" ] && [ -f "$theme/index.theme" ]'
  smoke_shot desktop-shellstyle "$main"
  click 282 14                                        # close; Escape answers No
  q=$(smoke_wait_window '^重新启动$' 10); xdotool windowfocus --sync "$q" key Escape
  until_true '! kill -0 '"$app"' 2>/dev/null' 20

  # systune: 禁止窗口动画效果 ticked and saved, then cleared and saved.
  "$SUITE_BIN_DIR/systune" & tune=$!; smoke_track "$tune"
  win=$(smoke_wait_window '^systune$' 30)
  sleep 0.5
  saved() { xdotool mousemove --window "$win" 116 376 click 1
            box=$(smoke_wait_window '^信息$' 20); sleep 0.3; xdotool windowfocus --sync "$box" key Return
            smoke_wait_gone '^信息$' 10; }
  xdotool mousemove --window "$win" 22 288 click 1
  sleep 0.3
  smoke_shot desktop-systune-ticked "$win"
  saved
  until_true '[ "$(gsettings get org.gnome.desktop.interface enable-animations)" = false ]' 20
  xdotool mousemove --window "$win" 22 288 click 1
  saved
  until_true '[ -z "$(dconf read /org/gnome/desktop/interface/enable-animations)" ]' 20
  [ "$(gsettings get org.gnome.desktop.interface enable-animations)" = true ] || fail "enable-animations is not back at its default"
  xdotool mousemove --window "$win" 22 288 click 1
  saved
  until_true '[ "$(gsettings get org.gnome.desktop.interface enable-animations)" = false ]' 20
  # 禁止光盘自动运行, whose registry key a fresh store lacks: ticked and saved, it
  # reads back ticked on the next start, so an untouched save keeps it.
  xdotool mousemove --window "$win" 158 312 click 1
  saved
  until_true '[ "$(gsettings get org.gnome.desktop.media-handling autorun-never)" = true ]' 20
  xdotool mousemove --window "$win" 229 376 click 1   # 退    出
  until_true '! kill -0 '"$tune"' 2>/dev/null' 20
  "$SUITE_BIN_DIR/systune" & tune=$!; smoke_track "$tune"
  win=$(smoke_wait_window '^systune$' 30)
  sleep 1
  smoke_shot desktop-systune-reopened "$win"
  saved
  sleep 1
  [ "$(gsettings get org.gnome.desktop.media-handling autorun-never)" = true ] || fail "an untouched save undid 禁止光盘自动运行"
  xdotool mousemove --window "$win" 229 376 click 1   # 退    出
  until_true '! kill -0 '"$tune"' 2>/dev/null' 20
  "$SUITE_BIN_DIR/shellstyle-apply" || fail "shellstyle-apply failed"
  [ "$(gsettings get org.gnome.desktop.media-handling autorun-never)" = true ] || fail "a login undid 禁止光盘自动运行"
  # Set by the user rather than the suite, the box still shows it, and clearing the box clears it.
  rm "$XDG_DATA_HOME/shellstyle-suite/desktop-switches"
  "$SUITE_BIN_DIR/systune" & tune=$!; smoke_track "$tune"
  win=$(smoke_wait_window '^systune$' 30)
  sleep 1
  xdotool mousemove --window "$win" 158 312 click 1
  saved
  until_true '[ -z "$(dconf read /org/gnome/desktop/media-handling/autorun-never)" ]' 20
  xdotool mousemove --window "$win" 229 376 click 1   # 退    出
  until_true '! kill -0 '"$tune"' 2>/dev/null' 20

  # A new session with the desktop's state gone: shellstyle-apply brings it back from the store.
  rm -rf "$theme" "$XDG_CONFIG_HOME/dconf"
  dbus-run-session -- bash "$0" --in-session "$probe" "$gtk_probe" new-session
  # Xfce's own settings daemon on its own private bus.
  XDG_CURRENT_DESKTOP=XFCE dbus-run-session -- bash "$0" --in-session "$probe" "$gtk_probe" xfce
  # dconf hanging: systune's window still answers, and the failure comes in one line.
  dbus-run-session -- bash "$0" --in-session "$probe" "$gtk_probe" hanging
  # No session bus at all: GSettings only keeps the change in memory, which the read
  # back finds out; a one-line reason and a failing exit.
  mkdir -p "$SUITE_TEST_DATA/fresh-config"
  out=$(DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent XDG_CONFIG_HOME="$SUITE_TEST_DATA/fresh-config" \
        XDG_CURRENT_DESKTOP=GNOME "$SUITE_BIN_DIR/shellstyle-apply" 2>&1) &&
    fail "shellstyle-apply succeeded without a session bus"
  [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "more than one line of reason: $out"
  echo "without a session bus: $out"

  # A data folder that is a file: one line and a failing exit, not a silent success.
  : >"$SUITE_TEST_DATA/not-a-folder"
  out=$(XDG_DATA_HOME="$SUITE_TEST_DATA/not-a-folder" "$SUITE_BIN_DIR/shellstyle-apply" 2>&1) &&
    fail "shellstyle-apply succeeded with a file for its data folder"
  [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] && [[ "$out" == *"not a folder"* ]] || fail "unclear reason: $out"
  # A store the user cannot write is read: the run that changes nothing in its folder succeeds.
  ro="$SUITE_TEST_DATA/read-only"
  mkdir -p "$ro/data" && chmod 777 "$ro" "$ro/data"
  cp -a "$XDG_DATA_HOME/shellstyle-suite" "$ro/data/"
  rm -f "$ro/data/shellstyle-suite/registry.db-wal" "$ro/data/shellstyle-suite/registry.db-shm"
  rm -f "$ro/data/shellstyle-suite/icon-theme-before" "$ro/data/shellstyle-suite/desktop-switches"
  # A first run that may write there leaves the folder as a second run finds it.
  XDG_DATA_HOME="$ro/data" SUITE_DESKTOP_LOG="$ro/desktop.log" "$SUITE_BIN_DIR/shellstyle-apply" || fail "shellstyle-apply failed"
  rm -r "$ro/desktop.log" "$ro/data/icons"
  chmod -R a+rX,go-w "$ro/data/shellstyle-suite"
  if [ "$(id -u)" -eq 0 ]; then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --); else as_user=(); fi
  [ -w "$ro/data/shellstyle-suite" ] && [ "$(id -u)" -ne 0 ] && fail "the store's folder is writable"
  out=$("${as_user[@]}" env XDG_DATA_HOME="$ro/data" HOME="$ro" SUITE_DESKTOP_LOG="$ro/desktop.log" \
        "$SUITE_BIN_DIR/shellstyle-apply" 2>&1) || fail "a read-only store was not applied: $out"
  grep -q "icon-theme 'shellstyle-suite'" "$ro/desktop.log" || fail "the read-only store's theme was not named"
  echo "desktop smoke test passed"
elif [ "$phase" = new-session ]; then
  [ "$(icon_theme)" = "'Adwaita'" ] || fail "the new session does not start at the default theme"
  "$SUITE_BIN_DIR/shellstyle-apply" || fail "shellstyle-apply failed"
  [ "$(icon_theme)" = "'shellstyle-suite'" ] || fail "shellstyle-apply did not name the theme"
  [ "$(gsettings get org.gnome.desktop.interface enable-animations)" = false ] || fail "enable-animations not set from the store"
  resolves drive-harddisk "$icl" 30 && resolves computer "$icl" 7 && resolves user-trash-full "$icl" 11 ||
    fail "the rebuilt theme's pictures differ"
elif [ "$phase" = xfce ]; then
  # A theme the user picked since the suite's was put on stays at login ...
  xfconf-query -c xsettings -p /Net/IconThemeName --create -t string -s Earlier
  "$SUITE_BIN_DIR/shellstyle-apply" || fail "shellstyle-apply failed on Xfce"
  [ "$(xfconf-query -c xsettings -p /Net/IconThemeName)" = Earlier ] || fail "the user's own theme was overridden"
  # ... and on an account the suite's theme never reached, it is put on; Xfce's own
  # settings daemon hands it to a running GTK program, which finds every name in it.
  xfsettingsd --disable-wm-check >"$SUITE_TEST_DATA/xfsettingsd.log" 2>&1 & smoke_track $!
  watch_out="$SUITE_TEST_DATA/xfce-watch.out"
  /usr/bin/python3 "$(dirname "$gtk_probe")/gtk_theme_seen.py" shellstyle-suite "$theme" 30 drive-harddisk computer \
    user-trash-full folder printer >"$watch_out" & watcher=$!
  smoke_track "$watcher"
  until_true 'grep -q "^ready" "$watch_out"' 20
  rm "$XDG_DATA_HOME/shellstyle-suite/icon-theme-before"
  "$SUITE_BIN_DIR/shellstyle-apply" || fail "shellstyle-apply failed on Xfce"
  [ "$(xfconf-query -c xsettings -p /Net/IconThemeName)" = shellstyle-suite ] || fail "xfconf does not name the theme"
  wait "$watcher" || fail "GTK under xfsettingsd did not take the theme: $(cat "$watch_out")"
  # Thunar's side pane draws File System with the chosen hard-disk picture (24 pixels there).
  thunar "$SUITE_TEST_DATA" >"$SUITE_TEST_DATA/thunar.log" 2>&1 & smoke_track $!
  pane=$(smoke_wait_window "^$(basename "$SUITE_TEST_DATA")" 30)
  sleep 2
  smoke_shot desktop-thunar "$pane"
  convert "$theme/24x24/devices/drive-harddisk.png" -background white -flatten "$SUITE_TEST_DATA/disk24.png"
  convert "$SUITE_SCREENSHOT_DIR/desktop-thunar.png" -crop 200x400+0+0 +repage "$SUITE_TEST_DATA/pane.png"
  found=$(compare -metric RMSE -subimage-search "$SUITE_TEST_DATA/pane.png" "$SUITE_TEST_DATA/disk24.png" null: 2>&1 | tail -n 1 || true)
  python3 -c "import sys; sys.exit(0 if float('$found'.split('(')[1].split(')')[0]) < 0.02 else 1)" ||
    fail "Thunar's side pane does not show the chosen hard disk (best match: $found)"
  echo "Thunar's File System icon: $found"
  grep -q '^Inherits=Earlier,hicolor$' "$theme/index.theme" || fail "the theme does not inherit Xfce's earlier one"
  # --restore does what restore-all does: the earlier theme named again, the folder gone.
  # On a copy of the data folder, so that the phases after this one keep the XP look.
  restored="$SUITE_TEST_DATA/restored-data"
  cp -a "$XDG_DATA_HOME" "$restored"
  XDG_DATA_HOME="$restored" "$SUITE_BIN_DIR/shellstyle-apply" --restore || fail "shellstyle-apply --restore failed"
  [ "$(xfconf-query -c xsettings -p /Net/IconThemeName)" = Earlier ] || fail "--restore did not name the earlier theme"
  [ ! -e "$restored/icons/shellstyle-suite" ] || fail "--restore left the theme folder"
elif [ "$phase" = hanging ]; then
  /usr/bin/python3 "$(dirname "$gtk_probe")/hanging_dconf.py" >"$SUITE_TEST_DATA/hanging.out" & smoke_track $!
  until_true 'grep -q ready "$SUITE_TEST_DATA/hanging.out"' 20
  "$SUITE_BIN_DIR/systune" & tune=$!; smoke_track "$tune"
  win=$(smoke_wait_window '^systune$' 30)
  sleep 0.5
  xdotool mousemove --window "$win" 22 288 click 1   # 禁止窗口动画效果
  xdotool mousemove --window "$win" 116 376 click 1  # 保存设置
  box=$(smoke_wait_window '^信息$' 5)                # at once, though dconf does not answer
  xdotool windowfocus --sync "$box" key Return
  smoke_wait_gone '^信息$' 5
  smoke_shot desktop-systune-hanging "$win"
  error=$(smoke_wait_window '^systune Error$' 60)    # once dconf's call has timed out
  smoke_shot desktop-systune-hanging-error "$error"
  xdotool windowfocus --sync "$error" key Return
  xdotool mousemove --window "$win" 229 376 click 1  # 退    出
  until_true '! kill -0 '"$tune"' 2>/dev/null' 20
fi
