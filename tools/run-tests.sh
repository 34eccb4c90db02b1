#!/usr/bin/env bash
# Every test: sets the machine up if needed, builds both trees with warnings
# as errors, runs the native unit tests, a short fuzz run of the IX block
# decoder and track parser when clang++ with libFuzzer is there, then the
# Windows tests under Wine (CTest starts one Xvfb and one persistent
# wineserver for the whole run).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup-machine.sh"
QX_WERROR=ON "$root/tools/build.sh" all

builds=${QX_BUILD_ROOT:-$root/build}
status=0
(cd "$builds/native" && ctest --output-on-failure) || status=1
if "$root/tools/fuzz-ix.sh" --available; then
  "$root/tools/fuzz-ix.sh" 20 || status=1
else
  echo "run-tests: no clang++ with libFuzzer here; the fuzz run is skipped"
fi
(cd "$builds/win32" && ctest --output-on-failure) || status=1
exit $status
