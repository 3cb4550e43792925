#!/usr/bin/env bash
# Prints the benchmark figures: the native simulation and software composition costs, the
# real DirectDraw frame under Wine and what a second monitor adds to it (a private X.Org
# display with two 1920 x 1080 monitors), how soon the saver is gone when another program
# comes to the front, the saver's own CPU time in a 20 s run, and the time to its first
# frame. `scripts/bench.sh first-frame` prints only the last; `scripts/bench.sh wallpaper`
# only the wallpaper's figures (BRACKMER_BENCH_SCR, BRACKMER_BENCH_TRACED: other builds of
# the saver and its timing build to measure instead, such as an older one;
# BRACKMER_BENCH_PEAKS=0: its timings only).
set -euo pipefail
only=${1:-all}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BRACKMER_BUILD:-$root/build}
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target battle_bench windows_build >/dev/null
cmake --build "$build/windows" -j "$(nproc)" --target frame_bench BrackmerSaverTrace plain_window >/dev/null
session=$build/wine-bench
"$root/scripts/wine-session.sh" start "$session" 1920x1080+1920x1080 >/dev/null
trap '"$root/scripts/wine-session.sh" stop "$session"' EXIT

# --- The wallpaper: peak working set with large and hostile pictures against the desktop
# colour, on one and two monitors; the first DirectDraw frame with a 16000 x 16000 JPEG
# against none; when each monitor shows a picture both share.
if [ "$only" = wallpaper ]; then
  scr=${BRACKMER_BENCH_SCR:-$root/dist/BrackmerSaver.scr}
  traced=${BRACKMER_BENCH_TRACED:-$build/windows/trace/saver/BrackmerSaver.scr}
  pictures=$build/bench-pictures
  mkdir -p "$pictures"
  # shellcheck disable=SC1091
  source "$session/session.env"
  wine=/usr/lib/wine/wine64
  make_pictures() {
    [ -s "$pictures/shared.png" ] || convert-im6.q16 -size 3600x3600 xc:'#CC3300' -type TrueColor "PNG24:$pictures/shared.png"
    # Pictures of one colour, written directly: PNGs row by row (16000 x 16000 in colour,
    # 60000 x 60000 grey), and baseline JPEGs of three channels whose every block is mid-grey
    # (one Huffman code for "no difference" and one for "end of block": all-zero data).
    python3 - "$pictures" <<'PY'
import os, struct, sys, zlib
def jpeg(path, side):
    if os.path.exists(path) and os.path.getsize(path) > 0: return
    segment = lambda marker, body: b"\xff" + bytes([marker]) + struct.pack(">H", len(body) + 2) + body
    one_code = b"\x01" + b"\x00" * 15 + b"\x00"
    head = (b"\xff\xd8" + segment(0xDB, b"\x00" + b"\x01" * 64)
            + segment(0xC0, struct.pack(">BHHB", 8, side, side, 3) + b"\x01\x11\x00\x02\x11\x00\x03\x11\x00")
            + segment(0xC4, b"\x00" + one_code + b"\x10" + one_code)
            + segment(0xDA, b"\x03\x01\x00\x02\x00\x03\x00\x00\x3f\x00"))
    blocks = (side // 8) ** 2 * 3  # two bits each
    open(path, "wb").write(head + b"\x00" * ((blocks * 2 + 7) // 8) + b"\xff\xd9")
def png(path, side, colour_type, row):
    if os.path.exists(path) and os.path.getsize(path) > 0: return
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    packer = zlib.compressobj(9)
    data = b"".join(packer.compress(row * 100) for _ in range(side // 100)) + packer.flush()
    open(path, "wb").write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, colour_type, 0, 0, 0))
                           + chunk(b"IDAT", data) + chunk(b"IEND", b""))
png(sys.argv[1] + "/png16000.png", 16000, 2, b"\0" + b"\x33\x66\x99" * 16000)
png(sys.argv[1] + "/png60000.png", 60000, 0, b"\0" + b"\x80" * 60000)
jpeg(sys.argv[1] + "/jpeg8000.jpg", 8000)
jpeg(sys.argv[1] + "/jpeg16000.jpg", 16000)
PY
  }
  make_pictures
  winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
  desk() { "$wine" reg add 'HKCU\Control Panel\Desktop' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
  key='HKCU\Software\VB and VBA Program Settings\BrackmerSaver\Setting'
  for v in RedCount=5 BlueCount=5 BackGround=0; do
    "$wine" reg add "$key" /v "${v%=*}" /t REG_SZ /d "${v#*=}" /f >/dev/null 2>&1
  done
  desk WallpaperStyle 10; desk TileWallpaper 0
  # peak PICTURE: the saver's peak working set (VmHWM, MB) 8 s after its window shows.
  peak() {
    desk Wallpaper "$1"
    "$wine" "$scr" /s </dev/null >/dev/null 2>&1 &
    local pid=$! hwm
    for _ in $(seq 300); do xdotool search --name '^Main -- Brackmer Saver$' >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 8
    hwm=$(awk '/VmHWM/ { print int($2 / 1024) }' "/proc/$pid/status" 2>/dev/null)
    kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    sleep 1
    echo "${hwm:-0}"
  }
  peaks() {
    local colour name
    colour=$(peak '')
    printf '  %-26s %5d MB\n' "desktop colour" "$colour"
    for name in jpeg8000.jpg jpeg16000.jpg png16000.png png60000.png; do
      local mb; mb=$(peak "$(winpath "$pictures/$name")")
      printf '  %-26s %5d MB  (%+d)\n' "$name" "$mb" $((mb - colour))
    done
  }
  if [ "${BRACKMER_BENCH_PEAKS:-1}" != 0 ]; then
    echo "== Wallpaper: peak working set 8 s in, 5 + 5 ships, fill"
    echo "two 1920x1080 monitors:"; peaks
    xrandr --output DUMMY1 --off || true; sleep 2
    echo "the primary alone:"; peaks
  fi
  xrandr --output DUMMY1 --off || true; sleep 2
  # The first DirectDraw frame (timing build, marks from the launch), alternating runs.
  first_frame() {
    desk Wallpaper "$1"
    local trace; trace="$(dirname "$traced")/startup-trace.txt"
    rm -f "$trace"
    local t0; t0=$(date +%s%6N)
    "$wine" "$traced" /s </dev/null >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 300); do [ -s "$trace" ] && break; sleep 0.05; done
    kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    sleep 0.5
    [ -s "$trace" ] || return 0
    tr -d '\r' <"$trace" | awk -v t0="$t0" '/first frame/ { printf "%d\n", ($1 - t0) / 1000 }'
  }
  runs=${BRACKMER_BENCH_RUNS:-5}
  none=() huge=()
  first_frame '' >/dev/null
  for ((r = 0; r < runs; r++)); do
    none+=("$(first_frame '')"); huge+=("$(first_frame "$(winpath "$pictures/jpeg16000.jpg")")")
  done
  median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
  n=$(median "${none[@]}") h=$(median "${huge[@]}")
  echo "== First DirectDraw frame, primary alone (median of $runs alternating runs)"
  echo "  no picture ${n} ms, 16000x16000 JPEG ${h} ms: $(awk -v n="$n" -v h="$h" 'BEGIN { printf "%.2f", h / n }') x"
  # When each monitor shows one 3600 x 3600 picture they share, from the launch: the
  # screen's centre pixel on each monitor polled (no ships).
  xrandr --output DUMMY1 --mode 1920x1080 --right-of DUMMY0 || true; sleep 2
  "$wine" reg add "$key" /v RedCount /t REG_SZ /d 0 /f >/dev/null 2>&1
  "$wine" reg add "$key" /v BlueCount /t REG_SZ /d 0 /f >/dev/null 2>&1
  desk Wallpaper "$(winpath "$pictures/shared.png")"
  echo "== Picture shown (ms from launch), one 3600x3600 PNG on both monitors"
  for ((r = 0; r < 3; r++)); do
    t0=$(date +%s%3N) first= second=
    "$wine" "$scr" /s </dev/null >/dev/null 2>&1 &
    pid=$!
    while [ -z "$first" ] || [ -z "$second" ]; do
      [ $(($(date +%s%3N) - t0)) -gt 60000 ] && break
      now=$(($(date +%s%3N) - t0))
      pixels=$(xwd -root -silent | convert-im6.q16 xwd:- \( +clone -crop 1x1+960+540 \) \( -clone 0 -crop 1x1+2880+540 \) -delete 0 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' || true)
      [ -z "$first" ] && [ "$(sed -n 1p <<<"$pixels")" = '#CC3300' ] && first=$now
      [ -z "$second" ] && [ "$(sed -n 2p <<<"$pixels")" = '#CC3300' ] && second=$now
    done
    kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; sleep 1
    echo "  run $((r + 1)): primary ${first:-never}, second monitor ${second:-never}"
  done
  exit 0
fi

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
