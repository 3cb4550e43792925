#!/usr/bin/env bash
# The saver on two monitors (X.Org with the dummy driver: a 1024x768 primary and an 800x600
# monitor to its right), in a session of its own since Xvfb shows Wine only one monitor:
# the second monitor is covered and plays a battle of its own on the chosen background, the
# cursor is free over both monitors, and a key (while another window has the focus), a
# click there, a cursor jump onto it or there and a monitor switched off all end the saver
# and give the display back, leaving the monitor layout as the user last set it.
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
: "${BRACKMER_WINE_DIR:?run through ctest, or export BRACKMER_WINE_DIR}"
BRACKMER_WINE_DIR="${BRACKMER_WINE_DIR%/}-two-monitors"
export BRACKMER_WINE_DIR
"$root/scripts/wine-session.sh" start "$BRACKMER_WINE_DIR" 1024x768+800x600 >/dev/null ||
  { echo "FAIL: no two-monitor X.Org session"; exit 1; }
source "$here/lib.sh"
trap 'e2e_cleanup; "$root/scripts/wine-session.sh" stop "$BRACKMER_WINE_DIR"' EXIT

MAIN='Main -- Brackmer Saver'
MONITOR='Monitor -- Brackmer Saver'
COLOUR_EXE="$BRACKMER_WINDOWS_BUILD_DIR/tests/battle/colour_window.exe"
GREEN='#20C040'
SEA='#0000AA'
SECOND='800x600+1024+0'          # the second monitor's rectangle in the screenshots
UNDER_WINDOW='600x400+1124+100'  # where the green window stands on it
size_before=$(xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ { print $2 }')

# count PNG GEOMETRY #RRGGBB: pixels of exactly that colour inside the rectangle.
count() {
  convert-im6.q16 "$1" -crop "$2" +repage -alpha off -format %c histogram:info:- |
    awk -v c="$3" 'toupper($3) == c { n = $1 + 0 } END { print n + 0 }'
}
# differing PNG PNG GEOMETRY: pixels that differ inside the rectangle.
differing() {
  convert-im6.q16 \( "$1" -crop "$3" +repage \) \( "$2" -crop "$3" +repage \) -compose difference -composite \
    -threshold 0 -format '%[fx:int(mean*w*h)]' info:
}
display_given_back() {
  [ "$(xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ { print $2 }')" == "$size_before" ] &&
    xrandr -display "$DISPLAY" --listmonitors | grep -q '^Monitors: 2'
}
no_saver_window() { [ -z "$(find_window "$MAIN")$(find_window "$MONITOR")" ]; }

# The user's own program: a green window on the second monitor with the keyboard focus.
"$WINE" "$COLOUR_EXE" 'Colour -- test' 1124 100 600 400 20C040 </dev/null >/dev/null 2>&1 &
colour_pid=$!
_started_pids+=("$colour_pid")
colour=$(wait_window 'Colour -- test' 30) || { fail "the green window shows"; finish; }
wait_focus "$colour" 10
screenshot "$E2E_OUT/two-before.png"
check "the green window shows on the second monitor" \
  test "$(count "$E2E_OUT/two-before.png" "$UNDER_WINDOW" "$GREEN")" -eq 240000

# start_saver X Y: puts the cursor there first (a move after the start would be a jump),
# starts "/s" and waits for both windows and the first frames.
start_saver() {
  xdotool mousemove "$1" "$2"
  "$WINE" "$SCR" /s </dev/null >/dev/null 2>&1 &
  LAST_PID=$!
  _started_pids+=("$LAST_PID")
  wait_window "$MAIN" 30 >/dev/null && wait_window "$MONITOR" 10 >/dev/null || return 1
  sleep 1.5
}
# ends_saver WHAT PID: the saver has ended, closed every window and given the display back.
ends_saver() {
  check "$1 ends the saver" wait_exit "$2" 10
  check "no saver window is left after $1" no_saver_window
  check "the display is given back after $1" display_given_back
}

# --- Plain sea: the second monitor is covered by a battle of its own, which moves.
reg_clear
reg_set Setting BackGround 1
if start_saver 1400 300; then pass "'/s' shows a window on each monitor"; else fail "'/s' shows a window on each monitor"; fi
pid=$LAST_PID
eval "$(xdotool getwindowgeometry --shell "$(find_window "$MONITOR" | head -n 1)")"
check_eq "the second monitor's window covers exactly that monitor" "${WIDTH}x${HEIGHT}+${X}+${Y}" "$SECOND"
screenshot "$E2E_OUT/two-sea-1.png"
sleep 1
screenshot "$E2E_OUT/two-sea-2.png"
check_eq "the green window is covered" "$(count "$E2E_OUT/two-sea-1.png" "$UNDER_WINDOW" "$GREEN")" 0
sea=$(count "$E2E_OUT/two-sea-1.png" "$SECOND" "$SEA")
check "the second monitor shows the sea ($sea of 480000)" test "$sea" -gt 384000
check "ships sail on the second monitor ($((480000 - sea)) other pixels)" test $((480000 - sea)) -gt 2000
check "the primary shows its own sea" test "$(count "$E2E_OUT/two-sea-1.png" 1024x768+0+0 "$SEA")" -gt 600000
changed=$(differing "$E2E_OUT/two-sea-1.png" "$E2E_OUT/two-sea-2.png" "$SECOND")
check "the second monitor's picture changes within a second ($changed pixels)" test "$changed" -gt 500

# --- A key ends it, although the green window kept the keyboard focus.
focus=$(xdotool getwindowfocus 2>/dev/null)
echo "info: X keyboard focus is $( [ "$focus" == "$colour" ] && echo 'still the green window' || echo "window $focus")"
xdotool key x
ends_saver "a key" "$pid"
xdotool keyup x

# --- The cursor is free over both monitors: one resting on the second stays there (and a
# click there lands there), one moved well onto it from the primary is a jump.
start_saver 1400 300 && pid=$LAST_PID
check_eq "a pointer resting on the second monitor stays there" "$(xdotool getmouselocation | cut -d' ' -f1-2)" "x:1400 y:300"
xdotool click 1
ends_saver "a click on the second monitor" "$pid"
start_saver 900 300 && pid=$LAST_PID
xdotool mousemove 1500 300
ends_saver "a move from the primary well onto the second monitor" "$pid"

# --- The cursor rule on the second monitor: 100 pixels between two ticks keep it running,
# a jump of 200 ends it.
start_saver 1300 300 && pid=$LAST_PID
xdotool mousemove 1400 300
sleep 1
check "a 100-pixel move on the second monitor keeps it running" kill -0 "$pid"
xdotool mousemove 1400 500
ends_saver "a 200-pixel jump on the second monitor" "$pid"

# --- The desktop background: the green window, as it was, is the second monitor's sea.
reg_set Setting BackGround 0
start_saver 1400 300 && pid=$LAST_PID
screenshot "$E2E_OUT/two-desktop.png"
green=$(count "$E2E_OUT/two-desktop.png" "$UNDER_WINDOW" "$GREEN")
check "the green window shows in the second monitor's sea ($green of 240000)" test "$green" -gt 160000
other=$((480000 - $(count "$E2E_OUT/two-desktop.png" "$SECOND" "$GREEN") - $(count "$E2E_OUT/two-desktop.png" "$SECOND" "#000000")))
check "ships sail on that desktop ($other pixels neither green nor black)" test "$other" -gt 2000
xdotool key Escape
ends_saver "Escape" "$pid"
xdotool keyup Escape

# --- On a desktop of its own, as Windows runs a saver that locks the session, the green
# window is not the user's desktop: the wallpaper spans both monitors as one picture, red up
# to x 1024 and blue beyond, with no ships over it.
span="$E2E_OUT/span.bmp"
convert-im6.q16 -size 128x96 xc:'#FF0000' -size 100x96 xc:'#0000FF' +append -type TrueColor "BMP3:$span"
desktop_set() { "$WINE" reg add 'HKCU\Control Panel\Desktop' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
desktop_set Wallpaper "Z:${span//\//\\}"; desktop_set WallpaperStyle 22
reg_set Setting BackGround 0; reg_set Setting RedCount 0; reg_set Setting BlueCount 0
xdotool mousemove 1400 300
"$WINE" "$BRACKMER_WINDOWS_BUILD_DIR/tests/desktop/run_on_desktop.exe" "$SCR" /s </dev/null >/dev/null 2>&1 &
pid=$!
_started_pids+=("$pid")
wait_window "$MONITOR" 30 >/dev/null && sleep 1.5
# A picture read late shows on a later frame: up to 30 s for both monitors to have it.
for ((i = 0; i < 100; i++)); do
  screenshot "$E2E_OUT/two-span.png"
  [ "$(count "$E2E_OUT/two-span.png" "$SECOND" '#0000FF')" = 480000 ] &&
    [ "$(count "$E2E_OUT/two-span.png" 1024x768+0+0 '#FF0000')" = 786432 ] && break
  sleep 0.3
done
check_eq "the primary shows the spanned picture's left part" "$(count "$E2E_OUT/two-span.png" 1024x768+0+0 '#FF0000')" 786432
check_eq "the second monitor shows its right part" "$(count "$E2E_OUT/two-span.png" "$SECOND" '#0000FF')" 480000
xdotool click 1
ends_saver "a click on the saver's own desktop" "$pid"
desktop_set Wallpaper ''
reg_clear

# --- A monitor switched off while it runs ends it like the user would, without an error.
rm -f "$(dirname "$SCR")/ErLog.txt"
reg_set Setting BackGround 1
start_saver 1400 300 && pid=$LAST_PID
xrandr -display "$DISPLAY" --output DUMMY1 --off
check "a monitor switched off ends the saver" wait_exit "$pid" 10
check "no saver window is left after the display change" no_saver_window
check "no error log after the display change" test ! -e "$(dirname "$SCR")/ErLog.txt"
# The layout the user left is kept, also once a put-back of an older one would have come
# (Wine's comes within about 0.3 s of the end), and by a run started after the change.
one_monitor_stays() {
  sleep 1.5
  xrandr -display "$DISPLAY" --listmonitors | grep -q '^Monitors: 1'
}
check "the monitor switched off during the run stays off" one_monitor_stays
xdotool mousemove 500 300
"$WINE" "$SCR" /s </dev/null >/dev/null 2>&1 &
pid=$!
_started_pids+=("$pid")
wait_window "$MAIN" 30 >/dev/null && sleep 1.5
xdotool key x
check "a key ends a run started on one monitor" wait_exit "$pid" 10
xdotool keyup x
check "the monitor switched off before the run stays off" one_monitor_stays
xrandr -display "$DISPLAY" --output DUMMY1 --mode 800x600 --right-of DUMMY0 2>/dev/null

scr_kill "$colour_pid"
reg_clear
finish
