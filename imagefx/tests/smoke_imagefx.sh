#!/usr/bin/env bash
# Smoke test: the real imagefx window under Xvfb opens a picture through the file dialog,
# sharpens it, and closes; screenshots go to build/screenshots.
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"

# The program keeps "Very.bmp" beside itself, so a copy runs from inside the sandbox.
app="$SUITE_TEST_DATA/app"
mkdir -p "$app"
cp "$SUITE_BIN_DIR/imagefx" "$app/imagefx"
pic="$SUITE_TEST_DATA/smoke.bmp"
convert -size 480x360 gradient:orange-navy -fill white -draw "circle 240,180 240,260" "BMP3:$pic"

smoke_start_x
"$app/imagefx" & smoke_track $!
win=$(smoke_wait_window '^imagefx$')
smoke_shot imagefx-start "$win"

click() { xdotool mousemove --window "$win" "$1" "$2" click 1; }
click 376 12                                  # 打开图片文件
dlg=$(smoke_wait_window '打开')
sleep 0.5
# Real key presses (XTEST) into the focused dialog; keys sent to a window id are replayed
# later to whichever window has the focus.
xdotool type --delay 20 "$pic"
xdotool key Return
smoke_wait_window "^imagefx-.*smoke.bmp" >/dev/null
sleep 0.5
smoke_shot imagefx-opened "$win"

click 376 76                                  # 锐    化: Command1(1)
for i in $(seq 1 50); do [ -f "$app/Very.bmp" ] && break; sleep 0.1; done
[ -f "$app/Very.bmp" ] || { echo "no display file after the filter" >&2; exit 1; }
sleep 0.5
smoke_shot imagefx-sharpened "$win"

click 376 300                                 # 保存图片文件
for i in $(seq 1 50); do [ -f "$app/ok.bmp" ] && break; sleep 0.1; done
[ -f "$app/ok.bmp" ] || { echo "no ok.bmp after saving" >&2; exit 1; }

python3 "$SUITE_SOURCE_DIR/scripts/smoke/wm_close.py" "$win"
box=$(smoke_wait_window '版权信息')
smoke_shot imagefx-exit "$box"
xdotool key Return
for i in $(seq 1 50); do [ -f "$app/Very.bmp" ] || break; sleep 0.1; done
[ ! -f "$app/Very.bmp" ] || { echo "Very.bmp left behind" >&2; exit 1; }
[ -f "$app/ok.bmp" ]
echo "imagefx smoke: ok"
