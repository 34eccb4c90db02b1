#!/usr/bin/env bash
# Configures and builds one or both trees:
#   build/native  the portable core and its unit tests (g++, ASan, UBSan)
#   build/win32   everything for 32-bit Windows (mingw-w64)
# Usage: tools/build.sh [native|win32|all]    (default: all)
# QX_BUILD_ROOT in the environment puts both trees elsewhere (instead of
# <repo>/build), so that several builds of one checkout can run at once.
# Warnings are errors (QX_WERROR) unless QX_WERROR=OFF is in the environment.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
werror=${QX_WERROR:-ON}
what=${1:-all}
builds=${QX_BUILD_ROOT:-$root/build}

if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$builds/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQX_WERROR="$werror" >/dev/null
  cmake --build "$builds/native" -j "$(nproc)"
fi
if [ "$what" = win32 ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$builds/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX_WERROR="$werror" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
  cmake --build "$builds/win32" -j "$(nproc)"
fi
