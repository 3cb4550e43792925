#!/usr/bin/env bash
# How the saver ends when something goes wrong, against the real .scr and its fault builds:
# a lost display (another window to the front, or a build whose Flip and give-back fail)
# ends it as a key would, quietly; without DirectDraw the battle runs through GDI with one
# log note across starts; a close request during the set-up ends it cleanly; two starts at
# once leave one saver; an unwritable program folder sends the log to the user's folder; a
# failure in the set-up shows its report readable, in front of the given-back desktop.
source "$(dirname "$0")/lib.sh"

MAIN='Main -- Brackmer Saver'
REPORT='Brackmer Saver'
FRONT_TOOL=${BRACKMER_WINDOWS_BUILD_DIR:?the Windows build tree}/tests/battle/front_window.exe
screen_size() { xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ { print $2 }'; }
size_before=$(screen_size)
reg_clear
reg_set Setting BackGround 1

# placed NAME PROGRAM: a copy of PROGRAM in a folder of its own under E2E_OUT, so that its
# ErLog.txt is this test's alone; prints the copy's path.
placed() {
  local dir=$E2E_OUT/errors-$1
  chmod -R u+w "$dir" 2>/dev/null; rm -rf "$dir"; mkdir -p "$dir"
  cp "$2" "$dir/BrackmerSaver.scr"
  echo "$dir/BrackmerSaver.scr"
}

# run_watched PROGRAM LIMIT: starts "/s", waits until the process ends (at most LIMIT
# seconds) and looks for a report window all the while. Sets $ended (0/1), $report (0/1).
run_watched() {
  local program=$1 limit=$2 i
  "$WINE" "$program" /s </dev/null >/dev/null 2>&1 &
  local pid=$!
  _started_pids+=("$pid")
  ended=0 report=0
  for ((i = 0; i < limit * 10; i++)); do
    [ -n "$(find_window "$REPORT")" ] && report=1
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; ended=1; break; }
    sleep 0.1
  done
  scr_kill "$pid"
}

log_lines() { if [ -f "$1" ]; then wc -l <"$1" | tr -d ' '; else echo "no file"; fi; }

# --- Flip loses the display, then giving it back fails too --------------------------------
program=$(placed lost "$BRACKMER_WINDOWS_BUILD_DIR/fault-lost/BrackmerSaver.scr")
log=$(dirname "$program")/ErLog.txt
run_watched "$program" 30
check_eq "a lost display ends the saver" "$ended" 1
check_eq "a lost display shows no report" "$report" 0
check_eq "a lost display is no fault: no ErLog.txt" "$(log_lines "$log")" "no file"
check_eq "display size is back" "$(screen_size)" "$size_before"

# --- Another program comes to the front while the real saver runs --------------------------
program=$(placed front "$SCR")
log=$(dirname "$program")/ErLog.txt
"$WINE" "$program" /s </dev/null >/dev/null 2>&1 &
pid=$!
_started_pids+=("$pid")
if wait_window "$MAIN" 30 >/dev/null; then
  sleep 1
  front_out=$E2E_OUT/front-window.txt
  "$WINE" "$FRONT_TOOL" --after 1000 --hold 4000 </dev/null >"$front_out" 2>/dev/null &
  front_pid=$!
  _started_pids+=("$front_pid")
  for ((i = 0; i < 300; i++)); do grep -q shown "$front_out" 2>/dev/null && break; sleep 0.02; done
  shown=$(date +%s%N)
  report=0
  for ((i = 0; i < 50; i++)); do
    [ -n "$(find_window "$REPORT")" ] && report=1
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  ended_ms=$((($(date +%s%N) - shown) / 1000000))
  echo "saver gone ${ended_ms} ms after the other window came to the front"
  if kill -0 "$pid" 2>/dev/null; then fail "a window in front ends the saver"; else pass "a window in front ends the saver"; fi
  check_eq "no report over the desktop" "$report" 0
  check_eq "the user coming back is no fault: no ErLog.txt" "$(log_lines "$log")" "no file"
  check_eq "display size is back" "$(screen_size)" "$size_before"
  scr_kill "$front_pid"
else
  fail "the saver starts"
fi
scr_kill "$pid"

# --- No DirectDraw (a remote session): the battle runs through GDI, one note in the log ------
program=$(placed noddraw "$BRACKMER_WINDOWS_BUILD_DIR/fault-noddraw/BrackmerSaver.scr")
log=$(dirname "$program")/ErLog.txt
note="DirectDrawCreateEx failed: DDERR_NODIRECTDRAWHW (0x88760233)"
for start in 1 2; do
  "$WINE" "$program" /s </dev/null >/dev/null 2>&1 &
  pid=$!
  _started_pids+=("$pid")
  if win=$(wait_window "$MAIN" 30); then
    sleep 1.5
    screenshot "$E2E_OUT/noddraw-$start-a.png"
    sleep 0.6
    screenshot "$E2E_OUT/noddraw-$start-b.png"
    if [ "$start" = 1 ]; then
      check_eq "without DirectDraw the primary shows the plain sea" \
        "$(pixel_at "$E2E_OUT/noddraw-1-a.png" 2 2)" "0,0,170"
      check "and the battle moves on it" \
        test "$(compare-im6.q16 -metric AE "$E2E_OUT/noddraw-1-a.png" "$E2E_OUT/noddraw-1-b.png" null: 2>&1)" != 0
      stamp=$(stat -c %Y.%s "$log" 2>/dev/null)
    fi
    wait_focus "$win" 5 >/dev/null
    xdotool key x
    check "a key ends the saver without DirectDraw (start $start)" wait_exit "$pid" 10
    xdotool keyup x
  else
    fail "the saver starts without DirectDraw (start $start)"
  fi
  scr_kill "$pid"
