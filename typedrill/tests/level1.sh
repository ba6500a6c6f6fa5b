# Sourced by smoke tests after scripts/smoke/lib.sh: starts typedrill with level 1
# chosen and its exercise begun, ready for typing. Sets TYPEDRILL_WIN to the window.
# Usage: typedrill_begin_level1 PROGRAM [NAME=VALUE ...]  (extra environment)
typedrill_begin_level1() {
  local program="$1"
  shift
  env "$@" "$program" &
  smoke_track $!
  TYPEDRILL_WIN=$(smoke_wait_window '^五笔typedrill$' 30)
  xdotool windowactivate --sync "$TYPEDRILL_WIN" 2>/dev/null || xdotool windowfocus --sync "$TYPEDRILL_WIN"
  sleep 0.5
  # 设置 -> 初级练习, then 文件 -> 开始 by its shortcut.
  xdotool key --window "$TYPEDRILL_WIN" alt+s
  sleep 0.4
  xdotool key --window "$TYPEDRILL_WIN" Return
  sleep 0.5
  xdotool key --window "$TYPEDRILL_WIN" ctrl+b
  sleep 0.5
}
