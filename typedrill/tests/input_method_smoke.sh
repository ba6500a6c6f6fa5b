#!/usr/bin/env bash
# Smoke test with a real five-stroke input method: under Xvfb and a private
# session bus, fcitx5's Wubi-86 table turns xdotool key strokes into the
# characters of level 1, and the window is read back through the accessibility
# bus as a screen reader reads it: the characters arrive in the input box, are
# marked yellow in the lesson box and are counted; a Backspace that only edits an
# unfinished code never reaches the box, so it leaves the error count alone; after
# 暂停 and 继续 the strokes still land in the input box. The lesson box answers a
# screen reader's question for the word at its start.
set -euo pipefail
if [ -z "${TYPEDRILL_PRIVATE_BUS:-}" ]; then
  export TYPEDRILL_PRIVATE_BUS=1
  exec dbus-run-session -- bash "$0" "$@"
fi
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"

python=/usr/bin/python3
for need in fcitx5 fcitx5-remote libime_tabledict xdotool; do
  command -v "$need" >/dev/null || { echo "smoke: $need is missing (scripts/packages/test.txt)" >&2; exit 1; }
done
dict=/usr/share/libime/wbx.main.dict
[ -f "$dict" ] || { echo "smoke: $dict is missing (fcitx5-chinese-addons)" >&2; exit 1; }
"$python" -c 'import pyatspi' || { echo "smoke: python3-pyatspi is missing" >&2; exit 1; }

# A fresh input-method profile: US keyboard and Wubi, Wubi on from the first focus.
conf="$XDG_CONFIG_HOME/fcitx5"
mkdir -p "$conf"
cat > "$conf/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=wbx

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=wbx
Layout=

[GroupOrder]
0=Default
PROFILE
printf '[Behavior]\nActiveByDefault=True\n' > "$conf/config"

# Codes from the table itself: for each character a full four-key code whose first
# candidate it is and which has more candidates, so the code waits for the space
# bar instead of committing by itself on the fourth key.
libime_tabledict -d "$dict" "$TMPDIR/wbx.txt"
code_for() {
  awk -v want="$1" '
    /^\[Data\]/ { data = 1; next }
    data && NF == 2 {
      if (!($1 in first)) { first[$1] = $2; order[++n] = $1 }
      count[$1]++
    }
    END {
      for (i = 1; i <= n; i++) {
        c = order[i]
        if (length(c) == 4 && first[c] == want && count[c] > 1) { print c; exit }
      }
    }' "$TMPDIR/wbx.txt"
}
keys_of() { echo "$1" | sed 's/./& /g'; }

smoke_start_x
fcitx5 -r --disable=cloudpinyin,notificationitem,notifications >"$TMPDIR/fcitx5.log" 2>&1 & smoke_track $!
owned=""
for i in $(seq 1 600); do
  if dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
       string:org.fcitx.Fcitx5 2>/dev/null | grep -q true; then owned=1; break; fi
  sleep 0.1
done
[ -n "$owned" ] || { echo "smoke: fcitx5 did not start" >&2; cat "$TMPDIR/fcitx5.log" >&2; exit 1; }

QT_IM_MODULE=fcitx QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 GSETTINGS_BACKEND=memory \
  "$SUITE_BIN_DIR/typedrill" & smoke_track $!
win=$(smoke_wait_window '^五笔typedrill$' 60)
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"

# One reader for the whole test: it finds the window's parts once.
coproc PROBE { "$python" "$SUITE_SOURCE_DIR/typedrill/tests/accessible_probe.py" 2>"$TMPDIR/probe.log"; }
smoke_track "$PROBE_PID"
state=""
probe() {
  local line
  state=""
  echo >&"${PROBE[1]}"
  while IFS= read -r -t 60 line <&"${PROBE[0]}"; do
    [ "$line" = . ] && return 0
    state+="$line"$'\n'
  done
}
# Waits (up to 60 s) until every "name=value" given matches the window; "marks"
# compares the leading characters only.
expect() {
  local want name value ok until=$((SECONDS + 60))
  while [ "$SECONDS" -lt "$until" ]; do
    probe
    ok=1
    for want in "$@"; do
      name=${want%%=*} value=${want#*=}
      if [ "$name" = marks ]; then
        grep -qx "marks=${value}.*" <<<"$state" || ok=""
      else
        grep -qxF "$want" <<<"$state" || ok=""
      fi
    done
    [ -n "$ok" ] && return 0
    sleep 0.5
  done
  echo "smoke: expected $* but the window shows:" >&2
  grep -v '^lesson=' <<<"$state" >&2
  return 1
}
press() { xdotool key --delay 80 "$@"; }

# 设置 -> 初级练习, then 开始 by its shortcut.
press alt+s
sleep 0.3
press Return
level1=$(tr -d '\r\n' <"$SUITE_SOURCE_DIR/typedrill/lessons/1.txt")
# A screen reader moving by word gets the first character alone, and the window lives on.
expect "lesson=$level1" 'marks=\.\.\.\.' 'caret=0' 'word0=王,0,1'
press ctrl+b
expect 'marks=Y\.\.\.' 'input='
# Strokes typed before the box's input context reaches fcitx5 would go in as
# plain letters: wait until fcitx5 has the focused context with Wubi on.
for i in $(seq 1 600); do
  [ "$(fcitx5-remote 2>/dev/null)" = 2 ] && break
  sleep 0.1
done
[ "$(fcitx5-remote 2>/dev/null)" = 2 ] || { echo "smoke: the input box has no active input method" >&2; exit 1; }

# fcitx5 orders a code's candidates by its own model, not as the table lists
# them; the codes chosen for 王, 土 and 大 commit them first on this table.
type_char() {
  local code
  code=$(code_for "$1")
  [ -n "$code" ] || { echo "smoke: no code in the table for $1" >&2; exit 1; }
  # shellcheck disable=SC2046
  press $(keys_of "$code") space
}
type_char 王
type_char 土
expect 'input=王土' 'incaret=2' 'typed=2个字' 'marks=YYY\.' 'caret=2'

# A wrong character (王 again where 大 is due) is counted and marked black.
type_char 王
expect 'input=王土王' 'errors=1个字' 'marks=YY\.\.'
# A Backspace with no code pending reaches the box: the count drops by 2, to 0.
press BackSpace
expect 'input=王土' 'errors=0个字' 'marks=YYY\.'
# A Backspace inside an unfinished code only edits the code: the code for 大 is
# typed with a slip mended on the way.
code=$(code_for 大)
press "${code:0:1}" "${code:1:1}" BackSpace
# shellcheck disable=SC2046
press $(keys_of "${code:1}") space
expect 'input=王土大' 'errors=0个字' 'typed=3个字' 'marks=YYYY\.'

# 暂停 by its key, 继续 through the menu (文件, past 开始): the next strokes still
# land in the input box (王 where 木 is due).
press F11
press alt+f
sleep 0.3
press Down Return
type_char 王
expect 'input=王土大王' 'typed=4个字' 'errors=1个字' 'marks=YYY\.\.'
smoke_shot typedrill-wubi "$win"

press ctrl+q
smoke_wait_gone '^五笔typedrill$' 30
