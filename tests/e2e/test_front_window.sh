#!/usr/bin/env bash
# Another program comes to the front while the saver runs (front_window.exe): the saver
# ends as the user coming back would, quietly, and gives the display back; the time it took
# is printed.
source "$(dirname "$0")/lib.sh"

PROGRAM=$(place "$SCR" "$E2E_OUT/front-window") LOG=$E2E_OUT/front-window/ErLog.txt
SIZE_BEFORE=$(screen_size) MONITORS_BEFORE=$(monitor_count) REPORTS=$E2E_OUT/front-window.reports
reg_set Setting BackGround 1
launch "$PROGRAM" /s
PID=$LAST_PID
watch_reports "$REPORTS"
need "the saver starts" wait_window "$MAIN" 30 >/dev/null || finish
sleep 1
front_out=$E2E_OUT/front-window.txt
LAUNCH_OUT=$front_out launch "$(program front_window)" --after 1000 --hold 4000
for ((i = 0; i < 300; i++)); do grep -q shown "$front_out" 2>/dev/null && break; sleep 0.02; done
shown=$(date +%s%N)
for ((i = 0; i < 50; i++)); do kill -0 "$PID" 2>/dev/null || break; sleep 0.05; done
echo "saver gone $((($(date +%s%N) - shown) / 1000000)) ms after the other window came to the front"
check "a window in front ends the saver within 2.5 s" test ! -d "/proc/$PID"
expect_ends 1
finish
