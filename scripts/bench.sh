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
echo "== Ending when another program comes to the front (real .scr, 5 runs)"
(
  # shellcheck disable=SC1091
  source "$session/session.env"
  wine=/usr/lib/wine/wine64
  front=$build/windows/tests/battle/front_window.exe
  for run in 1 2 3 4 5; do
    "$wine" "$root/dist/BrackmerSaver.scr" /s </dev/null >/dev/null 2>&1 &
    saver=$!
    for _ in $(seq 300); do xdotool search --name '^Main -- Brackmer Saver$' >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 1
    out=$(mktemp)
    "$wine" "$front" --after 500 --hold 3000 </dev/null >"$out" 2>/dev/null &
    for _ in $(seq 500); do grep -q shown "$out" && break; sleep 0.01; done
    shown=$(date +%s%N)
    for _ in $(seq 500); do kill -0 "$saver" 2>/dev/null || break; sleep 0.01; done
    echo "run $run: saver gone $((($(date +%s%N) - shown) / 1000000)) ms after the window came to the front"
    kill -9 "$saver" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -f "$out" "$root/dist/ErLog.txt"
  done
)
