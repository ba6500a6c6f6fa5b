#!/usr/bin/env bash
# Measures the imagefx filter engine against OpenCV's filter2D and times whole filter
# button presses. Installs OpenCV (scripts/packages/optional/imagefx-bench.txt), builds
# the two benchmarks in Release in build-bench-imagefx/, runs them, and ends with one
# "ratio_vs_opencv <filter> <our time / OpenCV time> <row loop build>" line per filter,
# each beside the memory floor (the planes read once and the picture written once). The
# build is the one the loader picked for this processor: AVX-512, AVX2 or baseline.
# Usage: scripts/bench-imagefx.sh [benchmark options, e.g. --benchmark_min_time=0.5s]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build optional/imagefx-bench

build=build-bench-imagefx
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSUITE_BUILD_BENCH=ON \
  -DSUITE_BUILD_UI=ON -DBUILD_TESTING=OFF >/dev/null
cache="$build/CMakeCache.txt"
if ! grep -Eq '^OpenCV_DIR:PATH=.+' "$cache" || grep -q '^OpenCV_DIR:PATH=.*NOTFOUND' "$cache"; then
  echo "bench-imagefx: CMake did not find OpenCV" >&2
  exit 1
fi
cmake --build "$build" -j "$(nproc)" --target imagefx_filter_bench imagefx_press_bench

log="$(mktemp)"
trap 'rm -f "$log"' EXIT

echo "== whole button presses (filter, Very.bmp written, result shown)"
QT_QPA_PLATFORM=offscreen "$build/bin/imagefx_press_bench" "$@"

echo "== filters against OpenCV filter2D, one thread, 1600x1200"
"$build/bin/imagefx_filter_bench" "$@" | tee "$log"

grep -m1 "^model name" /proc/cpuinfo | sed "s/^model name[[:space:]]*: /processor: /" || true
echo "== ratios (our time / OpenCV time; at most 0.5 is the goal) and the memory floor"
grep -E '^(memory_floor|ratio_vs_opencv) ' "$log"
