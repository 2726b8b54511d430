#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the debug build (with
# the exhaustive walk, the atlas and the Qt viewer's tests), the same suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows program
# with its tests under Wine, the browser viewer with its tests in headless
# Chromium, a plain CMake build without presets, the artefacts of a release
# (the Debian package installed and run, the portable ZIP), the fuzz targets
# for a bounded time (FUZZ_SECONDS each, default 60) and one short run of the
# benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows web

jobs=${JOBS:-2}
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
for preset in dev asan mingw web; do
  echo "== $preset =="
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "== plain CMake, RelWithDebInfo, no presets =="
cmake -S . -B build/plain -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/plain -j "$jobs"

echo "== release artefacts =="
scripts/package.sh --no-web
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=600 ./build/dist/reelctl_*_amd64.deb
reelctl-script --version
reelctl-qt --version
reelctl-script /usr/share/doc/reelctl/examples/example.script | grep -c '^{"dump": ' | grep -qx 2
test -f /usr/share/applications/reelctl-qt.desktop && test -f /usr/share/icons/hicolor/256x256/apps/reelctl.png
echo "the installed package runs the example from its installed paths"
unzip -l build/dist/reelctl-*-win64.zip | grep -E ' (reelctl\.exe|help\.html|README\.txt|LICENSE)$' | wc -l | grep -qx 4
echo "portable ZIP holds reelctl.exe, help.html, README.txt and LICENSE"

echo "== fuzz =="
FUZZ_SECONDS=${FUZZ_SECONDS:-60} scripts/fuzz.sh

echo "== benchmarks =="
cmake --preset release -DREELCTL_BUILD_BENCH=ON
cmake --build --preset release -j "$jobs" --target reelctl-bench
build/release/bench/reelctl-bench --benchmark_min_time=0.05
