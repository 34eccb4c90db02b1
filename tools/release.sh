#!/usr/bin/env bash
# Makes a release from a clean checkout of the committed tree (HEAD):
# builds the Windows binaries from scratch in a temporary folder and leaves
# in dist/
#   qx52-setup-<version>.exe   the setup program
#   qx52-<version>.zip         the same files, laid out as the setup program
#                              installs them, for installing by hand
#   SHA256SUMS
# The version is the project's (top CMakeLists.txt).
# Usage: tools/release.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup-machine.sh"
if ! git -C "$root" diff --quiet HEAD 2>/dev/null; then
  echo "release: uncommitted changes are not part of the release" >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/source"
git -C "$root" archive HEAD | tar -x -C "$work/source"
version=$(sed -n 's/^project(qx52 VERSION \([0-9.]*\).*/\1/p' "$work/source/CMakeLists.txt")
build="$work/build"
cmake -S "$work/source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX_WERROR=ON \
      -DCMAKE_TOOLCHAIN_FILE="$work/source/cmake/toolchain-mingw-i686.cmake" >/dev/null
cmake --build "$build" --target qx52_setup -j "$(nproc)"

# The zip: the setup program's files where it puts them.
tree="$work/qx52-$version"
mkdir -p "$tree/windows/twain_32/VANTERA" "$tree/KORVEL/help" "$tree/virtual-scanner/frames" "$tree/wine"
cp "$build/source/qx52ds.ds" "$build/artwork/fpara_en.spm" "$build/artwork/fpara_jp.spm" "$tree/windows/twain_32/VANTERA/"
cp "$build/host/KORVEL.EXE" "$tree/KORVEL/"
cp "$build"/help/*.chm "$tree/KORVEL/help/"
cp "$build/simulator/qx52sim.dll" "$build"/simulator/*.cfg "$tree/virtual-scanner/"
cp "$build"/simulator/frames/*.bmp "$tree/virtual-scanner/frames/"
cp "$build/manager/TWAIN_32.DLL" "$tree/wine/"
# How to install by hand, in English and (Shift-JIS) Japanese, with
# Windows line ends.
sed 's/$/\r/' "$work/source/installer/INSTALL.txt" > "$tree/INSTALL.txt"
sed 's/$/\r/' "$work/source/installer/INSTALL_J.txt" | iconv -f UTF-8 -t SHIFT_JIS > "$tree/INSTALL_J.txt"

mkdir -p "$root/dist"
rm -f "$root/dist/qx52-setup-$version.exe" "$root/dist/qx52-$version.zip" "$root/dist/SHA256SUMS"
cp "$build/installer/qx52-setup-$version.exe" "$root/dist/"
(cd "$work" && cmake -E tar cf "$root/dist/qx52-$version.zip" --format=zip "qx52-$version")
(cd "$root/dist" && sha256sum "qx52-setup-$version.exe" "qx52-$version.zip" > SHA256SUMS)
echo "release $version: $(ls "$root"/dist | tr '\n' ' ')"
