#!/usr/bin/env bash
# Installs what is missing, builds the viewer and opens it: the native Qt
# viewer on this desktop. With --windows, the Windows program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "run-viewer.sh: no display (DISPLAY is not set); the viewer is a desktop program" >&2
  exit 1
fi

if [ "${1:-}" != --windows ]; then
  scripts/install-deps.sh
  cmake --preset release
  cmake --build --preset release -j "${JOBS:-2}" --target reelctl-qt
  exec build/release/programs/reelctl-qt/reelctl-qt
fi

scripts/install-deps.sh windows
cmake --preset viewer
cmake --build --preset viewer -j "${JOBS:-2}"

# A Wine prefix of the viewer's own, at the pixels per inch where the rows
# stand 24 pixels apart as on Windows, so that the small pictures load and
# line up with the rows (wine-dpi.sh).
. scripts/wine-dpi.sh
export WINEPREFIX="${REELCTL_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/reelctl/wineprefix}"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$REELCTL_WINE_DPI" /f >/dev/null 2>&1
  wineserver -w
fi
exec wine build/viewer/programs/reelctl/reelctl.exe
