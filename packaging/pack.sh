#!/usr/bin/env bash
# Packs one build of Glyphora.exe two ways into OUT_DIR: a portable zip
# (Glyphora.exe, ReadMe.txt, Licence.txt) and an installer made by makensis.
#
#   packaging/pack.sh VERSION FILE_VERSION GLYPHORA_EXE x86|amd64 OUT_DIR
#
# x86 is the release (Glyphora-VERSION-win32.zip, Glyphora-VERSION-setup.exe);
# amd64 packs a 64-bit build with NSIS's 64-bit stub under the names
# Glyphora-VERSION-win64.zip and Glyphora-VERSION-win64-setup.exe, so that the
# installer can be run where 32-bit programs cannot.
set -euo pipefail
if [ $# -ne 5 ]; then
  echo "usage: $0 VERSION FILE_VERSION GLYPHORA_EXE x86|amd64 OUT_DIR" >&2
  exit 2
fi
version=$1 file_version=$2 exe=$3 arch=$4 out=$5
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
case "$arch" in
  x86) zip_name=Glyphora-$version-win32.zip setup_name=Glyphora-$version-setup.exe strip=i686-w64-mingw32-strip ;;
  amd64) zip_name=Glyphora-$version-win64.zip setup_name=Glyphora-$version-win64-setup.exe strip=x86_64-w64-mingw32-strip ;;
  *) echo "$0: architecture '$arch' is neither x86 nor amd64" >&2; exit 2 ;;
esac
[ -f "$exe" ] || { echo "$0: $exe does not exist" >&2; exit 1; }
command -v makensis >/dev/null || {
  echo "$0: makensis not found (Debian package nsis; scripts/setup.sh dist installs it)" >&2
  exit 1
}

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The texts are read on Windows, where Notepad before Windows 10 shows a file
# with bare line feeds as one line: give them CR LF endings.
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1" >"$2"; }
# The build keeps its symbols and debugging sections (about 40% of the file);
# the packed program goes without them.
"$strip" -o "$stage/Glyphora.exe" "$exe"
sed "s/@VERSION@/$version/g" "$here/ReadMe.txt" >"$stage/ReadMe.in"
crlf "$stage/ReadMe.in" "$stage/ReadMe.txt"
rm "$stage/ReadMe.in"
crlf "$root/LICENCE.txt" "$stage/Licence.txt"

# Each file is written under a temporary name and renamed when complete, so a
# failed run never leaves a package that looks finished.
(cd "$stage" && cmake -E tar cf "$out/$zip_name.part" --format=zip Glyphora.exe ReadMe.txt Licence.txt)
mv -f "$out/$zip_name.part" "$out/$zip_name"

makensis -V2 -WX -NOCD \
  "-DVERSION=$version" "-DFILE_VERSION=$file_version" "-DSTAGE=$stage" \
  "-DICON=$root/resources/art/glyphora.ico" "-DOUTFILE=$out/$setup_name.part" \
  "-DTARGET=$arch-unicode" "$here/glyphora.nsi"
mv -f "$out/$setup_name.part" "$out/$setup_name"
echo "packed $out/$zip_name and $out/$setup_name"
