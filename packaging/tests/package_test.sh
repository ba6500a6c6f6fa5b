#!/usr/bin/env bash
# What the package holds, staged as the Debian build stages it (cmake --install into
# a DESTDIR): every program, data file, menu entry, icon and manual page in its
# place, nothing elsewhere, and each manual page formatting without a warning.
# Depends, conffiles, hardening and lintian are checked on the built .deb by
# scripts/package.sh. Usage: package_test.sh <build folder> <has shellstyle-apply 0|1>
set -euo pipefail
build="$1" with_apply="$2"
root="$SUITE_TEST_DATA/package"
fail() { echo "package: $*" >&2; exit 1; }

rm -rf "$root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >"$root.log" 2>&1 || { cat "$root.log" >&2; fail "install failed"; }
files=$(cd "$root" && find . ! -type d | sort)
has() { grep -qx -- "$1" <<<"$files" || fail "missing $1"; }

programs="shellstyle imagefx systune typedrill timekeeper"
commands="$programs reg"
[ "$with_apply" = 0 ] || commands="$commands shellstyle-apply"
for p in $commands; do
  has "./usr/bin/$p"
  [ -x "$root/usr/bin/$p" ] || fail "/usr/bin/$p is not an executable"
  has "./usr/share/man/man1/$p.1"
  warnings=$(LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z "$root/usr/share/man/man1/$p.1" 2>&1)
  [ -z "$warnings" ] || fail "$p.1: $warnings"
  # Answered without a display, before any window.
  version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$p" --version) \
    && [[ "$version" == "$p "[0-9]* ]] || fail "$p --version: $version"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$p" --help | grep -q -- --version \
    || fail "$p --help does not list --version"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS; do
    grep -q "^\.SH $section" "$root/usr/share/man/man1/$p.1" || fail "$p.1 has no $section"
  done
done
for f in voveredav.icl 1.txt 2.txt 3.txt 4.txt 5.txt; do has "./usr/share/shellstyle-suite/$f"; done
for p in $programs; do
  id="org.shellstylesuite.$p"
  has "./usr/share/applications/$id.desktop"
  has "./usr/share/metainfo/$id.metainfo.xml"
  for size in 16 22 24 32 48 64 128 256; do has "./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done
done
if [ "$with_apply" = 1 ]; then
  has ./etc/xdg/autostart/shellstyle-apply.desktop
fi
# Nothing outside the system folders a package may use, nothing from the build tree.
if grep -v -E '^\./(usr/(bin|share)|etc/xdg)/' <<<"$files"; then
  fail "files outside /usr/bin, /usr/share and /etc/xdg (above)"
fi
if grep -rlF "$build" "$root/usr/share" "$root/etc" 2>/dev/null; then
  fail "files naming the build folder (above)"
fi
echo "package: ok"
