#!/usr/bin/env bash
# Makes a fresh Debian machine ready to build and run Glyphora: installs the
# packages (when missing) and creates the private Wine prefix in build/wine.
#   scripts/setup.sh [dist]
# "dist" adds what packing the release needs (make dist, make test).
set -euo pipefail
. "$(dirname "$0")/env.sh"

PACKAGES=(cmake make g++ g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  zlib1g-dev googletest wine64 fonts-wine xvfb xauth xcompmgr imagemagick x11-utils
  clang libclang-rt-14-dev libpixman-1-dev pkgconf
  # Real fonts of every kind for the tests (TrueType, CFF OpenType, Wine's raster fonts).
  fonts-liberation2 fonts-dejavu-core fonts-freefont-ttf fonts-croscore fonts-crosextra-carlito
  fonts-crosextra-caladea fonts-open-sans fonts-lato fonts-linuxlibertine fonts-texgyre fonts-cantarell
  ttf-bitstream-vera fonts-stix fonts-ebgaramond fonts-symbola)
# The installer is made with NSIS; building and running Glyphora do without it.
DIST_PACKAGES=(nsis)
for group in "$@"; do
  case "$group" in
    dist) PACKAGES+=("${DIST_PACKAGES[@]}") ;;
    *) echo "setup: unknown package group '$group' (known: dist)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  glyphora_find_wine
fi
for tool in "$WINE" "$WINESERVER"; do
  [ -x "$tool" ] || { echo "setup: $tool is missing after installing wine64" >&2; exit 1; }
done

if [ ! -f "$WINEPREFIX/.glyphora-ready" ]; then
  echo "setup: creating Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w
  # Wine draws window frames itself, so non-client painting and window
  # regions behave as on Windows.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  "$WINESERVER" -w
  # Tahoma and the raster and symbol fonts come with fonts-wine.
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$WINEPREFIX/.glyphora-ready"
fi
