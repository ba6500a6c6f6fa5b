#!/usr/bin/env bash
# Starts timekeeper under Xvfb: screenshots of the collapsed and the expanded window;
# an alarm a few seconds ahead hides the window and brings it back with the reminder;
# a second start brings the hidden window forward and ends; an alarm slept through
# (the program stopped across its second) comes once the program runs again.
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
open_settings() { xdotool mousemove --window "$win" 220 72 click 1; sleep 0.5; }
open_settings
smoke_shot timekeeper-expanded "$win"
[ "$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: [0-9]*x//p')" -gt 150 ]

type_into() {
  xdotool mousemove --window "$win" "$1" "$2" click 1
  xdotool key ctrl+a
  xdotool type --delay 20 "$3"
}
# Types an alarm $1 seconds ahead into rtbdate and rtbtime, presses OK and prints
# the alarm's time in seconds since the epoch.
set_alarm() {
  local at when
  at=$(($(date +%s) + $1))
  when=$(date -d "@$at" '+%Y-%-m-%-d %H:%M:%S')
  type_into 128 154 "${when% *}"
  type_into 200 154 "${when#* }"
  xdotool mousemove --window "$win" 40 154 click 1
  echo "$at"
}
# OK on the reminder box $1.
dismiss() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH - 40)) $((Y + HEIGHT - 20)) click 1
  smoke_wait_gone '^提醒$' 5
}

set_alarm 8 >/dev/null
smoke_wait_gone '^timekeeper工具$' 5
box=$(smoke_wait_window '^提醒$' 20)
sleep 0.5
smoke_shot timekeeper-reminder
xdotool search --onlyvisible --name '^timekeeper工具$' >/dev/null
# The alarm went to the mapped drive C: as rich text.
grep -q '^{\\rtf1\\ansi\\ansicpg936' "$XDG_DATA_HOME/shellstyle-suite/drive_c/date.txt"
dismiss "$box"

# A date typed into the time box is refused, and says so; the window stays.
open_settings
type_into 200 154 "2030-1-1"
xdotool mousemove --window "$win" 40 154 click 1
box=$(smoke_wait_window '^timekeeper工具$' 5)
sleep 0.5
smoke_shot timekeeper-refused
xdotool key Return
sleep 0.5

# Another alarm hides the window; a second start shows it again and ends at once.
at=$(set_alarm 20)
smoke_wait_gone '^timekeeper工具$' 5
timeout 20 "$SUITE_BIN_DIR/timekeeper"
smoke_wait_window '^timekeeper工具$' 10 >/dev/null
[ "$(xdotool search --onlyvisible --name '^timekeeper工具$' | wc -l)" -eq 1 ]
smoke_shot timekeeper-second-start "$win"

# OK again (the alarm still lies ahead) hides it; then the machine "sleeps" across
# the alarm's second. The reminder comes once the program runs again.
open_settings
xdotool mousemove --window "$win" 40 154 click 1
smoke_wait_gone '^timekeeper工具$' 5
kill -STOP "$app"
while [ "$(date +%s)" -le $((at + 3)) ]; do sleep 0.5; done
kill -CONT "$app"
box=$(smoke_wait_window '^提醒$' 15)
xdotool search --onlyvisible --name '^timekeeper工具$' >/dev/null
sleep 0.5
smoke_shot timekeeper-reminder-after-sleep
dismiss "$box"
sleep 2
[ "$(xdotool search --onlyvisible --name '^提醒$' | wc -l)" -eq 0 ]

# 关闭 ends the program.
xdotool mousemove --window "$win" 276 76 click 1
for i in $(seq 1 50); do
  kill -0 "$app" 2>/dev/null || exit 0
  sleep 0.1
done
echo "smoke: timekeeper still running after 关闭" >&2
exit 1
