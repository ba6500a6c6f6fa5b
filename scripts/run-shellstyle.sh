#!/usr/bin/env bash
# Builds shellstyle in the suite's build configuration and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
scripts/configure.sh
cmake --build build -j "$(nproc)" --target shellstyle
exec build/bin/shellstyle "$@"
