#!/usr/bin/env bash
# A private Wine session for the window tests: an X server (Xvfb), a fresh
# Wine prefix and a persistent wineserver, shared by every test of one run.
#
#   run-under-wine.sh start DIR          set the session up in DIR (waits until it is ready)
#   run-under-wine.sh exec DIR -- CMD    run CMD inside the session
#   run-under-wine.sh stop DIR           take the session down
#   run-under-wine.sh run -- CMD         start, run CMD, stop (for a single run by hand)
#
# start leaves a guard process behind that owns Xvfb and the wineserver; its
# exit trap stops both when stop asks, when it is killed, or when the
# session has lived longer than REELCTL_WINDOW_SESSION_SECONDS (default 1800),
# so an interrupted test run leaves nothing running.
#
# The prefix (DIR/prefix, ~700 MB) is made afresh by each start with wineboot;
# REELCTL_WINDOW_KEEP_PREFIX=1 keeps a prefix that is already there.
set -euo pipefail

self=$(readlink -f "$0")
. "$(dirname "$self")/../../scripts/wine-dpi.sh"  # REELCTL_WINE_DPI

die() {
  echo "run-under-wine.sh: $*" >&2
  exit 1
}

# The environment of every Wine program of the session.
write_env() {
  local dir=$1 display=$2
  cat >"$dir/env" <<EOF
export WINEPREFIX='$dir/prefix'
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree=;mshtml=;winhlp32.exe=d;winebrowser.exe=d;winemenubuilder.exe=d'
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export DISPLAY=':$display'
export REELCTL_WINDOW_SESSION='$dir'
EOF
}

# Wine takes its ANSI code page from the locale: code page 932 needs
# ja_JP.UTF-8; one test runs with en_US.UTF-8 (code page 1252).
ensure_locales() {
  local locale
  for locale in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qix "$locale.utf8"; then
      localedef -i "$locale" -f UTF-8 "$locale.UTF-8" ||
        die "cannot generate the locale $locale.UTF-8 (run as root, with the package locales)"
    fi
  done
}

# Settings of the prefix: a virtual desktop, so that windows get a title bar
# without a window manager; the pixels per inch at which the slide rows stand
# 24 pixels apart under Wine, as on the program's usual systems (wine-dpi.sh).
prefix_settings() {
  local reg=$1
  printf '%s\r\n' \
    'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1280x1024"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' "$(printf '"LogPixels"=dword:%08x' "$REELCTL_WINE_DPI")" '' >"$reg"
}

# The guard: runs in its own process group, owns Xvfb and the wineserver.
guard() {
  local dir=$1
  local xvfb_pid="" sleep_pid=""
  cleanup() {
    trap - EXIT INT TERM HUP
    if [ -f "$dir/env" ]; then
      (. "$dir/env" && wineserver -k) >/dev/null 2>&1 || true
    fi
    if [ -n "$xvfb_pid" ]; then
      kill "$xvfb_pid" 2>/dev/null || true
      wait "$xvfb_pid" 2>/dev/null || true
    fi
    [ -z "$sleep_pid" ] || kill "$sleep_pid" 2>/dev/null || true
    rm -f "$dir/env" "$dir/ready" "$dir/guard.pid"
  }
  trap cleanup EXIT
  trap 'exit 0' INT TERM HUP
  echo $$ >"$dir/guard.pid"

  # Xvfb picks a free display and writes its number to descriptor 3.
  : >"$dir/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb did not start" >"$dir/failed"; exit 1; }
    sleep 0.1
  done
  [ -s "$dir/display" ] || { echo "Xvfb gave no display" >"$dir/failed"; exit 1; }
  write_env "$dir" "$(head -n1 "$dir/display")"
  . "$dir/env"

  if [ "${REELCTL_WINDOW_KEEP_PREFIX:-0}" != 1 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    if ! wineboot -i >"$dir/wineboot.log" 2>&1 || ! wineserver -w; then
      echo "wineboot failed (see $dir/wineboot.log)" >"$dir/failed"
      exit 1
    fi
  fi
  wineserver -p
  prefix_settings "$dir/settings.reg"
  wine regedit /S "$dir/settings.reg" >/dev/null 2>&1 || { echo "the prefix settings failed" >"$dir/failed"; exit 1; }
  touch "$dir/ready"

  sleep "${REELCTL_WINDOW_SESSION_SECONDS:-1800}" &
  sleep_pid=$!
  wait "$sleep_pid" || true
}

start() {
  local dir=$1
  ensure_locales
  mkdir -p "$dir"
  dir=$(readlink -f "$dir")
  [ -f "$dir/guard.pid" ] && kill -0 "$(cat "$dir/guard.pid")" 2>/dev/null && stop "$dir"
  rm -f "$dir/ready" "$dir/failed"
  setsid "$self" guard "$dir" </dev/null >"$dir/guard.log" 2>&1 &
  local pid=$!
  for _ in $(seq 1200); do
    [ -f "$dir/ready" ] && return 0
    [ -f "$dir/failed" ] && die "$(cat "$dir/failed")"
    kill -0 "$pid" 2>/dev/null || die "the session guard ended early (see $dir/guard.log)"
    sleep 0.1
  done
  stop "$dir"
  die "the session was not ready after 120 s"
}

stop() {
  local dir=$1 pid
  [ -f "$dir/guard.pid" ] || return 0
  pid=$(cat "$dir/guard.pid")
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  die "the session guard $pid did not end"
}

run_in() {
  local dir=$1
  shift
  [ -f "$dir/ready" ] && [ -f "$dir/env" ] || die "no session in $dir (run-under-wine.sh start $dir)"
  . "$dir/env"
  exec "$@"
}

case "${1:-}" in
  start) [ $# -eq 2 ] || die "usage: start DIR"; start "$2" ;;
  stop) [ $# -eq 2 ] || die "usage: stop DIR"; stop "$(readlink -f "$2")" ;;
  guard) guard "$2" ;;
  exec)
    [ $# -ge 4 ] && [ "$3" = "--" ] || die "usage: exec DIR -- COMMAND..."
    dir=$(readlink -f "$2")
    shift 3
    run_in "$dir" "$@"
    ;;
  run)
    [ $# -ge 3 ] && [ "$2" = "--" ] || die "usage: run -- COMMAND..."
    shift 2
    session=$(mktemp -d "${TMPDIR:-/tmp}/reelctl-wine.XXXXXX")
    trap 'stop "$session"; rm -rf "$session"' EXIT
    start "$session"
    (run_in "$session" "$@")
    ;;
  *) die "usage: run-under-wine.sh start DIR | exec DIR -- COMMAND... | stop DIR | run -- COMMAND..." ;;
esac
