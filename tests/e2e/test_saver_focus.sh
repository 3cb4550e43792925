#!/usr/bin/env bash
# Any key ends the saver, whichever window had the keyboard focus when it started: another
# program's window keeps the focus here, as it does when the host starts the saver while
# the user last typed somewhere else.
source "$(dirname "$0")/lib.sh"

MAIN='Main -- Brackmer Saver'
COLOUR_EXE="$BRACKMER_WINDOWS_BUILD_DIR/tests/battle/colour_window.exe"

"$WINE" "$COLOUR_EXE" 'Colour -- test' 100 100 300 200 20C040 </dev/null >/dev/null 2>&1 &
colour_pid=$!
_started_pids+=("$colour_pid")
colour=$(wait_window 'Colour -- test' 30) || { fail "the other program's window shows"; finish; }
check "the other program's window has the focus" wait_focus "$colour" 10

reg_clear
reg_set Setting BackGround 1
for key in x space Return; do
  wait_focus "$colour" 5
  xdotool mousemove 500 400
  scr_start /s
  pid=$LAST_PID
  wait_window "$MAIN" 30 >/dev/null
  sleep 1.5
  xdotool key "$key"
  check "'$key' ends the saver although another window had the focus" wait_exit "$pid" 10
  xdotool keyup "$key"
  check_eq "no saver window is left" "$(find_window "$MAIN")" ""
done
scr_kill "$colour_pid"
reg_clear
finish
