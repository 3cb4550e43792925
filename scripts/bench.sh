#!/usr/bin/env bash
# Prints the benchmark figures: the native simulation and software composition costs, the
# real DirectDraw frame under Wine and what a second monitor adds to it, on a private X.Org
# display with two 1920 x 1080 monitors, and the saver's own CPU time in a 20 s run there.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BRACKMER_BUILD:-$root/build}
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target battle_bench windows_build >/dev/null
echo "== native"
"$build/benchmarks/battle_bench"
session=$build/wine-bench
"$root/scripts/wine-session.sh" start "$session" 1920x1080+1920x1080 >/dev/null
trap '"$root/scripts/wine-session.sh" stop "$session"' EXIT
echo "== Wine DirectDraw (primary) and GDI (second monitor)"
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

# The real saver for 20 s: CPU time of its user-interface thread (the process's first
# thread, which runs every tick) against the threads Wine adds, from /proc; once on both
# monitors and once with the second switched off, to show what the second one costs.
# shellcheck disable=SC1091
source "$session/session.env"
key='HKCU\Software\VB and VBA Program Settings\BrackmerSaver\Setting'
for v in RedCount=15 BlueCount=15 BackGround=0; do
  /usr/lib/wine/wine64 reg add "$key" /v "${v%=*}" /t REG_SZ /d "${v#*=}" /f >/dev/null 2>&1
done
hz=$(getconf CLK_TCK)
cpu_run() {
  /usr/lib/wine/wine64 "$root/dist/BrackmerSaver.scr" /s </dev/null >/dev/null 2>&1 &
  local pid=$! ui0 ui1 all0 all1 t0 t1 threads
  for _ in $(seq 300); do xdotool search --name '^Main -- Brackmer Saver$' >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 2
  ui0=$(awk '{ print $14 + $15 }' "/proc/$pid/task/$pid/stat")
  all0=$(cat /proc/"$pid"/task/*/stat | awk '{ s += $14 + $15 } END { print s }'); t0=$(date +%s.%N)
  sleep 20
  ui1=$(awk '{ print $14 + $15 }' "/proc/$pid/task/$pid/stat")
  all1=$(cat /proc/"$pid"/task/*/stat | awk '{ s += $14 + $15 } END { print s }'); t1=$(date +%s.%N)
  threads=$(find /proc/"$pid"/task -mindepth 1 -maxdepth 1 | wc -l)
  xdotool key Escape; xdotool keyup Escape
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  awk -v ui=$((ui1 - ui0)) -v all=$((all1 - all0)) -v hz="$hz" -v t0="$t0" -v t1="$t1" -v n="$threads" 'BEGIN {
    s = t1 - t0
    printf "  user-interface thread             %8.2f s CPU in %.1f s  (%.1f %% of a core)\n", ui / hz, s, 100 * ui / hz / s
    printf "  the other %d threads (Wine)      %8.2f s CPU            (%.1f %% of a core)\n", n - 1, (all - ui) / hz, 100 * (all - ui) / hz / s
  }'
}
echo "== the saver's own CPU time, 20 s, 15 + 15 ships on each monitor, desktop background"
echo "two 1920x1080 monitors:"
cpu_run
xrandr --output DUMMY1 --off
sleep 2
echo "the primary alone:"
cpu_run
