#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang with libFuzzer) and runs each
# for a bounded time, starting from the seed inputs in tests/fuzz/corpus.
# Exits non-zero when a target crashes (the crashing input is kept in
# build/fuzz/artifacts). FUZZ_SECONDS sets the time per target (default 20).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${FUZZ_SECONDS:-15}
targets=(fuzz_package fuzz_options fuzz_bmp fuzz_gradient_data)

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, skipping"
  exit 0
fi
cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz --target "${targets[@]}" >/dev/null || exit 1

rc=0
mkdir -p build/fuzz/artifacts
for t in "${targets[@]}"; do
  work="build/fuzz/corpus/$t"
  mkdir -p "$work"
  cp -n "tests/fuzz/corpus/$t"/* "$work"/ 2>/dev/null || true
  bin=$(find build/fuzz -type f -name "$t" -perm -u+x | head -n1)
  if [ -z "$bin" ]; then echo "fuzz: $t was not built"; rc=1; continue; fi
  echo "fuzz: $t for ${seconds}s"
  # Memory limits a few times what any input within the load budgets needs:
  # a skin whose text makes a load grow out of proportion trips them.
  if ! "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=512 -malloc_limit_mb=256 -max_len=65536 \
       -artifact_prefix="build/fuzz/artifacts/$t-" -print_final_stats=0 "$work" >"build/fuzz/$t.log" 2>&1; then
    echo "fuzz: $t FAILED (see build/fuzz/$t.log)"
    tail -n 30 "build/fuzz/$t.log"
    rc=1
  else
    grep -E "^Done [0-9]+ runs" "build/fuzz/$t.log" | tail -n1
  fi
done
exit $rc
