#!/usr/bin/env bash
# Builds the release preset with the benchmarks and runs them, then the
# exhaustive walk once more with its own timing. Arguments go to the
# benchmark program (for example --benchmark_filter=Probe/).
#
#   BUILD_DIR  build tree (default build/release, the preset's)
#   JOBS       parallel build jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
if ! dpkg -s libbenchmark-dev >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=600 libbenchmark-dev
fi

jobs=${JOBS:-2}
build=()
[ -z "${BUILD_DIR:-}" ] || build=(-B "$BUILD_DIR")
cmake --preset release "${build[@]}" -DREELCTL_BUILD_BENCH=ON
dir=${BUILD_DIR:-build/release}
cmake --build "$dir" -j "$jobs" --target reelctl-bench reelctl-walk

echo "== machine =="
echo "cores: $(nproc)"
grep -m1 'model name' /proc/cpuinfo || true
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$dir/CMakeCache.txt")
"$compiler" --version | head -n1
echo "build type: $(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$dir/CMakeCache.txt")"
echo "== benchmarks =="
"$dir/bench/reelctl-bench" "$@"
echo "== exhaustive walk =="
"$dir/tools/walk/reelctl-walk"
