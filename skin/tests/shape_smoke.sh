# A frame hosted in a real window under Xvfb: its two rounded top corners are cut away.
set -euo pipefail
demo="$1"
. "$SUITE_SOURCE_DIR/scripts/smoke/lib.sh"
smoke_start_x
"$demo" & smoke_track $!
win=$(smoke_wait_window 'skin shape demo')
sleep 1
smoke_shot skin-shape-smoke
shot="$SUITE_SCREENSHOT_DIR/skin-shape-smoke.png"
eval "$(xdotool getwindowgeometry --shell "$win")"
echo "window at $X,$Y size ${WIDTH}x$HEIGHT"

# Every pixel of the window's rectangle as "x,y RRGGBB", read once.
declare -A px
while read -r xy hex; do px[$xy]=$hex; done < <(
  convert "$shot" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage -depth 8 txt:- |
    awk -v ox="$X" -v oy="$Y" 'NR > 1 { split($1, a, /[,:]/); sub(/^#/, "", $3); print a[1] + ox "," a[2] + oy, substr($3, 1, 6) }')
pixel() { echo "${px[$1,$2]}"; }

fail=0
cut=(5 3 2 1 1)
for y in 0 1 2 3 4; do
  n=${cut[$y]}
  for ((i = 0; i < n; i++)); do
    for x in $((X + i)) $((X + WIDTH - 1 - i)); do
      p=$(pixel "$x" $((Y + y)))
      if [ "$p" = "FF00FF" ]; then
        echo "key colour still shows at $x,$((Y + y))"; fail=1
      fi
    done
  done
  # The first pixel inside the curve belongs to the window: a blue of the title bar.
  for x in $((X + n)) $((X + WIDTH - 1 - n)); do
    p=$(pixel "$x" $((Y + y)))
    b=$((16#${p:4:2})); r=$((16#${p:0:2}))
    if [ "$b" -lt 100 ] || [ "$r" -gt 120 ]; then
      echo "title pixel at $x,$((Y + y)) is $p, not blue"; fail=1
    fi
  done
done
# Corners below the title and the bottom corners are not cut: frame border colours.
for at in "$X $((Y + 5))" "$X $((Y + HEIGHT - 1))" "$((X + WIDTH - 1)) $((Y + HEIGHT - 1))"; do
  set -- $at
  p=$(pixel "$1" "$2")
  b=$((16#${p:4:2})); r=$((16#${p:0:2}))
  if [ "$b" -lt 100 ] || [ "$r" -gt 120 ]; then
    echo "border pixel at $1,$2 is $p, not the frame's blue"; fail=1
  fi
done
# Under the cut corner lies whatever is behind the window, never the window's title.
under=$(pixel "$X" "$Y")
echo "behind the top-left corner: $under"
exit $fail
