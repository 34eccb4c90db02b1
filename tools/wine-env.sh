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

# new_wine_prefix: makes the 32-bit prefix $WINEPREFIX as every prefix of
# ours is made, and waits until Wine has settled. Windows are unmanaged:
# Wine draws their frames itself and does not wait for a window manager
# (Xvfb has none) each time a window is hidden.
new_wine_prefix() {
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  wineserver -w
}

# install_wine_fonts: Wine's own TrueType fonts (Marlett draws the caption
# buttons) where every Wine build finds them, the prefix's Fonts folder.
install_wine_fonts() {
  if [ -d /usr/share/wine/fonts ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
}
