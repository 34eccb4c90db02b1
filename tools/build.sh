#!/usr/bin/env bash
# Configures and builds one or both trees:
#   build/native  the portable core and its unit tests (g++, ASan, UBSan)
#   build/win32   everything for 32-bit Windows (mingw-w64)
# Usage: tools/build.sh [native|win32|all]    (default: all)
# Warnings are errors (QX_WERROR) unless QX_WERROR=OFF is in the environment.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
werror=${QX_WERROR:-ON}
what=${1:-all}

if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQX_WERROR="$werror" >/dev/null
  cmake --build "$root/build/native" -j "$(nproc)"
fi
if [ "$what" = win32 ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX_WERROR="$werror" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
  cmake --build "$root/build/win32" -j "$(nproc)"
fi
