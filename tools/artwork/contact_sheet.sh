#!/usr/bin/env bash
# Pictures for looking at the main scan window's artwork by eye, made from a
# Windows build tree (after tools/build.sh win32):
#   OUT/contact.png          every bitmap of the window, enlarged, with its
#                            resource name, size and colour depth
#   OUT/mockup.png           the window as its code will draw it, English
#                            and Japanese side by side, twice the size
#   OUT/mockup-outlined.png  the background with each control's, text's and
#                            bitmap's rectangle outlined, twice the size
# Usage: tools/artwork/contact_sheet.sh [WINDOWS_BUILD_TREE [OUT]]
#        (defaults: build/win32, and the build tree itself)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build/win32}" && pwd)
out=${2:-$build}
mkdir -p "$out"
art=$build/artwork
generator=$build/tools/make_source_bitmaps
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
convert=$(cached QX_IMAGEMAGICK_CONVERT)
latin=$(cached QX_LABEL_FONT)
japanese=$(cached QX_JAPANESE_LABEL_FONT)
[ -x "$generator" ] && [ -n "$latin" ] || { echo "contact_sheet: build $build first (tools/build.sh win32)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bitmaps"
"$generator" "$work/bitmaps" "$convert" "$latin" "$japanese" "$work"

background='#5a5a5a'
# tile NAME SCALE: the bitmap enlarged with a caption; prints the tile's path.
tile() {
  local file=$art/$1.bmp caption
  caption=$(echo "${1#button_}" | tr a-z A-Z)
  caption="$caption  $(identify -format %wx%h "$file")  $(od -An -tu2 -j28 -N2 "$file" | tr -d ' ') bit"
  convert -background "$background" -fill white -font "$latin" -pointsize 12 label:"$caption" \
    \( "$file" -scale "$2" -bordercolor '#ff00ff' -border 1 \) -gravity center -append \
    -bordercolor "$background" -border 6 "$work/$1.png"
  echo "$work/$1.png"
}
# row SCALE NAME...: a row of tiles, named after its first; prints its path.
row() {
  local scale=$1 tiles=()
  shift
  for name in "$@"; do tiles+=("$(tile "$name" "$scale")"); done
  convert "${tiles[@]}" -background "$background" -gravity north +append "$work/row-$1.png"
  echo "$work/row-$1.png"
}
sheet=(
  "$(row 200% preview_bmp)"
  "$(row 300% ftype_jp_bmp isize_jp_bmp ireso_jp_bmp ebias_jp_bmp cbala_jp_bmp res_bar)"
  "$(row 400% button_801 button_802 button_803 button_804 button_805 button_822 button_806 button_810)"
  "$(row 400% button_900 button_901 button_910 button_911)"
  "$(row 400% preview_on preview_on_jp scan_on scan_on_jp)"
  "$(row 200% mask_h masko_h mask_ah masko_ah)"
  "$(row 200% mask_v masko_v mask_av masko_av)"
)
convert "${sheet[@]}" -background "$background" -gravity west -append +repage "$out/contact.png"
convert "$work/mockup_en.bmp" "$work/mockup_jp.bmp" -background "$background" +append +repage -scale 200% "$out/mockup.png"
convert "$work/mockup_outlined.bmp" -scale 200% "$out/mockup-outlined.png"
echo "contact_sheet: $out/contact.png, $out/mockup.png, $out/mockup-outlined.png"
