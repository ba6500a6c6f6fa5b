#!/usr/bin/env bash
# The suite's one build configuration in build/, shared by run-shellstyle.sh,
# test.sh and package.sh so that one after the other rebuilds nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DSUITE_WERROR=ON -DBUILD_TESTING=ON -DSUITE_BUILD_BENCH=ON -DSUITE_BUILD_UI=ON >/dev/null
