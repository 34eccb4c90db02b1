#!/usr/bin/env bash
# The main job: sets the machine up, builds the Windows binaries, makes the
# Wine prefix with our source manager, the data source and the virtual
# scanner installed, and scans with KORVEL.
#   tools/main-job.sh              with a display: KORVEL opens there, ready
#                                  to acquire; without one: as --scan
#   tools/main-job.sh --scan FILE  unattended: KORVEL acquires through the
#                                  source manager, the source previews and
#                                  scans the virtual scanner's 35 mm frame,
#                                  KORVEL takes the picture by native
#                                  transfer and saves it as FILE (default
#                                  out/scan.bmp); screenshots of the scan
#                                  window and of KORVEL with the picture,
#                                  in English and in Japanese, go to out/;
#                                  so do, from a second session without a
#                                  scan, pictures of the setting pop-ups,
#                                  the gamma curve window and a turned,
#                                  cropped preview; and from a third, the
#                                  APS road: the holiday cartridge
#                                  auto-scanned in the index window, its
#                                  sheet copied to KORVEL and saved as
#                                  out/index-sheet.bmp.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The build goes where QX_BUILD_ROOT says (tools/build.sh); the prefix and
# the programs run must come from that same tree.
if [ -n "${QX_BUILD_ROOT:-}" ] && [ -z "${QX_WIN_BUILD:-}" ]; then
  export QX_WIN_BUILD=$QX_BUILD_ROOT/win32
fi
source "$root/tools/wine-env.sh"

scan_file=""
if [ "${1:-}" = "--scan" ]; then
  scan_file=${2:-$root/out/scan.bmp}
elif [ -n "${1:-}" ]; then
  echo "usage: tools/main-job.sh [--scan FILE]" >&2
  exit 2
fi

"$root/tools/setup-machine.sh"
"$root/tools/build.sh" win32
"$root/tools/wine-prefix.sh"

korvel="$QX_WIN_BUILD/host/KORVEL.EXE"
driver="$QX_WIN_BUILD/tools/korvel_driver/korvel_driver.exe"
install='C:\windows\twain_32\VANTERA'
# The virtual scanner holds a 35 mm colour reversal strip; the settings
# select its film type, record 7 (Color Reversal ISO 100), below.
export QX52SIM_CONFIG="$install\\strip.cfg"

settings() {  # settings LANGUAGE: both programs in that language
  local ini="$WINEPREFIX/drive_c/windows/vantera.ini"
  "$root/tools/ini-set.sh" "$ini" QX-52V2P LANGUAGE "$1"
  "$root/tools/ini-set.sh" "$ini" KORVEL LANGUAGE "$1"
  # Color Reversal ISO 100, the strip's film.
  "$root/tools/ini-set.sh" "$ini" QX-52V2P FILMNUMBER 7
  # Our source is the source manager's default, as its installation leaves it.
  "$root/tools/ini-set.sh" "$WINEPREFIX/drive_c/windows/win.ini" TWAIN "Default Source" \
    'C:\windows\twain_32\VANTERA\qx52ds.ds'
}

if [ -z "$scan_file" ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  settings E
  wine "$korvel"
  exit 0
fi
[ -n "$scan_file" ] || scan_file="$root/out/scan.bmp"
mkdir -p "$root/out" "$(dirname "$scan_file")"
scan_file=$(cd "$(dirname "$scan_file")" && pwd)/$(basename "$scan_file")

trap '"$root/tools/wine-session.sh" stop' EXIT
"$root/tools/wine-session.sh" start
export DISPLAY=$(cat "$QX_WIN_BUILD/wine-session.display")

run() {  # run LANGUAGE SUFFIX OUTPUT
  settings "$1"
  local shots="$root/out/shot-$2-"
  wine "$driver" "$korvel" "$(winepath -w "$3")" "$(winepath -w "$shots")"
  convert "${shots}scan-window.bmp" "$root/out/scan-window$2.png"
  convert "${shots}korvel.bmp" "$root/out/korvel$2.png"
  rm -f "${shots}scan-window.bmp" "${shots}korvel.bmp"
}

# A tour of the scan window's controls, without a scan: the setting
# pop-ups, the gamma curve window, the preview turned and cropped.
TOUR_SHOTS="popup-film-type popup-image-size popup-unit popup-resolution gamma-window scan-window-cropped"
tour() {  # tour LANGUAGE SUFFIX
  settings "$1"
  local shots="$root/out/shot-tour$2-"
  wine "$driver" --tour "$korvel" "$(winepath -w "$shots")"
  for shot in $TOUR_SHOTS; do
    convert "${shots}$shot.bmp" "$root/out/$shot$2.png"
    rm -f "${shots}$shot.bmp"
  done
}

# The APS road: the holiday cartridge auto-scanned in the index window, the
# sheet copied to KORVEL and saved.
aps() {  # aps LANGUAGE SUFFIX OUTPUT
  settings "$1"
  local shots="$root/out/shot-aps$2-"
  QX52SIM_CONFIG="$install\\qx52sim.cfg" wine "$driver" --aps "$korvel" "$(winepath -w "$3")" "$(winepath -w "$shots")"
  convert "${shots}index-window.bmp" "$root/out/index-window$2.png"
  convert "${shots}ix-window.bmp" "$root/out/ix-window$2.png"
  convert "${shots}korvel-aps.bmp" "$root/out/korvel-aps$2.png"
  mv "${shots}index.IXF" "$root/out/index-sheet$2.IXF"
  mv "${shots}index-export.bmp" "$root/out/index-export$2.bmp"
  rm -f "${shots}index-window.bmp" "${shots}ix-window.bmp" "${shots}korvel-aps.bmp"
  # The bitmap export must open in other programs' readers too.
  identify "$root/out/index-export$2.bmp" >/dev/null
  /usr/bin/python3 -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).load()' \
    "$root/out/index-export$2.bmp"
}

run E "" "$scan_file"
tour E ""
aps E "" "$root/out/index-sheet.bmp"
# The Japanese interface: Wine in a Japanese locale, so that the programs'
# Shift-JIS texts are read in code page 932.
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 run J "-ja" "$root/out/scan-ja.bmp"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 tour J "-ja"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 aps J "-ja" "$root/out/index-sheet-ja.bmp"
settings E
echo "Scanned picture: $scan_file"
echo "Screenshots: $root/out/scan-window.png $root/out/korvel.png $root/out/scan-window-ja.png $root/out/korvel-ja.png"
echo "APS: $root/out/index-sheet.bmp $root/out/index-window.png $root/out/ix-window.png $root/out/korvel-aps.png"
echo "     $root/out/index-sheet.IXF $root/out/index-export.bmp (and each with -ja)"
echo "The controls: $(for shot in $TOUR_SHOTS; do printf '%s ' "$root/out/$shot.png" "$root/out/$shot-ja.png"; done)"
