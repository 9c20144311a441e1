#!/usr/bin/env bash
# Runs every benchmark program of the host and win64 builds; each prints one
# figure a line as "name: value". Entries ending in ".sh" are scripts that
# run their own programs.
set -u
. "$(dirname "$0")/env.sh"
rc=0
if [ -f "$GLYPHORA_ROOT/build/hostbench/benches.txt" ]; then
  while read -r b; do [ -n "$b" ] && { "$b" || rc=1; }; done < "$GLYPHORA_ROOT/build/hostbench/benches.txt"
fi
while read -r b; do
  case "$b" in
    "") ;;
    *.sh) bash "$b" </dev/null || rc=1 ;;
    *) "$WINE" "$b" </dev/null 2>/dev/null | tr -d '\r' || rc=1 ;;
  esac
done < "$GLYPHORA_ROOT/build/win64/benches.txt"
exit $rc
