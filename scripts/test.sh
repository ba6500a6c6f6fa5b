#!/usr/bin/env bash
# Builds the whole suite and runs every test: short bounded fuzz runs of the file
# readers (in a clang build of their own), then the unit, widget and smoke tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

jobs="$(nproc)"
scripts/configure.sh
cmake --build build -j "$jobs"

# Fuzz targets need clang's libFuzzer and sanitizers.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DSUITE_BUILD_UI=OFF -DSUITE_BUILD_BENCH=OFF -DBUILD_TESTING=OFF -DSUITE_BUILD_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"

ctest --test-dir build --output-on-failure -j "$jobs"
