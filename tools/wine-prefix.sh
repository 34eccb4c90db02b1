#!/usr/bin/env bash
# Makes (once) the private Wine prefix and installs into it what the Windows
# build produced: our source manager as C:\windows\TWAIN_32.DLL, the data
# source below C:\windows\twain_32\ with its film parameter files, the
# virtual scanner as its port driver, and default settings in VANTERA.INI.
# Usage: [QX_WIN_BUILD=dir] tools/wine-prefix.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
win_build=$QX_WIN_BUILD

[ -f "$WINEPREFIX/system.reg" ] || new_wine_prefix
install_wine_fonts

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

# The virtual scanner is the configured port driver: its DLL, its
# configuration (qx52sim.cfg, found beside the DLL) and the frame pictures.
install -m 644 "$win_build/simulator/qx52sim.dll" "$windows/twain_32/VANTERA/qx52sim.dll"
install -m 644 "$win_build/simulator/qx52sim.cfg" "$windows/twain_32/VANTERA/qx52sim.cfg"
install -m 644 "$win_build/simulator/strip.cfg" "$windows/twain_32/VANTERA/strip.cfg"
install -m 644 "$win_build/simulator/cartridge40.cfg" "$windows/twain_32/VANTERA/cartridge40.cfg"
install -m 644 "$win_build/simulator/rewound.cfg" "$windows/twain_32/VANTERA/rewound.cfg"
mkdir -p "$windows/twain_32/VANTERA/frames"
install -m 644 "$win_build"/simulator/frames/*.bmp "$windows/twain_32/VANTERA/frames/"

# Default settings: only what a fresh installation writes; a key already set
# by a user or a test stays as it is.
ini="$windows/vantera.ini"
[ -f "$ini" ] || printf '[QX-52V2P]\r\nDPI=200\r\nFILMNUMBER=1\r\n' > "$ini"

# set_default KEY VALUE: adds KEY=VALUE to the source's section unless the
# key is there already.
set_default() {
  "$(dirname "${BASH_SOURCE[0]}")/ini-set.sh" --keep "$ini" QX-52V2P "$1" "$2"
}
# The film parameter files' folder, ending in a separator.
set_default PATH 'C:\windows\twain_32\VANTERA\'
set_default PORT_ACCESS DRIVER
set_default PORT_DRIVER 'C:\windows\twain_32\VANTERA\qx52sim.dll'
# How the source is known to the source manager as a default source (the
# host program's Preview switches to it).
set_default FILES0 'C:\windows\twain_32\VANTERA\qx52ds.ds'
echo "Wine prefix ready: $WINEPREFIX"
