#!/usr/bin/env bash
# Runs every test: the host-native tests (sanitizers), the Windows tests under
# Wine on a display, and a short bounded fuzzing pass. Ends with one summary
# line "N passed, N failed" over both test runs.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
rc=0
log=$(mktemp)
echo "== host-native tests"
ctest --preset host 2>&1 | tee -a "$log"
[ "${PIPESTATUS[0]}" -eq 0 ] || rc=1
echo "== Windows tests (win64 under Wine)"
scripts/with-display.sh ctest --preset win64 2>&1 | tee -a "$log"
[ "${PIPESTATUS[0]}" -eq 0 ] || rc=1
if [ -x scripts/fuzz.sh ]; then
  echo "== fuzzing"
  scripts/fuzz.sh || rc=1
fi
# ctest prints "NN% tests passed, F tests failed out of T" per run.
read -r passed failed < <(awk '/tests passed, .* tests failed out of/ {f += $4; t += $NF} END {print t - f, f}' "$log")
rm -f "$log"
[ "$rc" -ne 0 ] && [ "${failed:-0}" -eq 0 ] && failed=1
echo "tests: ${passed:-0} passed, ${failed:-0} failed"
exit $rc
