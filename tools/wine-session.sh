#!/usr/bin/env bash
# Starts or stops the one X display and the one persistent wineserver that a
# whole test run shares, so that Wine starts once and not once per test.
# Usage: tools/wine-session.sh start|stop
# The display number is kept in <Windows build>/wine-session.display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
state="$QX_WIN_BUILD/wine-session"

case "${1:-}" in
  start)
    mkdir -p "$QX_WIN_BUILD"
    if [ -f "$state.pid" ] && kill -0 "$(cat "$state.pid")" 2>/dev/null; then
      exit 0
    fi
    display=${QX_DISPLAY_NUMBER:-97}
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
      display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$state.xvfb.log" 2>&1 &
    echo $! > "$state.pid"
    echo ":$display" > "$state.display"
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$display" ] && break
      sleep 0.1
    done
    # A server left by wineboot would exit when idle; replace it by one that
    # stays alive (-p) between the test executables.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p </dev/null >/dev/null 2>&1
    # Start Wine's background services now, detached from every output: a
    # service started by a test would hold that test's output pipe open.
    DISPLAY=":$display" wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    if [ -f "$state.pid" ]; then
      kill "$(cat "$state.pid")" 2>/dev/null || true
      rm -f "$state.pid" "$state.display"
    fi
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
