#!/usr/bin/env bash
# The menu entries, metadata and icons as a desktop sees them: each entry and each
# metadata file passes its validator, the entry's window class is the class the
# program's window carries (its program name), and its icon exists at every size.
# Usage: entries_test.sh <desktop folder> <metainfo folder> <icon folder> <size>...
set -euo pipefail
desktop="$1" metainfo="$2" icons="$3"
shift 3
fail() { echo "entries: $*" >&2; exit 1; }
key() { sed -n "s/^$1=//p" "$2" | head -n 1; }

entries=("$desktop"/*.desktop)
[ "${#entries[@]}" -eq 5 ] || fail "expected five menu entries, found ${#entries[@]}"
for entry in "${entries[@]}"; do
  desktop-file-validate "$entry" || fail "$entry does not validate"
  id=$(basename "$entry" .desktop)
  exec_line=$(key Exec "$entry")
  program=${exec_line%% *}
  [ "$program" = imagefx ] && { [ "$exec_line" = "imagefx %f" ] && [ "$(key MimeType "$entry")" = "image/bmp;image/jpeg;" ] \
    || fail "$id: imagefx opens no BMP or JPEG file handed to it"; }
  [ "$(key StartupWMClass "$entry")" = "$program" ] || fail "$id: window class is not $program"
  for lang in "" "\\[zh_CN\\]"; do
    [ -n "$(key "Name$lang" "$entry")" ] && [ -n "$(key "Comment$lang" "$entry")" ] \
      || fail "$id: Name/Comment$lang missing"
  done
  # English for every locale without a translation, Chinese for zh_CN.
  ! key Name "$entry" | grep -qP '\p{Han}' || fail "$id: the default Name is not English"
  key 'Name\[zh_CN\]' "$entry" | grep -qP '\p{Han}' || fail "$id: Name[zh_CN] is not Chinese"
  icon=$(key Icon "$entry")
  for size in "$@"; do
    [ -f "$icons/${size}x${size}/apps/$icon.png" ] || fail "$id: no ${size}x${size} icon"
  done
  # The metadata names this entry as its launcher.
  meta="$metainfo/$id.metainfo.xml"
  [ -f "$meta" ] || fail "$id: no metadata"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" || fail "$meta: launchable"
done
# Every icon has the size its folder says and something drawn on at least a fifth of it.
identify -format '%d/%f %w %h %[fx:mean.a]\n' "$icons"/*/apps/*.png | awk '
  { n = split($1, part, "/"); split(part[n - 2], side, "x")
    if ($2 != side[1] || $3 != side[2]) { print $1 ": " $2 "x" $3; bad = 1 }
    if ($4 < 0.2) { print $1 ": nearly empty (" $4 ")"; bad = 1 } }
  END { exit bad }' || fail "icons above are wrong"
appstreamcli validate --no-net "$metainfo"/*.metainfo.xml || fail "metadata does not validate"
# Two programs drawn with one picture would be a slip in the icon table.
[ "$(md5sum "$icons"/48x48/apps/*.png | awk '{print $1}' | sort -u | wc -l)" -eq 5 ] \
  || fail "two programs share one icon"
echo "entries: ok"
