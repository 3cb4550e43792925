#!/usr/bin/env bash
# Runs the libFuzzer targets (tests/fuzz) of the checked tree, which it builds first with
# clang where needed (./build/checked, or $BRACKMER_CHECKED_BUILD).
#   scripts/fuzz.sh [TARGET] [SECONDS]   every target (or one) for SECONDS each (default 60),
#       growing its corpus in BUILD/fuzz-corpus/TARGET from tests/fuzz/corpus/TARGET; a
#       crashing input lands in BUILD/fuzz-findings/ and the run fails.
#   scripts/fuzz.sh --bounded TARGET RUNS   what ctest runs: RUNS inputs from a fixed seed on
#       a fresh copy of the seed corpus, so every test run tries the same inputs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BRACKMER_FUZZ_BUILD:-${BRACKMER_CHECKED_BUILD:-$root/build/checked}}
findings=$build/fuzz-findings
mkdir -p "$findings"

if [ "${1:-}" = --bounded ]; then
  target=$2 runs=$3
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  "$build/tests/fuzz/fuzz_$target" -runs="$runs" -seed=25 -print_final_stats=1 \
    -artifact_prefix="$findings/$target-" "$work" "$root/tests/fuzz/corpus/$target"
  exit
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  CXX=clang++ CC=clang cmake -S "$root" -B "$build" -DBRACKMER_CHECKED=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)"
seconds=${2:-60}
if [ -n "${1:-}" ]; then targets=("$1"); else
  mapfile -t targets < <(sed -n 's/^brackmer_add_fuzzer(\([a-z_]*\) .*/\1/p' "$root/tests/fuzz/CMakeLists.txt")
fi
status=0
for target in "${targets[@]}"; do
  corpus=$build/fuzz-corpus/$target
  mkdir -p "$corpus"
  log=$build/fuzz-$target.log
  echo "== $target, $seconds s (log: $log)"
  if ! "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/$target-" "$corpus" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1; then
    echo "$target FAILED: see $log and $findings"; status=1
  fi
  grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|stat::new_units_added|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY|Test unit written)' "$log" || true
done
exit $status
