#!/usr/bin/env bash
# Starts timekeeper under Xvfb: screenshots of the collapsed and the expanded window,
# then an alarm a few seconds ahead hides the window and brings it back with the reminder.
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
smoke_start_x

"$SUITE_BIN_DIR/timekeeper" & app=$!
smoke_track "$app"
win=$(smoke_wait_window '^timekeeper工具$')
sleep 1.5
# cmdDate: the date shows over the time.
xdotool mousemove --window "$win" 172 76 click 1
sleep 0.3
smoke_shot timekeeper-collapsed "$win"

# cmdAlarm, at 3000,960 twips in Frame1 (15 twips to the pixel).
xdotool mousemove --window "$win" 220 72 click 1
sleep 0.5
smoke_shot timekeeper-expanded "$win"
[ "$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: [0-9]*x//p')" -gt 150 ]

# Type an alarm 7 seconds ahead into rtbdate and rtbtime, then press OK.
when=$(date -d '+7 seconds' '+%Y-%-m-%-d %H:%M:%S')
type_into() {
  xdotool mousemove --window "$win" "$1" "$2" click 1
  xdotool key ctrl+a
  xdotool type --delay 20 "$3"
}
type_into 128 154 "${when% *}"
type_into 200 154 "${when#* }"
smoke_shot timekeeper-alarm-typed "$win"
xdotool mousemove --window "$win" 40 154 click 1
smoke_wait_gone '^timekeeper工具$' 5

box=$(smoke_wait_window '^提醒$' 15)
sleep 0.5
smoke_shot timekeeper-reminder
xdotool search --onlyvisible --name '^timekeeper工具$' >/dev/null

# The alarm went to the mapped drive C: as rich text.
grep -q '^{\\rtf1\\ansi\\ansicpg936' "$XDG_DATA_HOME/shellstyle-suite/drive_c/date.txt"

# OK on the reminder, then 关闭 ends the program.
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + WIDTH - 40)) $((Y + HEIGHT - 20)) click 1
smoke_wait_gone '^提醒$' 5
xdotool mousemove --window "$win" 276 76 click 1
for i in $(seq 1 50); do
  kill -0 "$app" 2>/dev/null || exit 0
  sleep 0.1
done
echo "smoke: timekeeper still running after 关闭" >&2
exit 1
