#!/usr/bin/env bash
# The release as a user gets it. The portable zip holds exactly the program, the
# read-me and the licence; the zip's program and the installer are 32-bit GUI
# programs carrying the manifest (run as invoker) and the project's version.
# This machine runs no 32-bit programs, so the installer's behaviour is checked
# on the same script packed around the 64-bit build with NSIS's 64-bit stub:
# a silent install into a temporary folder (files, Start-menu shortcut, Apps &
# features entry) and a silent uninstall that leaves none of it behind, the
# placement file included.
#
#   release_test.sh VERSION FILE_VERSION DIST_DIR WIN64_EXE WINDRES WORK_DIR
set -u
[ $# -eq 6 ] || { echo "usage: $0 VERSION FILE_VERSION DIST_DIR WIN64_EXE WINDRES WORK_DIR" >&2; exit 2; }
version=$1 file_version=$2 dist=$3 exe64=$4 windres=$5 work=$6
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/env.sh"
# The test's shortcut must not become a menu entry of the machine's desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf "$work" && mkdir -p "$work" || exit 1

u16() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
is_crlf_text() { [ -s "$1" ] && [ "$(grep -c $'\r$' "$1")" = "$(wc -l <"$1")" ]; }

# A 32-bit Windows GUI program (PE32, machine i386, subsystem 2) whose
# resources hold manifest 1, which runs it as the invoker, and the version.
check_win32_program() {
  local f=$1 pe rc
  pe=$(u32 "$f" 60)
  if [ "$(head -c2 "$f")" != MZ ] || [ "$(od -An -c -j"$pe" -N4 "$f" | tr -d ' ')" != 'PE\0\0' ]; then
    fail "$f is not a Windows program"
    return
  fi
  [ "$(u16 "$f" $((pe + 4)))" = 332 ] || fail "$f: machine is not i386"
  [ "$(u16 "$f" $((pe + 24)))" = 267 ] || fail "$f: not a 32-bit (PE32) image"
  [ "$(u16 "$f" $((pe + 24 + 68)))" = 2 ] || fail "$f: not a GUI program"
  rc=$("$windres" -i "$f" -O rc 2>/dev/null)
  grep -q '^1 24 ' <<<"$rc" || fail "$f: no manifest resource 1"
  "$windres" -i "$f" -O res -o "$work/resources.res" 2>/dev/null
  grep -aq 'requestedExecutionLevel level="asInvoker"' "$work/resources.res" ||
    fail "$f: the manifest does not run it as the invoker"
  grep -q "^ FILEVERSION ${file_version//./, }\$" <<<"$rc" || fail "$f: file version is not $file_version"
  grep -qF "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" || fail "$f: product version is not $version"
}

# --- The release packages.
zip=$dist/Glyphora-$version-win32.zip
setup=$dist/Glyphora-$version-setup.exe
if [ ! -f "$zip" ] || [ ! -f "$setup" ]; then
  fail "$zip or $setup is missing (make dist, or make test, builds them)"
else
  listing=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
  [ "$listing" = "Glyphora.exe Licence.txt ReadMe.txt " ] || fail "the zip holds: $listing"
  mkdir "$work/zip" && (cd "$work/zip" && cmake -E tar xf "$zip")
  check_win32_program "$work/zip/Glyphora.exe"
  check_win32_program "$setup"
  grep -q "^Glyphora $version" "$work/zip/ReadMe.txt" || fail "the read-me does not name version $version"
  for text in ReadMe.txt Licence.txt; do
    is_crlf_text "$work/zip/$text" || fail "$text is empty or not CR LF text"
  done
fi

# --- Install and uninstall with the 64-bit stub.
"$root/packaging/pack.sh" "$version" "$file_version" "$exe64" amd64 "$work/x64" >/dev/null ||
  { fail "packing the 64-bit build failed"; exit 1; }
setup64=$work/x64/Glyphora-$version-win64-setup.exe
mkdir "$work/x64/zip" && (cd "$work/x64/zip" && cmake -E tar xf "../Glyphora-$version-win64.zip")
inst=$work/install/Glyphora
wininst=$("$WINE" winepath -w "$inst" </dev/null 2>/dev/null | tr -d '\r')
mapfile -t folders < <("$WINE" cmd /c 'echo %APPDATA%& echo %TEMP%' </dev/null 2>/dev/null | tr -d '\r')
lnk=$("$WINE" winepath -u "${folders[0]}\\Microsoft\\Windows\\Start Menu\\Programs\\Glyphora.lnk" </dev/null 2>/dev/null)
temp=$("$WINE" winepath -u "${folders[1]}" </dev/null 2>/dev/null)
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glyphora'
# The uninstaller runs from a copy in %TEMP% that Windows deletes at the next
# start; the prefix has none, so the test removes the copies it caused.
mkdir -p "$temp"
temp_before=$(ls "$temp")
cleanup() {
  "$WINE" reg delete "$key" /f </dev/null >/dev/null 2>&1
  rm -f "$lnk"
  for f in "$temp"/~nsu*.tmp; do
    [ -e "$f" ] && ! grep -qxF "$(basename "$f")" <<<"$temp_before" && rm -rf "$f"
  done
}
trap cleanup EXIT

"$WINE" "$setup64" /S "/D=$wininst" </dev/null >/dev/null 2>&1 || fail "the silent install failed ($?)"
for f in Glyphora.exe ReadMe.txt Licence.txt Uninstall.exe; do
  [ -f "$inst/$f" ] || fail "$f was not installed"
done
cmp -s "$inst/Glyphora.exe" "$work/x64/zip/Glyphora.exe" || fail "the installed Glyphora.exe is not the packed one"
grep -aqF "$wininst\\Glyphora.exe" "$lnk" 2>/dev/null || fail "no Start-menu shortcut to the installed program at $lnk"

entry=$("$WINE" reg query "$key" </dev/null 2>/dev/null | tr -d '\r' | sed -E 's/^ +//; s/ {4}/|/g')
expected=(
  "DisplayName|REG_SZ|Glyphora"
  "DisplayVersion|REG_SZ|$version"
  "Publisher|REG_SZ|Quillwork Software"
  "InstallLocation|REG_SZ|$wininst"
  "UninstallString|REG_SZ|\"$wininst\\Uninstall.exe\""
  "NoModify|REG_DWORD|0x1"
  "NoRepair|REG_DWORD|0x1"
)
for line in "${expected[@]}"; do
  grep -qxF "$line" <<<"$entry" || fail "Apps & features entry lacks $line"
done
size_kb=$(sed -n 's/^EstimatedSize|REG_DWORD|//p' <<<"$entry")
[ -n "$size_kb" ] && [ $((size_kb * 1024)) -ge "$(stat -c %s "$inst/Glyphora.exe")" ] ||
  fail "EstimatedSize '${size_kb}' KB is less than the program"

# Glyphora writes its placement file beside itself when it closes.
printf '[Main]\r\nLeft=10\r\n' >"$inst/Glyphora.ini"
"$WINE" "$inst/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the silent uninstall failed ($?)"
# The uninstaller's copy in %TEMP% works on after the started one has returned.
for _ in $(seq 300); do
  [ -e "$inst" ] || break
  sleep 0.1
done
[ -e "$inst" ] && fail "left behind: $(ls -A "$inst" | tr '\n' ' ')"
[ -e "$lnk" ] && fail "the Start-menu shortcut was left behind"
"$WINE" reg query "$key" </dev/null >/dev/null 2>&1 && fail "the Apps & features entry was left behind"

[ "$failures" -eq 0 ] && echo "release packages and installer: all checks passed"
exit $((failures > 0))
