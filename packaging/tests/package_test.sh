#!/usr/bin/env bash
# Builds the Debian package from this build tree into the test's own folder and
# checks what it holds and what it depends on.
# Usage: package_test.sh <build folder> <has shellstyle-apply 0|1> <has reg.1 0|1>
set -euo pipefail
build="$1" with_apply="$2" with_man="$3"
out="$SUITE_TEST_DATA/package"
fail() { echo "package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || { cat "$out.log" >&2; fail "cpack failed"; }
debs=("$out"/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in $out"
deb="${debs[0]}"
dpkg-deb -c "$deb" | awk '{print $1, $NF}' >"$out/contents.txt"
files=$(awk '{print $2}' "$out/contents.txt")
has() { grep -qx -- "$1" <<<"$files" || fail "missing $1"; }

programs="shellstyle imagefx systune typedrill timekeeper"
for p in $programs reg; do
  has "./usr/bin/$p"
  grep -qx -- "-rwxr-xr-x ./usr/bin/$p" "$out/contents.txt" || fail "/usr/bin/$p is not an executable"
done
for f in voveredav.icl 1.txt 2.txt 3.txt 4.txt 5.txt; do has "./usr/share/shellstyle-suite/$f"; done
for p in $programs; do
  id="org.shellstylesuite.$p"
  has "./usr/share/applications/$id.desktop"
  has "./usr/share/metainfo/$id.metainfo.xml"
  for size in 16 22 24 32 48 64 128 256; do has "./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done
done
has ./usr/share/doc/shellstyle-suite/copyright
has ./usr/share/doc/shellstyle-suite/changelog.gz
[ "$with_man" = 0 ] || has ./usr/share/man/man1/reg.1.gz
if [ "$with_apply" = 1 ]; then
  has ./usr/bin/shellstyle-apply
  grep -q '^\./etc/xdg/autostart/.*\.desktop$' <<<"$files" || fail "no autostart entry in /etc/xdg/autostart"
  dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles | grep -q '^/etc/xdg/autostart/.*\.desktop$' \
    || fail "the autostart entry is not a conffile"
fi
# Nothing outside the system folders a package may use, nothing from the build tree.
if grep -v -E '^\./(usr/(bin|share)|etc/xdg)(/|$)|^\./$|^\./(usr|etc)/$' <<<"$files"; then
  fail "files outside /usr/bin, /usr/share and /etc/xdg (above)"
fi

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libsqlite3-0 libc6 libstdc++6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
for field in Maintainer Description Section; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "no $field"
done
[ "$(dpkg-deb -f "$deb" Package)" = shellstyle-suite ] || fail "package name"
echo "package: ok ($(basename "$deb"))"
