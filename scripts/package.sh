#!/usr/bin/env bash
# Makes every artefact of a release, in build/dist/:
#   reelctl_VERSION_amd64.deb        the Linux programs, desktop files, manual
#                                    pages and help (a plain CMake Release build)
#   reelctl-VERSION-win64.zip        the portable Windows program, its help page,
#                                    a README for users and the licence
#   reelctl-site-VERSION.tar.gz      the browser viewer with the atlas (when
#                                    emscripten is installed; --no-web skips it)
# It checks on the way that the Windows program is at most 400 KB and that two
# builds of it from the same sources are the same file.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
web=1
[ "${1:-}" = --no-web ] && web=0

scripts/install-deps.sh windows
dist=build/dist
rm -rf "$dist"
mkdir -p "$dist"

echo "== Debian package =="
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build/package -j "$jobs"
(cd build/package && cpack -G DEB)
cp build/package/reelctl_*_amd64.deb "$dist/"

echo "== Windows ZIP =="
cmake --preset viewer
cmake --build --preset viewer -j "$jobs"
(cd build/viewer && cpack -G ZIP)
cp build/viewer/reelctl-*-win64.zip "$dist/"
exe=build/viewer/programs/reelctl/reelctl.exe
size=$(stat -c %s "$exe")
[ "$size" -le 409600 ] || { echo "package.sh: reelctl.exe is $size bytes, more than 400 KB" >&2; exit 1; }
rm -rf build/viewer-again
cmake --preset viewer -B build/viewer-again >/dev/null
cmake --build build/viewer-again -j "$jobs" --target reelctl >/dev/null
cmp "$exe" build/viewer-again/programs/reelctl/reelctl.exe ||
  { echo "package.sh: two builds of reelctl.exe differ" >&2; exit 1; }
echo "reelctl.exe: $size bytes, the same from two builds"

if [ "$web" = 1 ] && command -v emcc >/dev/null 2>&1; then
  echo "== web site =="
  export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
  cmake --preset web -DREELCTL_BUILD_WEB_TESTS=OFF
  cmake --build --preset web -j "$jobs"
  version=$(sed -n 's/^project(reelctl VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  tar -czf "$dist/reelctl-site-$version.tar.gz" -C build/web site
fi

ls -l "$dist"
