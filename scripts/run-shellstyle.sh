#!/usr/bin/env bash
# Builds the suite (programs only) and starts shellstyle.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DSUITE_BUILD_BENCH=OFF >/dev/null
cmake --build build -j "$(nproc)" --target shellstyle
exec build/bin/shellstyle "$@"
