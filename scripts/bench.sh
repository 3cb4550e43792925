#!/usr/bin/env bash
# Prints the benchmark figures: the native simulation and software composition costs, and
# the real DirectDraw frame under Wine on a private 1920 x 1080 display.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BRACKMER_BUILD:-$root/build}
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target battle_bench windows_build >/dev/null
echo "== native"
"$build/benchmarks/battle_bench"
session=$build/wine-bench
"$root/scripts/wine-session.sh" start "$session" 1920x1080 >/dev/null
trap '"$root/scripts/wine-session.sh" stop "$session"' EXIT
echo "== Wine DirectDraw"
BRACKMER_WINE_DIR=$session "$root/scripts/wine-exec.sh" "$build/windows/benchmarks/frame_bench.exe" | tr -d '\r'
