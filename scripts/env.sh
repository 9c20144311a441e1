# Shared settings for running Glyphora's Windows programs under Wine.
# Sourced by the other scripts.
GLYPHORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$GLYPHORA_ROOT/build/wine}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# Wine's programs are looked up when this file is sourced; scripts/setup.sh
# calls glyphora_find_wine again after installing the packages, since on a
# fresh machine they are not there yet (Debian's wine64 puts no wineserver on
# PATH).
glyphora_find_wine() {
  WINE=/usr/lib/wine/wine64
  [ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
  WINESERVER=/usr/lib/wine/wineserver
  [ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
}
glyphora_find_wine
