#!/usr/bin/env bash
# Every test: sets the machine up if needed, builds both trees with warnings
# as errors, runs the native unit tests, then the Windows tests under Wine
# (CTest starts one Xvfb and one persistent wineserver for the whole run).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup-machine.sh"
QX_WERROR=ON "$root/tools/build.sh" all

status=0
(cd "$root/build/native" && ctest --output-on-failure) || status=1
(cd "$root/build/win32" && ctest --output-on-failure) || status=1
exit $status
