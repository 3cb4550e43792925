#!/usr/bin/env bash
# Two "/s" started at the same moment, six times: exactly one saver runs each time, the
# other ends without taking the display, showing a report or writing a log.
source "$(dirname "$0")/lib.sh"

PROGRAM=$(place "$SCR" "$E2E_OUT/two-starts") LOG=$E2E_OUT/two-starts/ErLog.txt
reg_set Setting BackGround 1
single=0
for ((round = 1; round <= 6; round++)); do
  launch "$PROGRAM" /s; a=$LAST_PID
  launch "$PROGRAM" /s; b=$LAST_PID
  win=$(wait_window "$MAIN" 30)
  within 10 eval 'dead $a || dead $b'
  alive=$(( $(dead "$a"; echo $?) + $(dead "$b"; echo $?) ))
  sleep 0.5  # a loser that had taken the display would show it by now
  windows=$(find_window "$MAIN" | wc -l)
  if [ "$alive" -eq 1 ] && [ "$windows" -eq 1 ] && [ -z "$(find_window "$REPORT")" ]; then
    single=$((single + 1))
  else
    echo "round $round: $alive processes, $windows saver windows, report '$(find_window "$REPORT")'"
  fi
  [ -n "$win" ] && wait_focus "$win" 5
  press x
  wait_exit "$a" 10; wait_exit "$b" 10
  stop_pid "$a"; stop_pid "$b"
done
check_eq "two starts at once leave exactly one saver (rounds of 6)" "$single" 6
expect_nolog
finish
