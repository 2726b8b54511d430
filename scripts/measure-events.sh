#!/usr/bin/env bash
# Instructions per panel event through reelctl-script with tracing off, counted
# by callgrind: a session of EVENTS events minus an empty run (start and exit),
# divided by EVENTS. Two sessions: a generated user session (the mix of
# tests/recorded/generate_scripts.py without dumps) and the heaviest common
# event repeated, a role pick that computes all three columns.
#   scripts/measure-events.sh [EVENTS]     (default 1500; BUILD_DIR, default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
events=${1:-1500}
build=${BUILD_DIR:-build/release}
command -v valgrind >/dev/null || { echo "valgrind is needed (apt-get install valgrind)" >&2; exit 1; }
if [ ! -x "$build/programs/reelctl-script/reelctl-script" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target reelctl-script >/dev/null
fi
program=$(realpath "$build/programs/reelctl-script/reelctl-script")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 tests/recorded/generate_scripts.py --session "$work/generated.script" --events "$events"
{ echo "menu 40026"; for _ in $(seq 2 "$events"); do echo "pick 1057 8"; done; } > "$work/role_picks.script"
: > "$work/empty.script"

instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/out" "$program" "$1" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
base=$(instructions "$work/empty.script")
for session in generated role_picks; do
  total=$(instructions "$work/$session.script")
  echo "$session: $(( (total - base) / events )) instructions per event ($total - $base over $events events)"
done
