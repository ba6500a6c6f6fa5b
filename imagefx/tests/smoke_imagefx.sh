#!/usr/bin/env bash
# Smoke test: the real imagefx window under Xvfb, at scale 1 and 2. It opens a picture
# through the file dialog, is told when a file cannot be opened, sharpens, refuses an
# unusable kernel entry, saves and exits; screenshots go to build/screenshots.
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"

# The program keeps "Very.bmp" beside itself, so a copy runs from inside the sandbox.
app="$SUITE_TEST_DATA/app"
mkdir -p "$app"
cp "$SUITE_BIN_DIR/imagefx" "$app/imagefx"
pic="$SUITE_TEST_DATA/smoke.bmp"
convert -size 480x360 gradient:orange-navy -fill white -draw "circle 240,180 240,260" "BMP3:$pic"
bad="$SUITE_TEST_DATA/notes.bmp"
echo "not a picture" > "$bad"

smoke_start_x

# Chooses $1 in the open dialog of window $win.
open_file() {
  click 376 12                                # 打开图片文件
  smoke_wait_window '打开' >/dev/null
  sleep 0.5
  # Real key presses (XTEST) into the focused dialog; keys sent to a window id are
  # replayed later to whichever window has the focus.
  xdotool type --delay 20 "$1"
  xdotool key Return
}

# One run of the program at Qt scale $1; screenshots carry the suffix $2.
session() {
  local scale="$1" tag="$2"
  click() { xdotool mousemove --window "$win" $(($1 * scale)) $(($2 * scale)) click 1; }
  QT_SCALE_FACTOR="$scale" "$app/imagefx" & smoke_track $!
  win=$(smoke_wait_window '^imagefx$')
  smoke_shot "imagefx-start$tag" "$win"

  open_file "$pic"
  smoke_wait_window "^imagefx-.*smoke.bmp" >/dev/null
  sleep 0.5
  smoke_shot "imagefx-opened$tag" "$win"

  # The main window's title now names the picture; a box titled like the program is the message.
  open_file "$bad"
  box=$(smoke_wait_window '^imagefx$')
  sleep 0.3
  smoke_shot "imagefx-cannot-open$tag" "$box"
  xdotool key Return
  smoke_wait_gone '^imagefx$'

  click 376 84                                # 锐    化: Command1(1)
  for i in $(seq 1 50); do [ -f "$app/Very.bmp" ] && break; sleep 0.1; done
  [ -f "$app/Very.bmp" ] || { echo "no display file after the filter" >&2; exit 1; }
  sleep 0.5
  smoke_shot "imagefx-sharpened$tag" "$win"

  click 376 178                               # 自定义滤镜
  dlg=$(smoke_wait_window '^自定义滤镜$')
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "1e999"
  xdotool key Return                          # 确定: refused, the dialog stays
  sleep 0.5
  smoke_wait_window '^自定义滤镜$' >/dev/null
  smoke_shot "imagefx-kernel-refused$tag" "$dlg"
  xdotool key Escape
  smoke_wait_gone '^自定义滤镜$'

  click 376 300                               # 保存图片文件
  for i in $(seq 1 50); do [ -f "$app/ok.bmp" ] && break; sleep 0.1; done
  [ -f "$app/ok.bmp" ] || { echo "no ok.bmp after saving" >&2; exit 1; }

  python3 "$SUITE_SOURCE_DIR/scripts/smoke/wm_close.py" "$win"
  box=$(smoke_wait_window '版权信息')
  smoke_shot "imagefx-exit$tag" "$box"
  xdotool key Return
  for i in $(seq 1 50); do [ -f "$app/Very.bmp" ] || break; sleep 0.1; done
  [ ! -f "$app/Very.bmp" ] || { echo "Very.bmp left behind" >&2; exit 1; }
  [ -f "$app/ok.bmp" ]
  smoke_wait_gone '版权信息'
}

session 1 ""
session 2 "-2x"
echo "imagefx smoke: ok"
