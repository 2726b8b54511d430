#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the debug build, the
# same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# Windows program with its tests under Wine.
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
