#!/usr/bin/env bash
# Builds the Debian package build/shellstyle-suite_<version>_<arch>.deb in the
# suite's build configuration, lists what it holds and reports lintian's verdict
# (failing on any error lintian finds).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build package
scripts/configure.sh
cmake --build build -j "$(nproc)"
rm -f build/shellstyle-suite_*.deb
cpack --config build/CPackConfig.cmake >/dev/null
deb=$(ls build/shellstyle-suite_*.deb)
echo "== $deb"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends Section
echo "== contents"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}'
echo "== lintian"
status=0
lintian "$deb" 2>/dev/null | tee build/lintian.txt || status=$?
echo "lintian: $(grep -c '^E:' build/lintian.txt || true) errors, $(grep -c '^W:' build/lintian.txt || true) warnings"
exit "$status"
