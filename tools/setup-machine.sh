#!/usr/bin/env bash
# Installs what building and running the system needs on Debian 12, as root:
# the native and mingw-w64 compilers, CMake and Ninja, GoogleTest's sources,
# 32-bit Wine (with the i386 architecture) and the FreeType it draws
# TrueType fonts with, Xvfb and ImageMagick for screenshots, valgrind for
# the benchmarks' instruction counts, clang with libFuzzer's runtime for
# the fuzz runs, Python's imaging library for checking the exported
# bitmaps, NSIS for the setup program and chmcmd (Free Pascal's utilities)
# for the help files. Does nothing when everything is there already.
set -euo pipefail

packages=(cmake ninja-build g++ mingw-w64 g++-mingw-w64-i686-posix googletest
          wine wine32:i386 fonts-wine libfreetype6:i386 libfontconfig1:i386
          xvfb xauth x11-utils imagemagick fonts-ipafont-gothic valgrind locales
          fonts-dejavu-core clang libclang-rt-14-dev python3-pil nsis fp-utils)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
# The Japanese interface runs Wine in a Japanese locale (code page 932).
need_locale=0
locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' || need_locale=1
[ ${#missing[@]} -eq 0 ] && [ $need_locale -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup-machine: missing packages (${missing[*]}); run as root to install them" >&2
  exit 1
fi
echo "Installing: ${missing[*]:-} (Japanese locale: $need_locale)"
dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if [ $need_locale -eq 1 ]; then
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
