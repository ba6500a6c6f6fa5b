#!/usr/bin/env bash
# Every program drawn natively under a headless Wayland compositor: the app_id each
# window gives the compositor, fixed windows offered no larger size, shellstyle's
# round corners without the key colour, and timekeeper's second start handing over.
# The compositor's own screenshots land in build/screenshots/wayland-*.png.
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"

work="$SUITE_TEST_DATA/wayland"
mkdir -p "$work" "$SUITE_SCREENSHOT_DIR"
unset DISPLAY
# A plain background of a colour no program draws, and no panel over the windows.
background=3060a0
cat >"$work/weston.ini" <<EOF
[core]
shell=desktop-shell.so
[shell]
panel-position=none
background-color=0xff$background
EOF
export WAYLAND_DISPLAY="wl-smoke-$$"
# --debug lets the screenshot client in; the pixel renderer gives it something to take;
# an output never idles, as one asleep takes no screenshot.
weston --backend=headless-backend.so --use-pixman --idle-time=0 --width=1024 --height=768 --socket="$WAYLAND_DISPLAY" \
  --config="$work/weston.ini" --debug --log="$work/weston.log" >/dev/null 2>&1 &
smoke_track $!
for i in $(seq 1 100); do
  [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { echo "weston did not start" >&2; cat "$work/weston.log" >&2; exit 1; }
export QT_QPA_PLATFORM=wayland

# Starts program $1 natively with its side of the protocol logged to $work/$1.wire.
start() {
  WAYLAND_DEBUG=client "$SUITE_BIN_DIR/$1" 2>"$work/$1.wire" &
  smoke_track $!
  last_pid=$!
}

# Waits (up to 30 s) for program $1's window to take app_id $2.
wait_app_id() {
  local i got
  for i in $(seq 1 300); do
    got=$(grep -o 'xdg_toplevel@[0-9]*\.set_app_id("[^"]*")' "$work/$1.wire" | sed 's/.*("\(.*\)")/\1/' | sort -u || true)
    [ -n "$got" ] && break
    sleep 0.1
  done
  if [ "$got" != "$2" ]; then
    echo "$1: app_id '${got}', wanted '$2'" >&2
    tail -n 20 "$work/$1.wire" >&2
    return 1
  fi
}

# Program $1's fixed windows: each smallest size is also its largest.
check_fixed() {
  local min max
  min=$(grep -o 'xdg_toplevel@[0-9]*\.set_min_size([0-9, ]*)' "$work/$1.wire" | sed 's/.*(//' | sort -u)
  max=$(grep -o 'xdg_toplevel@[0-9]*\.set_max_size([0-9, ]*)' "$work/$1.wire" | sed 's/.*(//' | sort -u)
  if [ -z "$min" ] || [ "$min" != "$max" ]; then
    echo "$1: a fixed window may grow: smallest $min, largest ${max:-none}" >&2
    return 1
  fi
}

# The compositor's picture of the whole output, as $SUITE_SCREENSHOT_DIR/wayland-$1.png.
shot() {
  (cd "$work" && timeout 20 weston-screenshooter)
  ls -t "$work"/wayland-screenshot-*.png | head -n 1 | xargs -I{} mv {} "$SUITE_SCREENSHOT_DIR/wayland-$1.png"
}

# How many pixels of picture $1 have the exact colour $2 (rrggbb).
count_colour() {
  convert "$1" -alpha off -fill black +opaque "#$2" -fill white -opaque "#$2" -format '%[fx:round(mean*w*h)]' info:
}

start shellstyle
wait_app_id shellstyle org.shellstylesuite.shellstyle
# The splash holds a few seconds, then the main window is alone.
for i in $(seq 1 300); do
  [ "$(grep -c 'xdg_toplevel@[0-9]*\.set_app_id' "$work/shellstyle.wire")" -ge 2 ] && break
  sleep 0.1
done
# The splash, shown again once the main window is up, is owned by it (kept in front).
for i in $(seq 1 100); do
  grep -q 'xdg_toplevel@[0-9]*\.set_parent(xdg_toplevel@' "$work/shellstyle.wire" && break
  sleep 0.1
done
grep -q 'xdg_toplevel@[0-9]*\.set_parent(xdg_toplevel@' "$work/shellstyle.wire" ||
  { echo "shellstyle: the splash was never given its owner" >&2; exit 1; }
sleep 8
shot shellstyle
pic="$SUITE_SCREENSHOT_DIR/wayland-shellstyle.png"
magenta=$(count_colour "$pic" ff00ff)
# The window alone on the background: its bounds, and its top corners' outermost
# pixels, where the background must show through.
read -r w h x y < <(convert "$pic" -trim -format '%w %h %X %Y\n' info: | tr -d '+')
corner() { convert "$pic" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
left=$(corner "$x" "$y")
right=$(corner $((x + w - 1)) "$y")
if [ "$magenta" != 0 ] || [ "$w $h" != "297 345" ] || [ "${left,,}" != $background ] || [ "${right,,}" != $background ]; then
  echo "shellstyle: $magenta key-colour pixels on the screen; window ${w}x$h, top corners $left and $right" >&2
  exit 1
fi

for program in imagefx systune typedrill timekeeper; do
  start "$program"
  wait_app_id "$program" "org.shellstylesuite.$program"
done
sleep 2
shot programs
for program in shellstyle imagefx systune typedrill timekeeper; do
  check_fixed "$program"
done

# A second timekeeper hands its activation token over and ends at once.
status=0
XDG_ACTIVATION_TOKEN=smoke-token timeout 10 "$SUITE_BIN_DIR/timekeeper" 2>"$work/timekeeper-second.err" || status=$?
if [ "$status" != 0 ] || ! kill -0 "$last_pid" 2>/dev/null; then
  echo "timekeeper: the second start ended with $status, the first is $(kill -0 "$last_pid" 2>/dev/null && echo running || echo gone)" >&2
  exit 1
fi
echo "wayland smoke: app_ids, fixed sizes, corners and the second start as expected"
