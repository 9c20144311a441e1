#!/usr/bin/env bash
# Start-up and font-list figures, first with the fonts this machine has, then
# with the large set (fonts-noto-extra and the medium set: 1,300 to 1,600
# families) in a Wine prefix of its own, build/wine-large. The large set is
# never installed on the machine: every Wine process of every test would pay
# for it. Its packages are fetched with apt-get download into
# build/fonts-large, unpacked there, and linked into that prefix's Fonts
# folder, which only Wine processes of that prefix read.
#
#   startup.sh startup_bench.exe startup_floor.exe fontlist_bench.exe Glyphora.exe
set -u
. "$(dirname "$0")/../../scripts/env.sh"
launcher=$1 floor=$2 fontlist=$3 app=$4
runs=${GLYPHORA_STARTUP_RUNS:-7}
dos() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }

run_startup() {  # suffix
  "$WINE" "$launcher" "$1" "$runs" "$(dos "$app")" "$(dos "$floor")" </dev/null 2>/dev/null | tr -d '\r'
}

run_startup ""

LARGE_PACKAGES=(fonts-noto-extra fonts-noto-core fonts-noto-ui-core fonts-liberation2 fonts-freefont-ttf
  fonts-symbola fonts-croscore fonts-crosextra-carlito fonts-crosextra-caladea fonts-open-sans fonts-lato
  fonts-linuxlibertine fonts-texgyre fonts-cantarell ttf-bitstream-vera fonts-stix fonts-ebgaramond)
fonts_dir=$GLYPHORA_ROOT/build/fonts-large
large_prefix=$GLYPHORA_ROOT/build/wine-large

# Fetches and unpacks the packages of the set that this machine lacks (the
# ones it has are seen by every prefix already). Fails when one cannot be had.
fetch_large_set() {
  mkdir -p "$fonts_dir/root" || return 1
  local p
  for p in "${LARGE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" && continue
    [ -f "$fonts_dir/$p.unpacked" ] && continue
    if ! ls "$fonts_dir/${p}"_*.deb >/dev/null 2>&1; then
      (cd "$fonts_dir" && apt-get download "$p" >/dev/null 2>&1) ||
        { apt-get update -qq >/dev/null 2>&1 && (cd "$fonts_dir" && apt-get download "$p" >/dev/null 2>&1); } ||
        { echo "startup: could not fetch $p" >&2; return 1; }
    fi
    dpkg -x "$fonts_dir/${p}"_*.deb "$fonts_dir/root" && touch "$fonts_dir/$p.unpacked" || return 1
  done
}

prepare_large_prefix() {
  WINEPREFIX=$large_prefix "$GLYPHORA_ROOT/scripts/setup.sh" >/dev/null || return 1
  local target=$large_prefix/drive_c/windows/Fonts
  # Hard links where the file system allows, copies elsewhere.
  find "$fonts_dir/root" -type f \( -iname '*.ttf' -o -iname '*.otf' -o -iname '*.ttc' \) -print0 |
    xargs -0 -r cp -l -n -t "$target" 2>/dev/null ||
    find "$fonts_dir/root" -type f \( -iname '*.ttf' -o -iname '*.otf' -o -iname '*.ttc' \) -print0 |
      xargs -0 -r cp -n -t "$target"
}

if ! fetch_large_set || ! prepare_large_prefix; then
  echo "startup_large: skipped, the large font set could not be fetched or set up"
  exit 0
fi
export WINEPREFIX=$large_prefix
# A warm wineserver of its own for the large prefix; its first process reads
# every new font file once.
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1
out=$(run_startup _large)
echo "$out"
families=$(echo "$out" | sed -n 's/^families_large: //p')
if [ "${families:-0}" -lt 1000 ]; then
  echo "startup_large: Wine enumerated only ${families:-no} families in $large_prefix; the large set is not in effect"
else
  "$WINE" "$fontlist" </dev/null 2>/dev/null | tr -d '\r'
fi
"$WINESERVER" -k >/dev/null 2>&1
exit 0
