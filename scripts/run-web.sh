#!/usr/bin/env bash
# Builds the panel's static site (the web preset, Debian's emscripten) with
# the atlas in its atlas/ folder, and serves both on a local port; both
# addresses are printed. Ctrl+C stops the server.
#   run-web.sh [PORT]    default 8000
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8000}

if ! command -v emcc >/dev/null 2>&1; then
  echo "run-web.sh: emscripten is missing (apt-get install emscripten)" >&2
  exit 1
fi
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
cmake --preset web
cmake --build --preset web -j "${JOBS:-2}" --target reelctl_web_site

echo "reelctl in the browser: http://127.0.0.1:$port/"
echo "the atlas:              http://127.0.0.1:$port/atlas/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
