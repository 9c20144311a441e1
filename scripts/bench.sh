#!/usr/bin/env bash
# Runs every benchmark program of the host and win64 builds; each prints one
# figure a line as "name: value". Entries ending in ".sh" are scripts that
# run their own programs.
set -u
. "$(dirname "$0")/env.sh"
rc=0
# On a virtual machine an idle processor is halted, and waking it costs far
# more than on real hardware; every round trip between a program, the Wine
# server and the X server pays that wake-up, which made windowing figures
# several times slower on an idle machine than on a busy one (a message box
# 45 ms against 6). Busy loops at the lowest priority keep all processors but
# one awake; they yield to any other work. GLYPHORA_BENCH_AWAKE=0 leaves them
# out.
spinners=""
if [ "${GLYPHORA_BENCH_AWAKE:-1}" != 0 ]; then
  for _ in $(seq 2 "$(nproc)"); do
    nice -n 19 sh -c 'while :; do :; done' &
    spinners="$spinners $!"
  done
fi
trap '[ -n "$spinners" ] && kill $spinners 2>/dev/null' EXIT
echo "bench_processors_kept_awake: $(echo $spinners | wc -w)"
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
