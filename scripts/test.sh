#!/usr/bin/env bash
# Runs every test: the host-native tests (sanitizers), the Windows tests under
# Wine on a display, and a short bounded fuzzing pass when clang is present.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
rc=0
echo "== host-native tests"
ctest --preset host || rc=1
echo "== Windows tests (win64 under Wine)"
scripts/with-display.sh ctest --preset win64 || rc=1
if [ -x scripts/fuzz.sh ]; then
  echo "== fuzzing"
  scripts/fuzz.sh || rc=1
fi
exit $rc
