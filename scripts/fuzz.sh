#!/usr/bin/env bash
# Fuzzes the panel's events and the panel scripts for a bounded time each:
# installs what is missing (clang++ with libFuzzer among it), configures the
# fuzz preset, builds it and runs `ctest -L fuzz`.
#
#   FUZZ_SECONDS  seconds per fuzz target (default 60)
#   BUILD_DIR     build tree (default build/fuzz, the preset's)
#   JOBS          parallel build jobs (default 2)
#
# An input that breaks a panel rule fails the run and is kept in
# <build>/tests/fuzz/artifacts/<target>/; new inputs go to <build>/tests/fuzz/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

packages=(clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi

jobs=${JOBS:-2}
seconds=${FUZZ_SECONDS:-60}
build=()
[ -z "${BUILD_DIR:-}" ] || build=(-B "$BUILD_DIR")
cmake --preset fuzz "${build[@]}" -DREELCTL_FUZZ_SECONDS="$seconds"
dir=${BUILD_DIR:-build/fuzz}
cmake --build "$dir" -j "$jobs"
ctest --test-dir "$dir" -L fuzz --output-on-failure
