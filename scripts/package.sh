#!/usr/bin/env bash
# Builds the Debian package as Debian builds packages: dpkg-buildpackage on debian/,
# in a copy of the sources under build/package/ (its results land beside the copy).
# Then checks the result: Depends, the conffiles, hardening-check on every program,
# and lintian --pedantic --info with no error and no warning. The package ends up
# as build/shellstyle-suite_<version>_<arch>.deb, its debug symbols beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build package
out=build/package
rm -rf "$out"
mkdir -p "$out/src"
git ls-files -z --cached --others --exclude-standard | xargs -0 -I{} find {} -maxdepth 0 -type f -print0 \
  | tar --null -T - -cf - | tar -xf - -C "$out/src"
(cd "$out/src" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
  dpkg-buildpackage -us -uc -b >../build.log 2>&1) || { tail -n 40 "$out/build.log" >&2; exit 1; }
deb=$(ls "$out"/shellstyle-suite_*.deb)
fail() { echo "package: $*" >&2; exit 1; }
echo "== $deb"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends Section
depends=$(dpkg-deb -f "$deb" Depends)
grep -qF 'fonts-noto-cjk | fonts-arphic-uming | fonts-wqy-microhei' <<<"$depends" || fail "no Chinese font in Depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libsqlite3-0 libc6 libstdc++6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib"
done
ls "$out"/shellstyle-suite-dbgsym_*.deb >/dev/null 2>&1 || fail "no -dbgsym package"
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles | grep -qx /etc/xdg/autostart/shellstyle-apply.desktop \
  || fail "the autostart entry is not a conffile"
echo "== hardening-check"
unpacked="$out/unpacked"
dpkg-deb -x "$deb" "$unpacked"
# Not control-flow protection: Debian 12's dpkg-buildflags has no flag for it and its C
# start files carry no CET note, so no program linked there can show it.
for p in shellstyle imagefx systune typedrill timekeeper shellstyle-apply reg; do
  hardening-check --quiet --nocfprotection "$unpacked/usr/bin/$p" || fail "hardening-check: $p"
done
echo "all seven programs pass"
echo "== lintian"
lintian --pedantic --info "$out"/shellstyle-suite_*.changes 2>&1 | tee build/lintian.txt || true
errors=$(grep -c '^E:' build/lintian.txt || true)
warnings=$(grep -c '^W:' build/lintian.txt || true)
echo "lintian: $errors errors, $warnings warnings"
rm -f build/shellstyle-suite_*.deb build/shellstyle-suite-dbgsym_*.deb
cp "$deb" "$out"/shellstyle-suite-dbgsym_*.deb build/
[ "$errors" -eq 0 ] && [ "$warnings" -eq 0 ]
