#!/usr/bin/env bash
# Makes (once) the private Wine prefix and installs into it what the Windows
# build produced: our source manager as C:\windows\TWAIN_32.DLL, the data
# source below C:\windows\twain_32\, and default settings in VANTERA.INI.
# Usage: [QX_WIN_BUILD=dir] tools/wine-prefix.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
win_build=$QX_WIN_BUILD

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  # Unmanaged windows: Wine draws their frames itself and does not wait for
  # a window manager (Xvfb has none) each time a window is hidden.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  wineserver -w
fi

# Wine's own TrueType fonts (Marlett draws the caption buttons) where every
# Wine build finds them: the prefix's Fonts folder.
if [ -d /usr/share/wine/fonts ]; then
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

windows="$WINEPREFIX/drive_c/windows"
# Wine keeps its own twain_32.dll in the Windows directory, where a TWAIN
# source manager belongs; ours replaces it (and the override prefers it).
install -m 644 "$win_build/manager/TWAIN_32.DLL" "$windows/twain_32.dll"
mkdir -p "$windows/twain_32/VANTERA"
install -m 644 "$win_build/source/qx52ds.ds" "$windows/twain_32/VANTERA/qx52ds.ds"
# The film parameter files sit beside the source; the settings key PATH
# below tells the source where.
install -m 644 "$win_build/artwork/fpara_en.spm" "$windows/twain_32/VANTERA/fpara_en.spm"
install -m 644 "$win_build/artwork/fpara_jp.spm" "$windows/twain_32/VANTERA/fpara_jp.spm"

# Default settings: only what a fresh installation writes; a key already set
# by a user or a test stays as it is.
ini="$windows/vantera.ini"
if [ ! -f "$ini" ]; then
  printf '[QX-52V2P]\r\nDPI=200\r\nFILMNUMBER=1\r\n' > "$ini"
fi
# PATH (the film parameter files' folder, ending in a separator) is added
# to the source's section when it is not there yet, right after the section
# line; section and key names match without regard to case, as Windows reads
# them.
if ! awk '{ line = tolower($0); sub(/[ \t\r]+$/, "", line) }
          line ~ /^\[/ { inside = (line == "[qx-52v2p]") }
          inside && line ~ /^[ \t]*path[ \t]*=/ { found = 1 }
          END { exit found ? 0 : 1 }' "$ini"; then
  # A last line without its line end must not run into what is added.
  if [ -n "$(tail -c 1 "$ini")" ]; then
    printf '\r\n' >> "$ini"
  fi
  QX_FILM_PATH='C:\windows\twain_32\VANTERA\' \
  awk '{ print; line = tolower($0); sub(/[ \t\r]+$/, "", line) }
       line == "[qx-52v2p]" && !done { printf "PATH=%s\r\n", ENVIRON["QX_FILM_PATH"]; done = 1 }
       END { if (!done) printf "[QX-52V2P]\r\nPATH=%s\r\n", ENVIRON["QX_FILM_PATH"] }' "$ini" > "$ini.new"
  mv "$ini.new" "$ini"
fi
echo "Wine prefix ready: $WINEPREFIX"
