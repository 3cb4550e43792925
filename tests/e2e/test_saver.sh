#!/usr/bin/env bash
# The saver full screen under Wine's DirectDraw: the plain sea and the desktop snapshot on
# screen with ships on them, every exit (key, click, cursor jump) with the display given
# back, and the tick's error path writing ErLog.txt.
source "$(dirname "$0")/lib.sh"

MAIN='Main -- Brackmer Saver'
sea_count() { convert-im6.q16 "$1" -fill black +opaque 'rgb(0,0,170)' -fill white -opaque 'rgb(0,0,170)' -format '%[fx:int(mean*w*h)]' info:; }
screen_size() { xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ { print $2 }'; }
size_before=$(screen_size)

# start_saver [program]: starts "/s" and waits for its window and its first frames.
start_saver() {
  "$WINE" "${1:-$SCR}" /s </dev/null >/dev/null 2>&1 &
  LAST_PID=$!
  _started_pids+=("$LAST_PID")
  SAVER_WIN=$(wait_window "$MAIN" 30) || return 1
  sleep 1.5
}

# --- Plain sea: sea colour everywhere but under the ships, and ships on it.
reg_clear
reg_set Setting BackGround 1
xdotool mousemove 400 300
if start_saver; then pass "'/s' shows the saver window"; else fail "'/s' shows the saver window"; fi
pid=$LAST_PID
# The first frames can be late on a busy machine: look again for a few seconds.
for _ in 1 2 3 4 5 6; do
  screenshot "$E2E_OUT/saver-sea.png"
  total=$(convert-im6.q16 "$E2E_OUT/saver-sea.png" -format '%[fx:w*h]' info:)
  sea=$(sea_count "$E2E_OUT/saver-sea.png")
  [ "$sea" -gt $((total * 80 / 100)) ] && break
  sleep 0.5
done
check "most of the screen is the sea colour (0,0,170) ($sea of $total)" test "$sea" -gt $((total * 80 / 100))
check "ships are drawn on the sea ($((total - sea)) other pixels)" test $((total - sea)) -gt 5000
check_eq "screen keeps its size" "$(screen_size)" "$size_before"

# --- A jump of exactly 150 pixels between two ticks does not end it; 151 does.
xdotool mousemove_relative -- 150 0
sleep 1
check "a 150-pixel jump keeps the saver running" kill -0 "$pid"
xdotool mousemove_relative -- 0 150
sleep 1
check "a 150-pixel vertical jump keeps it running" kill -0 "$pid"
xdotool mousemove_relative -- 40 40; sleep 0.5; xdotool mousemove_relative -- 40 40; sleep 0.5
check "slow movement keeps it running" kill -0 "$pid"
xdotool mousemove_relative -- -151 0
check "a 151-pixel jump ends the saver" wait_exit "$pid" 10
check_eq "no saver window left" "$(find_window "$MAIN")" ""
check_eq "display size is back" "$(screen_size)" "$size_before"

# --- Any key ends it.
start_saver && pid=$LAST_PID
wait_focus "$SAVER_WIN" 5
xdotool key x
check "a key ends the saver" wait_exit "$pid" 10

# --- Any mouse button ends it.
start_saver && pid=$LAST_PID
xdotool click 3
check "a right click ends the saver" wait_exit "$pid" 10

# --- The desktop background: the screen as it was at start. The settings dialog, blue
# RGB(0, 0, 192), is on the desktop when the saver starts and must show in its frames.
reg_set Setting BackGround 0
scr_start /c
dialog_pid=$LAST_PID
dialog=$(wait_window 'Brackmer Saver設定' 30)
eval "$(xdotool getwindowgeometry --shell "$dialog")"
cx=$((X + WIDTH / 2)); cy=$((Y + HEIGHT - 8))
wait_focus "$dialog" 10
sleep 1  # mapped is not yet painted
screenshot "$E2E_OUT/desktop-before.png"
before=$(pixel_at "$E2E_OUT/desktop-before.png" "$((X + 8))" "$cy")
start_saver && pid=$LAST_PID
wait_focus "$SAVER_WIN" 5
screenshot "$E2E_OUT/saver-desktop.png"
check_eq "the saver's background shows the desktop as it was" \
  "$(pixel_at "$E2E_OUT/saver-desktop.png" "$((X + 8))" "$cy")" "$before"
check "no sea fill with the desktop background" test "$(sea_count "$E2E_OUT/saver-desktop.png")" -lt 1000
xdotool key Escape
check "Escape ends the saver" wait_exit "$pid" 10
scr_kill "$pid"
scr_kill "$dialog_pid"

# --- A run-time error in a tick: one line in ErLog.txt beside the program, then the end.
fault_scr="$BRACKMER_WINDOWS_BUILD_DIR/fault/BrackmerSaver.scr"
rm -f "$(dirname "$fault_scr")/ErLog.txt"
reg_set Setting BackGround 1
if start_saver "$fault_scr"; then pass "the faulty saver starts"; else fail "the faulty saver starts"; fi
pid=$LAST_PID
check "a tick error ends the saver" wait_exit "$pid" 20
log="$(dirname "$fault_scr")/ErLog.txt"
check "ErLog.txt is written beside the program" test -f "$log"
check_eq "ErLog.txt holds one line" "$(wc -l <"$log" | tr -d ' ')" 1
check_eq "the line is the error's description" "$(tr -d '\r' <"$log")" "Overflow"
check_eq "display size is back after the error" "$(screen_size)" "$size_before"

reg_clear
finish
