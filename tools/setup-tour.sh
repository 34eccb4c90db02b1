#!/usr/bin/env bash
# Pictures of the setup program as a user meets it, in English and in
# Japanese, each in a fresh Wine prefix of its own: the setup program's
# pages clicked through (the English run for real hardware, so its port
# driver page asks for the driver; the Japanese one with the virtual
# scanner), KORVEL's Version box from the installed files, and the
# uninstaller's pages (its question answered No). Leaves out/setup-NN.png,
# out/uninstall-NN.png, out/version-box.png, and each with -ja.
# Usage: tools/setup-tour.sh        (after tools/build.sh win32)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/wine-env.sh"
setup=$(ls "$QX_WIN_BUILD"/installer/qx52-setup-*.exe | head -1)
driver="$QX_WIN_BUILD/tools/korvel_driver/korvel_driver.exe"
mkdir -p "$root/out"

trap '"$root/tools/wine-session.sh" stop' EXIT
"$root/tools/wine-session.sh" start
export DISPLAY=$(cat "$QX_WIN_BUILD/wine-session.display")

tour() {  # tour LANGUAGE SUFFIX [SETUP ARGUMENTS]
  local language=$1 suffix=$2
  shift 2
  export WINEPREFIX="$QX_WIN_BUILD/setup-tour$suffix"
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  rm -rf "$WINEPREFIX"
  new_wine_prefix
  install_wine_fonts
  # The language both programs and the setup program take.
  printf '[KORVEL]\r\nLANGUAGE=%s\r\n' "$language" > "$WINEPREFIX/drive_c/windows/VANTERA.INI"
  local shots="$QX_WIN_BUILD/setup-tour$suffix-"
  rm -f "$shots"*.bmp
  wine "$driver" --setup "$(winepath -w "$setup")" "$(winepath -w "$shots")" "$@"
  wineserver -w
  wine "$driver" --version 'C:\Program Files\VANTERA\KORVEL\KORVEL.EXE' "$(winepath -w "${shots}version.bmp")"
  wine "$driver" --setup 'C:\Program Files\VANTERA\KORVEL\uninstall.exe' "$(winepath -w "${shots}un-")"
  wineserver -w
  for shot in "$shots"setup-*.bmp; do
    convert "$shot" "$root/out/setup-$(basename "$shot" .bmp | sed 's/.*setup-//')$suffix.png"
  done
  for shot in "$shots"un-setup-*.bmp; do
    convert "$shot" "$root/out/uninstall-$(basename "$shot" .bmp | sed 's/.*setup-//')$suffix.png"
  done
  convert "${shots}version.bmp" "$root/out/version-box$suffix.png"
  rm -f "$shots"*.bmp
  wineserver -k 2>/dev/null || true
}

tour E ""
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 tour J "-ja" /VIRTUAL
echo "Setup pictures: $(ls "$root"/out/setup-*.png "$root"/out/uninstall-*.png "$root"/out/version-box*.png | tr '\n' ' ')"
