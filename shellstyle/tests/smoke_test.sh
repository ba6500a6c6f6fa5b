#!/usr/bin/env bash
# shellstyle under a real X server: splash, main window, author window, closing
# with the restart question answered No. Screenshots land in build/screenshots/.
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
smoke_start_x

"$SUITE_BIN_DIR/shellstyle" &
app=$!
smoke_track "$app"

splash=$(smoke_wait_window '^shellstyle splash$' 20)
shown_at=$(date +%s)
sleep 1
smoke_shot shellstyle-splash "$splash"

main=$(smoke_wait_window '^shellstyle$' 20)
# The splash stays in front of the main window for a few seconds more.
sleep 1
smoke_shot shellstyle-splash-over-main
smoke_wait_gone '^shellstyle splash$' 20
# About 4 s alone and about 4 s more in front of the main window.
held=$(( $(date +%s) - shown_at ))
if [ "$held" -lt 6 ] || [ "$held" -gt 20 ]; then
  echo "the splash stayed ${held}s" >&2
  exit 1
fi
sleep 2
smoke_shot shellstyle-xpfg "$main"
smoke_shot shellstyle-xpfg-screen

# "软件作者信息" sits at 8,64 (89 x 25 pixels) in the main window.
xdotool mousemove --window "$main" 50 76 click 1
msg=$(smoke_wait_window '^版权信息$' 10)
sleep 0.5
smoke_shot shellstyle-frmmsg "$msg"
# "确  定" at 120,128 (73 x 25).
xdotool mousemove --window "$msg" 156 140 click 1
smoke_wait_gone '^版权信息$' 10

# "XP界面风格" at 200,96 (81 x 25) writes the preset into the suite's store.
xdotool mousemove --window "$main" 240 108 click 1
sleep 0.5

# The caption button at 272,4 closes the program after the restart question.
xdotool mousemove --window "$main" 282 14 click 1
question=$(smoke_wait_window '^重新启动$' 10)
sleep 0.3
smoke_shot shellstyle-restart-question "$question"
# Escape answers No.
xdotool windowfocus --sync "$question" 2>/dev/null || true
xdotool key Escape

for _ in $(seq 1 100); do
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$app" 2>/dev/null; then
  echo "shellstyle did not end after the restart question" >&2
  exit 1
fi
status=0
wait "$app" || status=$?
if [ "$status" -ne 0 ]; then
  echo "shellstyle ended with status $status" >&2
  exit 1
fi
if [ -s "$SUITE_RESTART_LOG" ]; then
  echo "a restart was requested although the answer was No" >&2
  exit 1
fi
store="$XDG_DATA_HOME/shellstyle-suite/registry.db"
if ! cat "$store"* 2>/dev/null | grep -qa "voveredav.icl,30"; then
  echo "the XP preset did not reach the store $store" >&2
  exit 1
fi
# The same windows at twice the scale, as a dense screen shows them.
QT_SCALE_FACTOR=2 "$SUITE_BIN_DIR/shellstyle" &
big=$!
smoke_track "$big"
main=$(smoke_wait_window '^shellstyle$' 30)
smoke_wait_gone '^shellstyle splash$' 30
sleep 1
smoke_shot shellstyle-xpfg-2x "$main"
xdotool mousemove --window "$main" 100 152 click 1
msg=$(smoke_wait_window '^版权信息$' 10)
sleep 0.5
smoke_shot shellstyle-frmmsg-2x "$msg"
kill "$big"
wait "$big" 2>/dev/null || true
echo "shellstyle smoke test passed"
