#!/usr/bin/env bash
# Compares the icon reader with icoutils (wrestool, icotool) on real Windows files
# shipped by Debian packages, and on our own icon library.
# Usage: real_files_test.sh ICON_PROBE ICON_LIBRARY
set -euo pipefail
probe="$1"
library="$2"
command -v wrestool >/dev/null && command -v icotool >/dev/null || { echo "icoutils missing (scripts/deps.sh icons)"; exit 1; }

work="${TMPDIR:-/tmp}/real-icons"
mkdir -p "$work"
failures=0
files=0
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

# "image WxH BITS" lines from icotool's listing of one .ico stream.
ico_images() { icotool -l "$1" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\) --bit-depth=\([0-9]*\).*/image \1x\2 \3/p'; }

# Checks our images of icon $2 (from probe output $3) against the .ico file $4.
compare_icon() {
    local file="$1" index="$2" ours="$3" ico="$4"
    local theirs mine chosen
    theirs="$(ico_images "$ico")"
    mine="$(awk -v i="$index" '/^icon /{on = ($2 == i)} on && /^image /' <<<"$ours")"
    [ "$mine" = "$theirs" ] || fail "$file" "icon $index images differ: ours [$(echo $mine)] icotool [$(echo $theirs)]"
    chosen="$(awk -v i="$index" '$1 == "icon" && $2 == i {print $4}' <<<"$ours")"
    if grep -q "^image 32x32 " <<<"$theirs"; then
        [ "$chosen" = "32x32" ] || fail "$file" "icon $index: chose $chosen though a 32x32 image exists"
    elif ! grep -q "^image $chosen " <<<"$theirs"; then
        fail "$file" "icon $index: chose $chosen, which the file does not hold"
    fi
}

check_ico() {
    local file="$1" ours count
    ours="$("$probe" "$file")"
    count="$(sed -n 's/^count //p' <<<"$ours")"
    [ "$count" = 1 ] || { fail "$file" "ours $count icons, icotool reads one"; return; }
    compare_icon "$file" 0 "$ours" "$file"
    echo "$file: ours 1, icotool 1 ($(ico_images "$file" | wc -l) images)"
}

check_module() {
    local file="$1" ours count names theirs i=0
    ours="$("$probe" "$file")"
    count="$(sed -n 's/^count //p' <<<"$ours")"
    # one icon per group name, in directory order (a name may repeat per language)
    names="$(wrestool -l --type=14 "$file" 2>/dev/null | sed -n 's/.*--name=\([^ ]*\).*/\1/p' | awk '!seen[$0]++')"
    theirs="$(grep -c . <<<"$names" || true)"
    [ "$count" = "$theirs" ] || fail "$file" "ours $count icons, wrestool $theirs"
    while read -r name; do
        [ -n "$name" ] || continue
        wrestool -x --type=14 --name="$name" "$file" >"$work/group.ico" 2>/dev/null
        compare_icon "$file" "$i" "$ours" "$work/group.ico"
        i=$((i + 1))
    done <<<"$names"
    echo "$file: ours $count, wrestool $theirs"
}

while IFS= read -r -d '' file; do
    files=$((files + 1))
    # by content, not by name: the stubs have no extension and one is an icon
    case "$(head -c 4 "$file" | od -An -tx1 | tr -d ' \n')" in
        4d5a*) check_module "$file" ;;
        00000100) check_ico "$file" ;;
        *) [ "$("$probe" "$file" | sed -n 's/^count //p')" = 0 ] || fail "$file" "icons in a file of neither kind" ;;
    esac
done < <(find /usr/share/nsis -type f \( -iname '*.ico' -o -iname '*.exe' -o -iname '*.dll' -o -path '*/Stubs/*' \) -print0 | sort -z)
[ "$files" -gt 0 ] || fail "/usr/share/nsis" "no Windows files found (scripts/deps.sh icons)"

check_module "$library"
library_icons="$("$probe" "$library" | sed -n 's/^count //p')"
[ "$library_icons" -ge 39 ] || fail "$library" "only $library_icons icons"

echo "$files packaged files compared, $failures failures"
[ "$failures" -eq 0 ]
