#!/usr/bin/env bash
# Pictures of KORVEL's help pages, to look at: takes the pages back out of
# the compiled help files (so what is shown is what the .chm holds, pictures
# included) and renders each file's opening page with headless Chromium into
#   out/help-icons.png  out/help-trouble.png  out/help-icons-ja.png  out/help-trouble-ja.png
# Usage: tools/help-screenshots.sh [WIN32_BUILD_DIR]
#   WIN32_BUILD_DIR defaults to $QX_BUILD_ROOT/win32 (or build/win32); the
#   help files must have been built there (target korvel_help).
# Installs Debian's chromium with apt-get when it is missing (needs root).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${QX_BUILD_ROOT:-$root/build}/win32}
out=$root/out
width=960
# Tall enough for the longest page; the blank below a page is cut off.
height=7000

if ! command -v chromium >/dev/null 2>&1; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "chromium is missing; run as root to install it" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends chromium >/dev/null
fi
for tool in chmls convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool is missing (fp-utils, imagemagick)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# shot NAME PAGE PNG: the page PAGE of help/NAME.chm into out/PNG.
shot() {
  local name=$1 page=$2 png=$3
  local chm=$build/help/$name.chm
  if [ ! -f "$chm" ]; then
    echo "$chm is missing: build the target korvel_help first" >&2
    exit 1
  fi
  mkdir -p "$work/$name" "$work/profile-$name"
  chmls extractall "$chm" "$work/$name" >/dev/null 2>&1
  if [ ! -f "$work/$name/$page" ]; then
    echo "$chm holds no $page" >&2
    exit 1
  fi
  # A fresh profile for each run; nothing is fetched from the network.
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --hide-scrollbars --user-data-dir="$work/profile-$name" \
    --window-size="$width,$height" --screenshot="$work/$name.png" \
    "file://$work/$name/$page" >/dev/null 2>&1 || true
  if [ ! -s "$work/$name.png" ]; then
    echo "chromium made no picture of $name" >&2
    exit 1
  fi
  # Cut the white below the page's end (the trim keeps the full width).
  convert "$work/$name.png" -background white -gravity south -splice 0x1 \
          -trim +repage -gravity north -background white -extent "${width}x" \
          -gravity south -splice 0x12 "$out/$png"
  echo "$out/$png"
}

shot icons icons.html help-icons.png
shot trouble trouble.html help-trouble.png
shot icons_j icons_j.html help-icons-ja.png
shot trouble_j trouble_j.html help-trouble-ja.png
