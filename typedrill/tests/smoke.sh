#!/usr/bin/env bash
# Smoke test: the real window under Xvfb loads level 1, starts, takes typed text
# and is photographed.
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
. "$SUITE_SOURCE_DIR/typedrill/tests/level1.sh"
smoke_start_x

typedrill_begin_level1 "$SUITE_BIN_DIR/typedrill"
win=$TYPEDRILL_WIN
# Level 1 opens with 王土大: two right, then a wrong ASCII one.
xdotool type --delay 150 '王土'
xdotool type --delay 150 'x'
sleep 1.5
smoke_shot typedrill-level1 "$win"
# The characters typed right are marked: yellowish text pixels must be on screen.
yellow=$(convert "$SUITE_SCREENSHOT_DIR/typedrill-level1.png" -fx '(r>0.6 && g>0.6 && b<0.4) ? 1 : 0' \
  -format '%[fx:mean*w*h]' info:)
if [ "${yellow%.*}" -lt 20 ]; then
  echo "smoke: no yellow marks in the lesson box ($yellow pixels)" >&2
  exit 1
fi

# Ctrl+C with the focus in the input box opens the About box.
xdotool key --window "$win" ctrl+c
smoke_wait_window '^关于$' 10 >/dev/null
smoke_shot typedrill-about
xdotool key Return
smoke_wait_gone '^关于$' 10
xdotool windowfocus --sync "$win"
xdotool key ctrl+q
smoke_wait_gone '^五笔typedrill$' 10

# The same window at twice the scale.
typedrill_begin_level1 "$SUITE_BIN_DIR/typedrill" QT_SCALE_FACTOR=2
win=$TYPEDRILL_WIN
xdotool type --delay 150 '王土x'
sleep 1.5
smoke_shot typedrill-level1-2x "$win"
xdotool key ctrl+q
smoke_wait_gone '^五笔typedrill$' 10
