#!/usr/bin/env bash
# The installed suite, staged into a DESTDIR and run from there under Xvfb: every
# menu entry starts its installed program; shellstyle's XP preset points at the
# installed icon library; typedrill finds level 1 in the installed data folder;
# imagefx opens a picture handed to its menu entry and, its installed folders being
# read-only, saves "ok.bmp" in the suite's data folder. Usage: install_smoke.sh <build folder>
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
. "$SUITE_SOURCE_DIR/typedrill/tests/level1.sh"
build="$1"
root="$SUITE_TEST_DATA/root"
fail() { echo "install smoke: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
bin="$root/usr/bin"
data="$root/usr/share/shellstyle-suite"
for f in "$data/voveredav.icl" "$data"/{1,2,3,4,5}.txt "$bin/reg"; do
  [ -f "$f" ] || fail "not installed: $f"
done
for entry in "$root"/usr/share/applications/*.desktop; do
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$bin/$program" ] || fail "$(basename "$entry") starts $program, which is not installed"
done
# Menu entries, metadata and icons agree with one another as installed.
appstreamcli validate-tree --no-net "$root" >/dev/null || fail "appstreamcli validate-tree on the installed tree"
# Installed files belong to root and cannot be written by the user who runs them.
trap 'chmod -R u+w "$root"; smoke_cleanup' EXIT
chmod -R a-w "$root"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi

smoke_start_x

# Each menu entry's Exec line starts its program, whose window carries the entry's
# StartupWMClass (how a desktop ties the window to the entry).
for entry in "$root"/usr/share/applications/*.desktop; do
  command=$(sed -n 's/^Exec=//p' "$entry")
  command=${command// %[fFuU]/}  # started from the menu, with no file handed over
  class=$(sed -n 's/^StartupWMClass=//p' "$entry")
  PATH="$bin:$PATH" $command & pid=$!
  smoke_track "$pid"
  wid=""
  for _ in $(seq 1 300); do
    wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  [ -n "$wid" ] || fail "$(basename "$entry"): no window from '$command'"
  wm_class=$(xprop -id "$wid" WM_CLASS)
  [[ "$wm_class" == *", \"$class\"" ]] || fail "$(basename "$entry"): window has $wm_class, entry says $class"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done

# shellstyle: the XP preset, then close answering No to the restart question.
"$bin/shellstyle" & app=$!
smoke_track "$app"
main=$(smoke_wait_window '^shellstyle$' 30)
smoke_wait_gone '^shellstyle splash$' 30
sleep 1
xdotool mousemove --window "$main" 240 108 click 1   # "XP界面风格"
sleep 0.5
xdotool mousemove --window "$main" 282 14 click 1    # close
question=$(smoke_wait_window '^重新启动$' 10)
xdotool windowfocus --sync "$question" 2>/dev/null || true
xdotool key Escape
for _ in $(seq 1 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$app" 2>/dev/null || fail "shellstyle did not end"
shell_icons='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\explorer\Shell Icons'
value=$("$bin/reg" query "$shell_icons" /v 8) || fail "reg query failed"
grep -qF "$data/voveredav.icl,30" <<<"$value" || fail "the hard-disk icon is not the installed library's: $value"

# typedrill: level 1 from the installed data folder, two right characters typed.
typedrill_begin_level1 "$bin/typedrill"
win=$TYPEDRILL_WIN
xdotool type --delay 150 '王土'
sleep 1.5
smoke_shot installed-typedrill-level1 "$win"
yellow=$(convert "$SUITE_SCREENSHOT_DIR/installed-typedrill-level1.png" \
  -fx '(r>0.6 && g>0.6 && b<0.4) ? 1 : 0' -format '%[fx:mean*w*h]' info:)
[ "${yellow%.*}" -ge 20 ] || fail "typedrill marked nothing of level 1 ($yellow pixels)"
xdotool windowfocus --sync "$win"
xdotool key ctrl+q
smoke_wait_gone '^五笔typedrill$' 10

# imagefx as a user who cannot write the installed folders.
pic="$SUITE_TEST_DATA/installed.bmp"
convert -size 200x150 gradient:orange-navy "BMP3:$pic"
chmod a+r "$pic"
# imagefx's menu entry with a picture handed over, as a file manager's "Open with" does.
command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/org.shellstylesuite.imagefx.desktop")
PATH="$bin:$PATH" ${command//%f/$pic} & opened=$!
smoke_track "$opened"
smoke_wait_window '^imagefx-.*installed.bmp' 15 >/dev/null || fail "imagefx did not open the picture handed to it"
kill "$opened"
wait "$opened" 2>/dev/null || true
if [ "${#as_user[@]}" -gt 0 ]; then
  chown -R 65534:65534 "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" "$HOME" "$TMPDIR"
fi
"${as_user[@]}" "$bin/imagefx" & smoke_track $!
win=$(smoke_wait_window '^imagefx$' 30)
xdotool mousemove --window "$win" 376 12 click 1     # 打开图片文件
dlg=$(smoke_wait_window '打开' 10)
sleep 0.5
smoke_shot installed-imagefx-open-dialog "$dlg"
xdotool type --delay 20 "$pic"
xdotool key Return
smoke_wait_window '^imagefx-.*installed.bmp' 10 >/dev/null
xdotool mousemove --window "$win" 376 76 click 1     # 锐    化
sleep 1
xdotool mousemove --window "$win" 376 300 click 1    # 保存图片文件
saved="$XDG_DATA_HOME/shellstyle-suite/ok.bmp"
for _ in $(seq 1 50); do [ -f "$saved" ] && break; sleep 0.1; done
[ -f "$saved" ] || fail "no ok.bmp in the suite's data folder"
[ ! -e "$bin/ok.bmp" ] && [ ! -e "$data/ok.bmp" ] || fail "ok.bmp went into an installed folder"
smoke_shot installed-imagefx-saved "$win"
python3 "$SUITE_SOURCE_DIR/scripts/smoke/wm_close.py" "$win"
smoke_wait_window '版权信息' 10 >/dev/null
xdotool key Return
smoke_wait_gone '^imagefx' 10
echo "install smoke: ok"
