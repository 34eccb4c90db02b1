#!/usr/bin/env bash
# The setup program in a fresh Wine prefix, as a photographer would meet it:
#   1. a silent install with the virtual scanner, then KORVEL, from the
#      installed files only, acquires a picture and saves it;
#   2. a reinstall keeps a setting the user changed;
#   3. the uninstaller leaves the prefix as it was before the install, but
#      for the user's files (the saved picture, a note the user left in the
#      scanner's folder, the settings), and puts Wine's twain_32 back;
#   4. an install and an uninstall that removes the settings leave no
#      settings file behind.
# Runs in its own prefix (not the test run's), with the test run's display.
# Usage: setup_test.sh SETUP.EXE KORVEL_DRIVER.EXE WORK_DIR
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/tools/wine-env.sh"
setup=$1
driver=$2
work=$3
display_file="$QX_WIN_BUILD/wine-session.display"
[ -f "$display_file" ] && export DISPLAY=$(cat "$display_file")

export WINEPREFIX="$work/prefix"
# Nothing of the developer's prefix: the installer itself must make Wine
# load our source manager.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
drive="$WINEPREFIX/drive_c"
failures=0
fail() { echo "setup_test: FAILED: $*" >&2; failures=$((failures + 1)); }
ini_value() {  # ini_value FILE SECTION KEY: the key's value, or nothing
  [ -f "$1" ] || return 0
  awk -v section="[$2]" -v key="$3" 'BEGIN { IGNORECASE = 1 }
    { sub(/\r$/, "") }
    /^\[/ { inside = (tolower($0) == tolower(section)); next }
    inside && index(tolower($0), tolower(key) "=") == 1 { print substr($0, length(key) + 2); exit }' "$1"
}
expect_value() {  # expect_value FILE SECTION KEY VALUE
  local got
  got=$(ini_value "$1" "$2" "$3")
  [ "$got" = "$4" ] || fail "$2/$3 is '$got', expected '$4'"
}
# Every program of the prefix has ended; a program still running after two
# minutes (a dialog nobody answers) fails the test instead of hanging it.
settle() {
  timeout 120 wineserver -w || { fail "a program did not end"; wineserver -k 2>/dev/null || true; }
}
snapshot() {  # every file and folder of drive C, but Wine's temporary files
  (cd "$drive" && find . -path './users/*/Temp' -prune -o -path './windows/temp' -prune -o -print | sort)
}

rm -rf "$work"
mkdir -p "$work"
new_wine_prefix
snapshot > "$work/before.txt"
cp "$drive/windows/twain_32.dll" "$work/wine-twain_32.dll"

# 1. Silent install with the virtual scanner, then an acquisition.
timeout 120 wine "$setup" /S /VIRTUAL </dev/null || fail "the setup program failed"
settle
programs=$(cd "$drive" && ls -d "Program Files/VANTERA/KORVEL" 2>/dev/null || true)
[ -n "$programs" ] || fail "KORVEL's folder was not made"
for file in windows/twain_32/VANTERA/qx52ds.ds windows/twain_32/VANTERA/fpara_en.spm \
            windows/twain_32/VANTERA/qx52sim.dll windows/twain_32/VANTERA/frames/scene-35.bmp \
            "$programs/KORVEL.EXE" "$programs/help/icons.chm" "$programs/help/trouble_j.chm" \
            "$programs/uninstall.exe" "ProgramData/Microsoft/Windows/Start Menu/Programs/VANTERA QX-52/KORVEL.lnk"; do
  [ -f "$drive/$file" ] || fail "not installed: $file"
done
cmp -s "$drive/windows/twain_32.dll" "$QX_WIN_BUILD/manager/TWAIN_32.DLL" || fail "our source manager is not in place"
# Wine keeps the case the file was made with; Windows programs find it in
# any case.
ini="$drive/windows/$(ls "$drive/windows" | grep -i -m1 '^vantera\.ini$' || echo VANTERA.INI)"
expect_value "$ini" KORVEL VERSION "$(sed -n 's/^#define QX_VERSION_TEXT "\(.*\)"/\1/p' "$QX_WIN_BUILD/generated/qx_version.h")"
expect_value "$ini" KORVEL PATH 'C:\Program Files\VANTERA\KORVEL\help\'
expect_value "$ini" KORVEL ICONS icons.chm
expect_value "$ini" QX-52V2P PORT_DRIVER 'C:\windows\twain_32\VANTERA\qx52sim.dll'
expect_value "$ini" QX-52V2P DPI 200
expect_value "$drive/windows/win.ini" TWAIN "Default Source" 'C:\windows\twain_32\VANTERA\qx52ds.ds'

# The user picks the strip's film type, as the scan window would keep it.
"$root/tools/ini-set.sh" "$ini" QX-52V2P FILMNUMBER 7
# The picture goes into a folder of the user's (Wine links the profile's
# Documents to the home folder, outside the prefix).
mkdir -p "$drive/Scans"
QX52SIM_CONFIG='C:\windows\twain_32\VANTERA\strip.cfg' \
  timeout 300 wine "$driver" 'C:\Program Files\VANTERA\KORVEL\KORVEL.EXE' 'C:\Scans\scan.bmp' \
  "$(winepath -w "$work/shot-")" </dev/null || fail "KORVEL did not acquire from the installed files"
settle
size=$(identify -format %wx%h "$drive/Scans/scan.bmp" 2>/dev/null || true)
[ "$size" = 600x400 ] || fail "the saved picture is '$size', expected the default output size 600x400"

# 2. A reinstall keeps what the user changed.
"$root/tools/ini-set.sh" "$ini" QX-52V2P DPI 321
timeout 120 wine "$setup" /S /VIRTUAL </dev/null || fail "the setup program failed"
settle
expect_value "$ini" QX-52V2P DPI 321
expect_value "$ini" QX-52V2P FILMNUMBER 7

# 3. The uninstaller leaves only the user's files.
echo "my film notes" > "$drive/windows/twain_32/VANTERA/notes.txt"
wine "$drive/$programs/uninstall.exe" /S </dev/null
settle
snapshot > "$work/after.txt"
user_files=$(printf '%s\n' ./Scans ./Scans/scan.bmp ./windows/twain_32/VANTERA ./windows/twain_32/VANTERA/notes.txt \
             "./windows/$(basename "$ini")" | sort)
left=$(comm -13 "$work/before.txt" "$work/after.txt")
[ "$left" = "$user_files" ] || fail "the uninstaller left or took other files: $(diff <(echo "$user_files") <(echo "$left") | tr '\n' ' ')"
gone=$(comm -23 "$work/before.txt" "$work/after.txt")
[ -z "$gone" ] || fail "the uninstaller removed files it did not install: $gone"
cmp -s "$drive/windows/twain_32.dll" "$work/wine-twain_32.dll" || fail "Wine's twain_32.dll was not put back"
expect_value "$ini" QX-52V2P DPI 321
expect_value "$drive/windows/win.ini" TWAIN "Default Source" ""
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VANTERA QX-52' </dev/null >/dev/null 2>&1; then
  fail "the uninstaller's entry is still registered"
fi
if wine reg query 'HKCU\Software\Wine\DllOverrides' /v twain_32 </dev/null >/dev/null 2>&1; then
  fail "the twain_32 override is still set"
fi

# 4. Asked to, the uninstaller removes the settings too.
timeout 120 wine "$setup" /S </dev/null || fail "the setup program failed"
settle
expect_value "$ini" QX-52V2P PORT_DRIVER inpout32.dll
wine 'C:\Program Files\VANTERA\KORVEL\uninstall.exe' /S /REMOVESETTINGS </dev/null
settle
[ ! -e "$ini" ] || fail "the settings file is still there: $(tr -d '\r' < "$ini" | tr '\n' ' ')"

wineserver -k 2>/dev/null || true
if [ $failures -ne 0 ]; then
  echo "setup_test: $failures failure(s)" >&2
  exit 1
fi
echo "setup_test: install, acquisition, reinstall and uninstall as expected"
