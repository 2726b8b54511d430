#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the debug build (with
# the exhaustive walk and the Qt viewer's tests), the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, the Windows program with its
# tests under Wine, the portable ZIP, the fuzz targets for a bounded time
# (FUZZ_SECONDS each, default 60) and one short run of the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows

jobs=${JOBS:-2}
for preset in dev asan mingw; do
  echo "== $preset =="
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "== portable ZIP =="
cmake --preset viewer
cmake --build --preset viewer -j "$jobs"
(cd build/viewer && cpack -G ZIP)
unzip -l build/viewer/reelctl-*-win64.zip | grep -E ' (reelctl\.exe|README\.md|LICENSE)$' | wc -l | grep -qx 3
echo "portable ZIP holds reelctl.exe, README.md and LICENSE"

echo "== fuzz =="
FUZZ_SECONDS=${FUZZ_SECONDS:-60} scripts/fuzz.sh

echo "== benchmarks =="
cmake --preset release -DREELCTL_BUILD_BENCH=ON
cmake --build --preset release -j "$jobs" --target reelctl-bench
build/release/bench/reelctl-bench --benchmark_min_time=0.05
