#!/usr/bin/env bash
# Installs what reelctl needs on Debian 12, when it is missing.
#   install-deps.sh                 the native build, its tests and the Debian package
#   install-deps.sh windows         also the Windows build and Wine to run and test it
#   install-deps.sh windows web     also emscripten, Chromium and Node for the browser viewer
set -euo pipefail

packages=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev python3 unzip qt6-base-dev
          libsqlite3-dev sqlite3
          libpng-dev fonts-ipafont-gothic dpkg-dev file desktop-file-utils appstream groff-base)
for extra in "$@"; do
  case "$extra" in
    windows) packages+=(g++-mingw-w64-x86-64 wine wine64 xvfb xauth x11-utils imagemagick locales) ;;
    web)
      packages+=(emscripten chromium)
      # Node and npm from Debian where no other Node is installed (another one brings its own npm).
      command -v node >/dev/null 2>&1 || packages+=(nodejs)
      command -v npm >/dev/null 2>&1 || packages+=(npm)
      ;;
    *) echo "install-deps.sh: unknown part $extra (windows, web)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi

# Wine speaks code page 932 only under a Japanese locale; the window tests also
# run the program under an English one (code page 1252).
if [[ " $* " == *" windows "* ]]; then
  for locale in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qix "$locale.utf8"; then
      $sudo localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
    fi
  done
fi
