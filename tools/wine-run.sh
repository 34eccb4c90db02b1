#!/usr/bin/env bash
# Runs one Windows program under the test run's Wine session (display and
# prefix from wine-env.sh and wine-session.sh). Used by CTest for each
# Windows test executable.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -f "$QX_WIN_BUILD/wine-session.display" ]; then
  export DISPLAY=$(cat "$QX_WIN_BUILD/wine-session.display")
fi
exec wine "$@"
