# Sourced by smoke tests after scripts/smoke/lib.sh: starts typedrill with level 1
# chosen and its exercise begun, ready for typing; the lesson's first characters
# have keys of their own. Sets TYPEDRILL_WIN to the window.
# Usage: typedrill_begin_level1 PROGRAM [NAME=VALUE ...]  (extra environment)
typedrill_begin_level1() {
  local program="$1"
  shift
  env "$@" "$program" &
  smoke_track $!
  TYPEDRILL_WIN=$(smoke_wait_window '^五笔typedrill$' 30)
  xdotool windowactivate --sync "$TYPEDRILL_WIN" 2>/dev/null || xdotool windowfocus --sync "$TYPEDRILL_WIN"
  smoke_map_chars '王土大'
  sleep 0.5
  # 设置 -> 初级练习, then 文件 -> 开始 by its shortcut; each step waits for its
  # effect to show, however slowly a busy machine draws.
  local before="${TMPDIR:-/tmp}/typedrill-before.png"
  import -window root "$before"
  xdotool key --window "$TYPEDRILL_WIN" alt+s
  smoke_wait_change root "$before"
  sleep 0.2
  import -window root "$before"
  xdotool key --window "$TYPEDRILL_WIN" Return
  smoke_wait_change root "$before"
  sleep 0.2
  import -window "$TYPEDRILL_WIN" "$before"
  xdotool key --window "$TYPEDRILL_WIN" ctrl+b
  smoke_wait_change "$TYPEDRILL_WIN" "$before"
  sleep 0.3
}