done
check_eq "the log names the failed call" "$(tr -d '\r' <"$log" 2>/dev/null)" "$note"
check_eq "the second start left the log as it was" "$(stat -c %Y.%s "$log" 2>/dev/null)" "$stamp"
check_eq "display size is back" "$(screen_size)" "$size_before"

# --- A close request while the saver sets up: a clean end, no report, no log -----------------
program=$(placed close "$SCR")
log=$(dirname "$program")/ErLog.txt
close_out=$E2E_OUT/close-window.txt
"$WINE" "$BRACKMER_WINDOWS_BUILD_DIR/tests/battle/close_window.exe" "$MAIN" </dev/null >"$close_out" 2>/dev/null &
closer=$!
_started_pids+=("$closer")
sleep 0.3
run_watched "$program" 30
wait "$closer" 2>/dev/null
check_eq "the close request reached the window" "$(tr -d '\r' <"$close_out")" "posted"
check_eq "a close request during the set-up ends the saver" "$ended" 1
check_eq "and shows no report" "$report" 0
check_eq "and writes no log" "$(log_lines "$log")" "no file"
check_eq "display size is back" "$(screen_size)" "$size_before"

# --- Two "/s" at once, twenty times: one saver each time -----------------------------------
program=$(placed twice "$SCR")
log=$(dirname "$program")/ErLog.txt
single=0
for ((round = 1; round <= 20; round++)); do
  "$WINE" "$program" /s </dev/null >/dev/null 2>&1 &
  a=$!
  "$WINE" "$program" /s </dev/null >/dev/null 2>&1 &
  b=$!
  _started_pids+=("$a" "$b")
  win=$(wait_window "$MAIN" 30)
  alive=2
  for ((i = 0; i < 100; i++)); do
    alive=0
    kill -0 "$a" 2>/dev/null && alive=$((alive + 1))
    kill -0 "$b" 2>/dev/null && alive=$((alive + 1))
    [ "$alive" -le 1 ] && break
    sleep 0.1
  done
  sleep 0.5  # a loser that had taken the display would show it by now
  windows=$(find_window "$MAIN" | wc -l)
  if [ "$alive" -eq 1 ] && [ "$windows" -eq 1 ] && [ -z "$(find_window "$REPORT")" ]; then
    single=$((single + 1))
  else
    echo "round $round: $alive processes, $windows saver windows, report '$(find_window "$REPORT")'"
  fi
  [ -n "$win" ] && wait_focus "$win" 5 >/dev/null
  xdotool key x
  wait_exit "$a" 10; wait_exit "$b" 10
  scr_kill "$a"; scr_kill "$b"
done
check_eq "two starts at once leave exactly one saver (rounds of 20)" "$single" 20
check_eq "no ErLog.txt from the double starts" "$(log_lines "$log")" "no file"

# --- The program's folder cannot be written: the log goes to the user's folder --------------
program=$(placed readonly "$BRACKMER_WINDOWS_BUILD_DIR/fault/BrackmerSaver.scr")
dir=$(dirname "$program")
# A folder in the way of the file refuses the write even to root; the folder is read-only
# for everyone else as well.
mkdir "$dir/ErLog.txt"
chmod a-w "$dir"
user_logs() { ls "$WINEPREFIX"/drive_c/users/*/AppData/Local/BrackmerSaver/ErLog.txt 2>/dev/null; }
for f in $(user_logs); do rm -f "$f"; done
run_watched "$program" 30
chmod u+w "$dir"
user_log=$(user_logs | head -n 1)
check_eq "an unwritable folder still ends the saver" "$ended" 1
check_eq "an unwritable folder shows no report" "$report" 0
check "the log lands in %LOCALAPPDATA%\\BrackmerSaver" test -n "$user_log"
check_eq "it holds the error's line" "$(tr -d '\r' <"$user_log" 2>/dev/null)" "Overflow"
check "nothing was written beside the program" test -d "$dir/ErLog.txt"
for f in $(user_logs); do rm -f "$f"; done

# --- A failure in the set-up with the display taken: a report one can read -----------------
program=$(placed setup "$BRACKMER_WINDOWS_BUILD_DIR/fault-setup/BrackmerSaver.scr")
"$WINE" "$program" /s </dev/null >/dev/null 2>&1 &
pid=$!
_started_pids+=("$pid")
if box=$(wait_window "$REPORT" 30); then
  sleep 1
  shot=$E2E_OUT/setup-report.png
  screenshot "$shot"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  # The box's face is light; black would mean it is covered or not painted.
  face=$(convert-im6.q16 "$shot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -colorspace Gray -format '%[fx:int(255*mean)]' info:)
  check "the report is painted (mean grey $face of 255)" test "$face" -gt 120
  check_eq "the saver's window no longer covers it" "$(xdotool search --onlyvisible --name "^$MAIN\$" 2>/dev/null)" ""
  check_eq "the report has the keyboard" "$(xdotool getwindowfocus 2>/dev/null)" "$box"
  check_eq "display size is back under the report" "$(screen_size)" "$size_before"
  xdotool key Return
  check "the report's OK ends the program" wait_exit "$pid" 10
  xdotool keyup Return
else
  fail "a set-up failure shows the report"
fi
scr_kill "$pid"

reg_clear
finish
