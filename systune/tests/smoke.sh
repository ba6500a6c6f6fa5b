#!/usr/bin/env bash
# systune with its real window under Xvfb: it opens over a fresh store, saves a
# ticked box that a new start shows again, and closes by each of its paths.
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
log="$SUITE_RESTART_LOG"

start() {
  "$SUITE_BIN_DIR/systune" &
  pid=$!
  smoke_track "$pid"
  win=$(smoke_wait_window '^systune$')
  sleep 0.5
}

# Answers the box titled $1 with key $2 once it shows; its screenshot is $3.png.
answer() {
  local box
  box=$(smoke_wait_window "^$1\$")
  sleep 0.3
  [ -n "${3:-}" ] && smoke_shot "$3" "$box"
  xdotool windowfocus --sync "$box" key "$2"
}

ended() {
  local i
  for i in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "smoke: systune still running" >&2
  return 1
}

# Clicks window-relative pixel ($1, $2).
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; }

# Pixels that differ between the first box's square in screenshots $1 and $2.
square_diff() {
  local a b
  a="$SUITE_TEST_DATA/$1-square.png" b="$SUITE_TEST_DATA/$2-square.png"
  convert "$SUITE_SCREENSHOT_DIR/$1.png" -crop 10x10+18+36 +repage "$a"
  convert "$SUITE_SCREENSHOT_DIR/$2.png" -crop 10x10+18+36 +repage "$b"
  compare -metric AE "$a" "$b" null: 2>&1 || true
}

smoke_start_x

# Fresh store: tick 禁止[开始]关闭系统 (Frame1 at 8,8; box at 8,24 inside), save.
start
smoke_shot systune "$win"
click 22 40
sleep 0.3
smoke_shot systune-ticked "$win"
click 116 376  # 保存设置
answer '信息' Return systune-saved
"$SUITE_BIN_DIR/reg" query \
  'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer' /v NoClose |
  grep -q 'NoClose *REG_DWORD *0x1$' || { echo "smoke: NoClose was not stored as 1" >&2; exit 1; }
python3 "$SUITE_SOURCE_DIR/scripts/smoke/wm_close.py" "$win"
answer '重新启动' Escape systune-restart
ended
[ ! -s "$log" ] || { echo "smoke: No still requested a restart" >&2; exit 1; }

# A new start shows the saved tick; closing with Yes requests the restart.
start
smoke_shot systune-reopened "$win"
[ "$(square_diff systune systune-ticked)" != 0 ] || { echo "smoke: the click did not tick the box" >&2; exit 1; }
[ "$(square_diff systune-ticked systune-reopened)" = 0 ] || { echo "smoke: the saved tick did not come back" >&2; exit 1; }
python3 "$SUITE_SOURCE_DIR/scripts/smoke/wm_close.py" "$win"
answer '重新启动' Return
ended
[ "$(wc -l < "$log")" -eq 1 ] || { echo "smoke: Yes did not request one restart" >&2; exit 1; }

# The exit button ends at once without the question.
start
click 229 376  # 退    出
ended
[ "$(wc -l < "$log")" -eq 1 ] || { echo "smoke: the exit button requested a restart" >&2; exit 1; }
# The policy key deleted: ticking a policy and saving fails and names the key.
"$SUITE_BIN_DIR/reg" delete \
  'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer' /f >/dev/null
start
click 22 40
click 116 376  # 保存设置
answer 'systune Error' Return systune-missing-key
click 229 376  # 退    出
ended
# A store that is not a database: the window still opens, says so, and saving says it failed.
store="$XDG_DATA_HOME/shellstyle-suite/registry.db"
rm -f "$store-wal" "$store-shm"
printf 'not a database\n' > "$store"
start
answer 'systune Error' Return systune-store-unusable  # said once at start
click 116 376  # 保存设置
answer 'systune Error' Return systune-save-failed
click 229 376  # 退    出
ended
echo "smoke: systune ok"
