#!/usr/bin/env bash
# The main job: sets the machine up, builds the Windows binaries, makes the
# Wine prefix with our source manager and the data source installed, and
# opens the source's scan window through the source manager, as an
# application does.
#  - With a display ($DISPLAY reachable): the window opens there and the
#    job ends when you close it.
#  - Without one: a virtual display is used, a screenshot is saved as
#    out/scan-window.png and the source is closed again.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/wine-env.sh"
"$root/tools/setup-machine.sh"
"$root/tools/build.sh" win32
"$root/tools/wine-prefix.sh"

source_name="VANTERA QX-52 32Bit"
host="$QX_WIN_BUILD/tests/host/test_host.exe"
mkdir -p "$root/out"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine "$host" --open "$source_name" --seconds 3600
  exit 0
fi

trap '"$root/tools/wine-session.sh" stop' EXIT
"$root/tools/wine-session.sh" start
export DISPLAY=$(cat "$QX_WIN_BUILD/wine-session.display")
wine "$host" --open "$source_name" --seconds 6 &
host_pid=$!
# Wait for the scan window, then photograph it.
window_id=""
for _ in $(seq 1 50); do
  window_id=$(xwininfo -root -tree 2>/dev/null | awk '/"  VANTERA QX-52"/ {print $1; exit}')
  [ -n "$window_id" ] && break
  sleep 0.2
done
sleep 1
import -window "${window_id:-root}" "$root/out/scan-window.png"
wait "$host_pid"
echo "Screenshot of the scan window: $root/out/scan-window.png"
