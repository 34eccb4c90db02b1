# Sourced by the other scripts: where the builds and the Wine prefix live and
# how Wine is started for this project.
#   QX_WIN_BUILD  the Windows build tree (default: <repo>/build/win32)
#   WINEPREFIX    the private prefix (default: <Windows build>/wineprefix)
QX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QX_WIN_BUILD=${QX_WIN_BUILD:-$QX_ROOT/build/win32}
export WINEPREFIX=${WINEPREFIX:-$QX_WIN_BUILD/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# Our TWAIN_32.DLL instead of Wine's built-in one; no Mono or Gecko prompts.
export WINEDLLOVERRIDES="twain_32=n;mscoree=;mshtml="
