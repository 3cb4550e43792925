#!/usr/bin/env bash
# Prints the benchmark figures: the native simulation and software composition costs, the
# real DirectDraw frame under Wine and what a second monitor adds to it (a private X.Org
# display with two 1920 x 1080 monitors), how soon the saver is gone when another program
# comes to the front, the saver's own CPU time in a 20 s run, and the time to its first
# frame. `scripts/bench.sh first-frame` prints only the last.
set -euo pipefail
only=${1:-all}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BRACKMER_BUILD:-$root/build}
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target battle_bench windows_build >/dev/null
session=$build/wine-bench
"$root/scripts/wine-session.sh" start "$session" 1920x1080+1920x1080 >/dev/null
trap '"$root/scripts/wine-session.sh" stop "$session"' EXIT
if [ "$only" != first-frame ]; then
echo "== native"
"$build/benchmarks/battle_bench"
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
fi

# The first frame is timed on the primary alone.
(source "$session/session.env"; xrandr --output DUMMY1 --off >/dev/null 2>&1 || true; sleep 2)

# --- The first frame: from the launch of the program to its first presented frame, and
# where the time goes, against a plain window of the same program start-up. Both programs
# are the timing builds (build/windows/trace); each writes its marks to startup-trace.txt.
runs=${BRACKMER_BENCH_RUNS:-7}
trace_dir=$build/windows/trace
now_us() { date +%s%6N; }
# run_traced EXE [args]: prints "name offset_ms" for every mark, from the launch.
run_traced() {
  local exe=$1; shift
  local trace; trace="$(dirname "$exe")/startup-trace.txt"
  rm -f "$trace"
  local launch; launch=$(now_us)
  (source "$session/session.env"; exec /usr/lib/wine/wine64 "$exe" "$@" </dev/null >/dev/null 2>&1) &
  local pid=$! i
  for ((i = 0; i < 300; i++)); do [ -s "$trace" ] && break; sleep 0.05; done
  kill -9 "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
  sleep 0.5
  tr -d '\r' <"$trace" | awk -v t0="$launch" '{ us = $1; $1 = ""; sub(/^ /, ""); printf "%s\t%.1f\n", $0, (us - t0) / 1000 }'
}
# Median of each mark over the runs, in the order of the marks.
medians() {
  awk -F'\t' '{ if (!($1 in n)) order[++k] = $1; v[$1, ++n[$1]] = $2 }
    END { for (i = 1; i <= k; i++) { m = order[i]; c = n[m]
            for (a = 1; a <= c; a++) for (b = a + 1; b <= c; b++) if (v[m, b] < v[m, a]) { t = v[m, a]; v[m, a] = v[m, b]; v[m, b] = t }
            printf "%s\t%.0f\n", m, (c % 2) ? v[m, (c + 1) / 2] : (v[m, c / 2] + v[m, c / 2 + 1]) / 2 } }'
}
BRACKMER_WINE_DIR=$session "$root/scripts/wine-exec.sh" reg add 'HKCU\Software\VB and VBA Program Settings\BrackmerSaver\Setting' /v BackGround /t REG_SZ /d 0 /f >/dev/null 2>&1
plain_runs=$(mktemp) saver_runs=$(mktemp)
run_traced "$trace_dir/plain/plain_window.exe" >/dev/null  # the first start of a program warms Wine's caches
run_traced "$trace_dir/saver/BrackmerSaver.scr" /s >/dev/null
for ((r = 0; r < runs; r++)); do
  run_traced "$trace_dir/plain/plain_window.exe" >>"$plain_runs"
  run_traced "$trace_dir/saver/BrackmerSaver.scr" /s >>"$saver_runs"
done
echo "== First frame under Wine (1920 x 1080, desktop background; median of $runs runs, ms from launch)"
# Each mark with its median time and the part since the mark before it.
show() { medians | awk -F'\t' -v who="$1" '{ printf "  %-6s %-30s %6d ms  (+%d)\n", who, $1, $2, $2 - last; last = $2 }'; }
show plain <"$plain_runs"
show saver <"$saver_runs"
{ medians <"$plain_runs" | sed 's/^/plain:/'; medians <"$saver_runs" | sed 's/^/saver:/'; } | awk -F'\t' '
  { t[$1] = $2 }
  END {
    p = t["plain:first paint"]; g = t["saver:window shown and painted"]; f = t["saver:first frame"]
    printf "  plain window paints at %d ms\n", p
    if (g) printf "  saver window shows the first frame'"'"'s background at %d ms: %d ms after the plain window\n", g, g - p
    printf "  first DirectDraw frame at %d ms: %d ms after the plain window\n", f, f - p
  }'
rm -f "$plain_runs" "$saver_runs"
