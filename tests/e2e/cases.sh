#!/usr/bin/env bash
# The end-to-end cases of the real .scr as a table, one row per run: the start-up switches,
# the saver and its endings, high-DPI ships, the desktop background and wallpaper, the error
# paths of the fault builds, the settings dialog, the preview, and two monitors (rows two-*).
# `cases.sh [NAME...]` runs the named rows (all of its session without names); ctest runs
# one row per test, e2e_NAME. The functions below are the rows' own set-ups and checks.
source "$(dirname "$0")/lib.sh"

RED=255,0,0 GREEN=0,255,0 YELLOW=255,255,0 MAGENTA=255,0,255 COLOUR=10,20,30
PREVIEW_SEA=4,2,148
stop_helpers() { local pid; for pid in "${HELPERS[@]}"; do stop_pid "$pid"; done; HELPERS=(); }

# +other_window:X:Y:W:H:RRGGBB: another program's window, with the keyboard focus.
other_window() {
  launch "$(program colour_window)" 'Colour -- test' "$@"
  HELPERS+=("$LAST_PID")
  OTHER=$(wait_window 'Colour -- test' 30) && need "the other window has the focus" wait_focus "$OTHER" 10 && sleep 1
}

# --- The saver on one monitor ------------------------------------------------------------
# Most of the screen is the sea and ships are on it; the first frames may be late.
sea_and_ships() {
  local total sea
  for _ in 1 2 3 4 5 6; do
    screenshot "$SHOT"
    total=$(convert-im6.q16 "$SHOT" -format '%[fx:w*h]' info:)
    sea=$(colour_count "$SHOT" "$SEA")
    [ "$sea" -gt $((total * 80 / 100)) ] && [ $((total - sea)) -gt 5000 ] && break
    sleep 0.5
  done
  check "most of the screen is the sea ($sea of $total)" test "$sea" -gt $((total * 80 / 100))
  check "ships are drawn on the sea ($((total - sea)) other pixels)" test $((total - sea)) -gt 5000
  check_eq "the screen keeps its size" "$(screen_size)" "$SIZE_BEFORE"
}
# +snapshot_dialog: the settings dialog, blue RGB(0, 0, 192), on the desktop as it starts.
snapshot_dialog() {
  launch "$SCR" /c
  HELPERS+=("$LAST_PID")
  local dialog
  need "the dialog shows" eval 'dialog=$(wait_window "$DIALOG" 30)' || return
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  SNAP_X=$((X + 8)) SNAP_Y=$((Y + HEIGHT - 8))
  wait_focus "$dialog" 10
  sleep 1  # mapped is not yet painted
  screenshot "$E2E_OUT/$CASE-before.png"
  SNAP_BEFORE=$(pixel_at "$E2E_OUT/$CASE-before.png" "$SNAP_X" "$SNAP_Y")
}
snapshot_shown() {
  screenshot "$SHOT"
  check_eq "the background shows the desktop as it was" "$(pixel_at "$SHOT" "$SNAP_X" "$SNAP_Y")" "$SNAP_BEFORE"
  check "no sea fill with the desktop background" test "$(colour_count "$SHOT" "$SEA")" -lt 1000
}
# One red ship and no enemy keeps its place and its side view for ever: the pixels that are
# not sea are that one drawing, enlarged by whole steps of 96 dpi.
ship_box() {
  local box=0x0
  for ((i = 0; i < 40; i++)); do
    sleep 0.25
    screenshot "$SHOT"
    box=$(other_box "$SHOT" "$SEA" 2>/dev/null)
    [ "$box" != 0x0 ] && break
  done
  check_eq "one ship measures $1" "$box" "$1"
}
regsz() { check_eq "the version record is REG_SZ" "$(reg_read "$SETTINGS_KEY\\UpdateInfo" CurrentVersion | head -n 1)" REG_SZ; }

# --- Wallpaper -----------------------------------------------------------------------------
# +wallpaper:KIND:STYLE:TILE: a 64 x 48 picture in quadrants, red green over yellow magenta,
# as a BMP, a PNG (only the system's imaging component reads it) or junk, on colour 10 20 30.
wallpaper() {
  local wall=$E2E_OUT/wallpaper.$1
  convert-im6.q16 \( -size 32x24 xc:'#FF0000' xc:'#00FF00' +append \) \
    \( -size 32x24 xc:'#FFFF00' xc:'#FF00FF' +append \) -append -type TrueColor "BMP3:$E2E_OUT/wallpaper.bmp"
  case $1 in png) convert-im6.q16 "$E2E_OUT/wallpaper.bmp" "$wall" ;; junk) printf 'BM junk' >"$wall" ;; esac
  put 'Control Panel\Desktop' Wallpaper REG_SZ "$(winpath "$wall")"
  put 'Control Panel\Desktop' WallpaperStyle REG_SZ "$2"
  put 'Control Panel\Desktop' TileWallpaper REG_SZ "$3"
  # Wine copies system colours into a volatile key the first time a process reads them and
  # serves later processes from there: the colour goes to both, as a changed setting would.
  put 'Control Panel\Colors' Background REG_SZ '10 20 30'
  put 'Software\Wine\Temporary System Parameters\Control Panel\Colors' Background REG_SZ '10 20 30'
}
# +wall_source:ORIGINAL:TRANSCODED:CACHED: the quadrants set as the wallpaper (stretched),
# where ORIGINAL is "gone" (a file that is not there), "share" (a network path) or "none"
# (a plain colour chosen), with Windows' own copies: TRANSCODED (quadrants or none) and the
# picture cached for a 1024 x 768 monitor, CACHED (green or none). Windows' copies are JPEG
# files, often without an extension: the content decides.
wall_source() {
  wallpaper bmp 2 0
  local original=
  case $1 in
    gone) original=$(winpath "$E2E_OUT/gone.png") ;;
    share) original='\\wallpaper-server.invalid\wallpapers\company.jpg' ;;
  esac
  put 'Control Panel\Desktop' Wallpaper REG_SZ "$original"
  local themes; themes="$(compgen -G "$WINEPREFIX/drive_c/users/*/AppData/Roaming" | head -n 1)/Microsoft/Windows/Themes"
  rm -rf "$themes"; mkdir -p "$themes/CachedFiles"
  undo rm -rf "$themes"
  [ "$2" = quadrants ] && cp "$E2E_OUT/wallpaper.bmp" "$themes/TranscodedWallpaper"
  [ "$3" = green ] && convert-im6.q16 -size 64x48 xc:'#00FF00' -type TrueColor "BMP3:$themes/CachedFiles/CachedImage_1024_768_POS2.jpg"
  return 0
}
# +huge_wallpaper: 8000 x 8000, its top-left quarter 204,51,0 and the rest 51,102,153,
# stretched; it takes seconds to read under Wine.
huge_wallpaper() {
  wallpaper bmp 2 0
  HUGE=$E2E_OUT/huge.png
  [ -s "$HUGE" ] || convert-im6.q16 -size 8000x8000 xc:'#336699' -fill '#CC3300' -draw 'rectangle 0,0 3999,3999' \
    -type TrueColor "PNG24:$HUGE"
  put 'Control Panel\Desktop' Wallpaper REG_SZ "$(winpath "$HUGE")"
}
# The saver starts at once and the picture shows when it has been read: the top-left pixel
# every 0.3 s from the window's showing, black (before the first paint) left out and
# repeats folded, is the desktop colour until the picture replaces it (a quicker machine may
# have read it before the first frame).
colour_then_picture() {
  local seen= at i
  wait_window "$MAIN" 30 >/dev/null
  for ((i = 0; i < 200; i++)); do
    screenshot "$SHOT"
    at=$(pixel_at "$SHOT" 0 0)
    [ "$at" != 0,0,0 ] && [ "${seen##* }" != "$at" ] && seen="$seen $at"
    [ "$at" = 204,51,0 ] && break
    sleep 0.3
  done
  check "the colour, then the picture (seen:$seen)" test "${seen# $COLOUR}" = " 204,51,0"
}

# --- Error paths -----------------------------------------------------------------------------
# Without DirectDraw the battle runs through GDI on the plain sea, with one note in the log
# that a second start leaves as it was.
gdi_battle() {
  screenshot "$E2E_OUT/$CASE-a.png"; sleep 0.6; screenshot "$SHOT"
  check_eq "the primary shows the plain sea" "$(pixel_at "$SHOT" 2 2)" "0,0,170"
  check "the battle moves on it" test "$(differing "$E2E_OUT/$CASE-a.png" "$SHOT" "$(screen_size)+0+0")" -gt 0
}
gdi_note_once() {
  expect_log "DirectDrawCreateEx failed: DDERR_NODIRECTDRAWHW (0x88760233)"
  local stamp; stamp=$(stat -c %Y.%s "$LOG" 2>/dev/null)
  launch "$PROGRAM" /s
  PID=$LAST_PID
  step_show && step_focus && press x
  expect_ended
  check_eq "the second start leaves the log as it was" "$(stat -c %Y.%s "$LOG" 2>/dev/null)" "$stamp"
}
# +closer: a close request posted to the saver's window while it sets up.
closer() {
  LAUNCH_OUT=$E2E_OUT/$CASE.closer launch "$(program close_window)" "$MAIN"
  HELPERS+=("$LAST_PID")
  sleep 0.3
}
close_posted() { wait "${HELPERS[0]}" 2>/dev/null; check_eq "the close request reached the window" "$(tr -d '\r' <"$E2E_OUT/$CASE.closer")" posted; }
# +unwritable_folder: a folder in the way of the log refuses the write even to root; the
# program's folder is read-only for everyone else as well.
unwritable_folder() {
  local dir; dir=$(dirname "$PROGRAM")
  mkdir "$LOG"; chmod a-w "$dir"
  undo chmod u+w "$dir"
}
log_in_user_folder() {
  local log; log=$(compgen -G "$WINEPREFIX/drive_c/users/*/AppData/Local/BrackmerSaver/ErLog.txt" | head -n 1)
  check "the log lands in %LOCALAPPDATA%\\BrackmerSaver" test -n "$log"
  check_eq "it holds the error's line" "$(tr -d '\r' <"$log" 2>/dev/null)" Overflow
  check "nothing was written beside the program" test -d "$LOG"
}
# A failure in the set-up with the display taken: a report one can read, over the desktop.
report_readable() {
  sleep 1
  screenshot "$SHOT"
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  # The box's face is light; black would mean it is covered or not painted.
  local face; face=$(convert-im6.q16 "$SHOT" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -colorspace Gray -format '%[fx:int(255*mean)]' info:)
  check "the report is painted (mean grey $face of 255)" test "$face" -gt 120
  check_eq "the saver's window no longer covers it" "$(xdotool search --onlyvisible --name "^$MAIN\$" 2>/dev/null)" ""
  check_eq "the report has the keyboard" "$(xdotool getwindowfocus 2>/dev/null)" "$WIN"
  expect_display
}

# --- The settings dialog, read by dialog_inspector.exe ---------------------------------------
# Control ids from the header the dialog's template and code use; OK and Cancel are IDOK
# and IDCANCEL.
IDS_HEADER=$(dirname "$0")/../../src/settings/config_dialog_ids.h
id_of() { awk -v n="$1" '$1 == "#define" && $2 == n { print $3 }' "$IDS_HEADER"; }
RED_BOX=$(id_of IDC_TXT_RED_NUM) BLUE_BOX=$(id_of IDC_TXT_BLUE_NUM) UPD_R=$(id_of IDC_UPD_R) UPD_B=$(id_of IDC_UPD_B)
OPT_DESKTOP=$(id_of IDC_OPT_BG0) OPT_BLUE=$(id_of IDC_OPT_BG1) LABVER=$(id_of IDC_LAB_VER) OK=1 CANCEL=2
INSPECTED=$E2E_OUT/dialog.txt
# The inspector may find the dialog mid-repaint on a busy machine and list nothing: asked
# again then.
inspect() {
  local try
  for try in 1 2 3; do
    "$WINE" "$(program dialog_inspector)" --wait 20 2>/dev/null | tr -d '\r' >"$INSPECTED"
    grep -q '^id=' "$INSPECTED" && return 0
    sleep 0.3
  done
}
# field ID NAME: one field of a control's line; text ID: the control's text.
field() { grep "^id=$1 " "$INSPECTED" | tr ' ' '\n' | sed -n "s/^$2=//p" | head -n 1; }
text() { sed -n "s/^id=$1 .* text=//p" "$INSPECTED"; }
window_field() { sed -n 's/^window //p' "$INSPECTED" | sed 's/ title=.*//' | tr ' ' '\n' | sed -n "s/^$1=//p"; }
focused() { grep ' focus=1 ' "$INSPECTED" | sed 's/^id=\([0-9]*\) .*/\1/'; }
# Replaces the text of the focused count box.
retype() { xdotool key --delay 30 End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace; [ -z "${1:-}" ] || xdotool type --delay 40 -- "$1"; }
# click_control ID [up|down]: a mouse click in the middle (or the upper/lower quarter).
click_control() {
  local sx sy w h y
  sx=$(field "$1" sx) sy=$(field "$1" sy) w=$(field "$1" w) h=$(field "$1" h)
  case "${2:-}" in up) y=$((sy + h / 4)) ;; down) y=$((sy + 3 * h / 4)) ;; *) y=$((sy + h / 2)) ;; esac
  xdotool mousemove "$((sx + w / 2))" "$y" click 1
}
# white_in X Y W H: white pixels in that part of the screenshot, from the dialog's origin.
white_in() { colour_count "$SHOT" white "$3x$4+$((ox + $1))+$((oy + $2))" 8; }

dialog_defaults() {
  inspect
  check_eq "window title" "$(sed -n 's/^window .* title=//p' "$INSPECTED")" "$DIALOG"
  check_eq "client area at 96 dpi" "$(window_field client)" "280x212"
  check_eq "counts shown" "$(text "$RED_BOX") $(text "$BLUE_BOX")" "5 5"
  check_eq "デスクトップ selected, ブルー単色 not" "$(field "$OPT_DESKTOP" checked) $(field "$OPT_BLUE" checked)" "1 0"
  check_eq "version label" "$(text "$LABVER")" "ver.1.00"
  check_eq "focus starts in the red box" "$(focused)" "$RED_BOX"
  IFS=, read -r ox oy <<<"$(window_field origin)"
  IFS=, read -r fx fy fw fh <<<"$(window_field frame)"
  screenshot "$SHOT"
  convert-im6.q16 "$SHOT" -crop "${fw}x${fh}+${fx}+${fy}" +repage "$E2E_OUT/config-dialog.png"
  # A dialog that took the focus while still hidden comes up with an inactive caption.
  check_eq "caption drawn active" "$(pixel_at "$SHOT" $((fx + fw - 60)) $((fy + 8)))" "50,150,250"
  check_eq "blue ground" "$(pixel_at "$SHOT" $((ox + 5)) $((oy + 100)))" "0,0,192"
  check_eq "red count box" "$(pixel_at "$SHOT" $((ox + 138)) $((oy + 72)))" "255,0,0"
  check_eq "blue count box" "$(pixel_at "$SHOT" $((ox + 212)) $((oy + 72)))" "0,0,255"
  check_eq "light frame interior" "$(pixel_at "$SHOT" $((ox + 46)) $((oy + 151)))" "192,192,255"
  check "white title text" test "$(white_in 10 7 155 24)" -gt 150
  check "white version text" test "$(white_in 173 10 98 22)" -gt 80
  check "white 艦数 label text" test "$(white_in 24 54 97 16)" -gt 60
}
# Leaving a box corrects it; Tab visits the controls in order; OK by mouse stores.
dialog_corrections() {
  for pair in "abc:2" "-1e9:2" "16:15" "7abc:7abc" "2.5:2.5"; do
    typed=${pair%%:*} want=${pair#*:}
    retype "$typed"
    inspect
    check_eq "red box takes '$typed' as typed" "$(text "$RED_BOX")" "$typed"
    xdotool key Tab
    inspect
    check_eq "red box '$typed' becomes '$want' on Tab, the focus goes on" "$(text "$RED_BOX") $(focused)" "$want $BLUE_BOX"
    xdotool key shift+Tab
  done
  xdotool key Tab
  retype "1e40"
  for want in $OPT_DESKTOP $OK $CANCEL $UPD_R $UPD_B $RED_BOX $BLUE_BOX; do
    xdotool key Tab
    inspect
    check_eq "Tab order reaches $want" "$(focused)" "$want"
  done
  check_eq "blue box '1e40' becomes 15" "$(text "$BLUE_BOX")" "15"
  retype "3.4"
  click_control "$OPT_BLUE"
  click_control "$OK"
}
stored_shown() {
  inspect
  check_eq "stored red count and ブルー単色 shown" "$(text "$RED_BOX") $(field "$OPT_BLUE" checked)" "7 1"
}
desktop_selected() { inspect; check_eq "arrow key selects デスクトップ" "$(field "$OPT_DESKTOP" checked)" 1; }
# Edits, then a way out that stores nothing.
leave_by() {
  retype 12; xdotool key Tab; retype 3
  inspect
  case $1 in click) click_control "$CANCEL" ;; *) press "$1" ;; esac
}
updown_steps() {
  retype 12
  xdotool key Tab Tab Tab Tab Tab Up
  inspect
  check_eq "Tab after Cancel reaches the red up-down; Up steps the typed count" "$(focused) $(text "$RED_BOX")" "$UPD_R 13"
}
# The up-down arrows step the boxes within 2..15.
arrows() {
  inspect
  for _ in 1 2 3 4; do click_control "$UPD_R" up; sleep 0.3; done
  for _ in 1 2 3 4; do click_control "$UPD_B" down; sleep 0.3; done
  inspect
  check_eq "the up-downs stop at 15 and 2" "$(text "$RED_BOX") $(text "$BLUE_BOX")" "15 2"
  click_control "$UPD_R" down; sleep 0.3
  inspect
  check_eq "red up-down steps down by one" "$(text "$RED_BOX")" "14"
}
dialog_120dpi() {
  inspect
  check_eq "dpi, client area and red box at 120 dpi" \
    "$(window_field dpi) $(window_field client) $(field "$RED_BOX" x),$(field "$RED_BOX" y),$(field "$RED_BOX" w)" "120 350x265 154,58,38"
  screenshot "$E2E_OUT/config-dialog-120dpi-full.png"
}
# hosted host|alone|edge: preview_host.exe plays the Screen Saver Settings window for
# "/c:HWND": the dialog is owned by it (no taskbar button of its own), keeps it disabled
# while open, opens centred over it (moved onto the work area near the screen's edge), and
# every way out enables it again. A junk handle leaves the host alone.
near_zero() { IFS=, read -r cx cy <<<"$1"; [ "${cx#-}" -le 1 ] && [ "${cy#-}" -le 1 ]; }  # odd sizes round
hosted() {
  local owned=1; [ "$1" == alone ] && owned=0
  check_eq "owner, host disabled, app window" \
    "$(host_value dialog_found) $(host_value owner_is_host) $(host_value host_disabled) $(host_value app_window)" "1 $owned $owned 0"
  case $1 in
    host) check "centred over the host" near_zero "$(host_value host_centre_offset)" ;;
    alone) check "centred on the screen" near_zero "$(host_value screen_centre_offset)" ;;
    edge) check_eq "moved onto the work area" "$(host_value dialog_origin | cut -d, -f1)" 0 ;;
  esac
  check_eq "ends, host enabled again" "$(host_value dialog_ended) $(host_value host_enabled)" "1 1"
}

# --- The preview, embedded by preview_host.exe or on its own ---------------------------------
embedded() {
  check_eq "preview child found, a child window, of the host" \
    "$(host_value child_found) $(host_value child_style) $(host_value parent_is_host)" "1 child 1"
  check_eq "at the host's client origin, client area, shown" \
    "$(host_value position) $(host_value client) $(host_value visible)" "0,0 ${1:-155x114} 1"
}
preview_ended() { check "the preview ended" grep -q '^preview_ended=[0-9]*ms' "$OUT"; }
# Wine 8 does not paint a child window whose parent belongs to another process, so the
# picture is looked at with the preview code running in the host's own process.
preview_picture() {
  for ((i = 0; i < 400; i++)); do grep -q '^ready=' "$OUT" 2>/dev/null && break; sleep 0.1; done
  sleep 0.5
  screenshot "$SHOT"
  IFS=, read -r ox oy <<<"$(host_value host_client_origin)"
  check_eq "the picture's sea at the host's client origin" "$(pixel_at "$SHOT" $((ox + 2)) $((oy + 2)))" "$PREVIEW_SEA"
  # The host window with its caption, for the README.
  convert-im6.q16 "$SHOT" -crop "$((155 + 16))x$((114 + 40))+$((ox - 8))+$((oy - 32))" +repage "$E2E_OUT/preview.png"
}

# --- Two monitors: a 1024x768 primary and an 800x600 monitor to its right --------------------
SECOND='800x600+1024+0'          # the second monitor's rectangle in the screenshots
UNDER_WINDOW='600x400+1124+100'  # where the green window stands on it
# +green_window: the user's own program on the second monitor, with the keyboard focus.
green_window() {
  other_window 1124 100 600 400 20C040
  screenshot "$E2E_OUT/$CASE-before.png"
  need "the green window shows on the second monitor" \
    test "$(colour_count "$E2E_OUT/$CASE-before.png" '#20C040' "$UNDER_WINDOW")" -eq 240000
}
two_seas() {
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  check_eq "the second monitor's window covers exactly that monitor" "${WIDTH}x${HEIGHT}+${X}+${Y}" "$SECOND"
  screenshot "$E2E_OUT/$CASE-1.png"; sleep 1; screenshot "$SHOT"
  check_eq "the green window is covered" "$(colour_count "$SHOT" '#20C040' "$UNDER_WINDOW")" 0
  local sea; sea=$(colour_count "$E2E_OUT/$CASE-1.png" "$SEA" "$SECOND")
  check "the second monitor shows the sea ($sea of 480000)" test "$sea" -gt 384000
  check "ships sail on the second monitor ($((480000 - sea)) other pixels)" test $((480000 - sea)) -gt 2000
  check "the primary shows its own sea" test "$(colour_count "$SHOT" "$SEA" 1024x768+0+0)" -gt 600000
  local changed; changed=$(differing "$E2E_OUT/$CASE-1.png" "$SHOT" "$SECOND")
  check "the second monitor's picture changes within a second ($changed pixels)" test "$changed" -gt 500
}
pointer_stays() { check_eq "a pointer resting on the second monitor stays there" "$(xdotool getmouselocation | cut -d' ' -f1-2)" "x:1400 y:300"; }
# The green window, as it was, is the second monitor's sea.
two_desktop() {
  screenshot "$SHOT"
  local green other
  green=$(colour_count "$SHOT" '#20C040' "$UNDER_WINDOW")
  check "the green window shows in the second monitor's sea ($green of 240000)" test "$green" -gt 160000
  other=$((480000 - $(colour_count "$SHOT" '#20C040' "$SECOND") - $(colour_count "$SHOT" black "$SECOND")))
  check "ships sail on that desktop ($other pixels neither green nor black)" test "$other" -gt 2000
}
# +span_wallpaper: one picture spanning both monitors, red up to x 1024 and blue beyond.
span_wallpaper() {
  convert-im6.q16 -size 128x96 xc:'#FF0000' -size 100x96 xc:'#0000FF' +append -type TrueColor "BMP3:$E2E_OUT/span.bmp"
  put 'Control Panel\Desktop' Wallpaper REG_SZ "$(winpath "$E2E_OUT/span.bmp")"
  put 'Control Panel\Desktop' WallpaperStyle REG_SZ 22
}
spanned() {
  step_shot_until 1823,0=0,0,255
  step_shot_until 0,0=RED
  check_eq "the primary shows the picture's left part" "$(colour_count "$SHOT" '#FF0000' 1024x768+0+0)" 786432
  check_eq "the second monitor shows its right part" "$(colour_count "$SHOT" '#0000FF' "$SECOND")" 480000
}
# +monitor_off: the second monitor switched off (before the start); the case's end, or
# +monitors_back alone, switches it on again.
monitors_back() { undo xrandr -display "$DISPLAY" --output DUMMY1 --mode 800x600 --right-of DUMMY0; }
monitor_off() { xrandr -display "$DISPLAY" --output DUMMY1 --off; sleep "${1:-1}"; }
# The layout the user left is kept, also once a put-back of an older one would have come
# (Wine's comes within about 0.3 s of the end).
one_monitor_stays() { sleep 1.5; check_eq "the switched-off monitor stays off" "$(monitor_count)" 1; }

# --- Faults met at the start: a preview without a host, a key the moment the window shows,
# the primary resized while the saver takes it.
# no_preview:ARG...: "/p ARG" names no window (no number, or one of no window; the unit tests
# hold the rest): it ends at once and shows nothing.
no_preview() {
  local arg
  for arg in "$@"; do
    timeout -k 2 20 "$WINE" "$PROGRAM" /p "$arg" </dev/null >/dev/null 2>&1
    check_eq "'/p $arg' ends at once" "$?" 0
  done
  check_eq "no preview window" "$(find_window "$PREVIEW")" ""
}
# on_show COMMAND...: runs the command the moment the saver's window maps, before it is
# painted or has the focus.
on_show() { (until [ -n "$(find_window "$MAIN")" ]; do :; done; "$@") & _started_pids+=("$!"); }
key_on_show() { on_show press "$1"; }
resize_on_show() {
  undo xrandr -display "$DISPLAY" --output DUMMY0 --mode 1024x768 --output DUMMY1 --mode 800x600 --right-of DUMMY0
  on_show xrandr -display "$DISPLAY" --output DUMMY0 --mode "$1"
}
primary_mode() {
  sleep 1.5
  check_eq "the primary keeps the user's mode" \
    "$(xrandr -display "$DISPLAY" | sed -n 's/^DUMMY0 connected \(primary \)\{0,1\}\([0-9]*x[0-9]*\)+.*/\2/p')" "$1"
}

# Rows: name | program | launcher and switches | settings | action | expectations.
# Settings: Name=Value of the saver, dpi=N, at=X,Y (the pointer), +set-up[:args]. Action and
# expectations are steps (lib.sh): show[:TITLE] focus key:K click:B to:X,Y by:DX,DY sleep:S
# shot beside:SWITCHES, and checks: ended[:S] exit=N noreport nolog gone display, ends (all
# five), version stored=R,B,G log=LINE px:X,Y=COLOUR host:KEY=VALUE running; fn:NAME[:ARGS].
# A row of its own needs a function above for its set-up (+name; `put` a registry value and
# `undo` anything else, both put back at the case's end) or for its own check (fn:name).
run_table "$@" <<'EOT'
quits-x         | scr | /x   | | | ended:30 exit=0 version gone
quits-dash-s    | scr | -s   | | | ended:30 exit=0 version gone
quits-s         | scr | s    | | | ended:30 exit=0 version gone
quits-slash     | scr | /    | | | ended:30 exit=0 version gone fn:regsz
quits-q         | scr | /q   | | | ended:30 exit=0 version gone
opens-bare      | scr |      | | show version focus key:Escape | ended
opens-saver     | scr | /s   | | show version beside:/s beside:/c beside:/p_0 focus key:Escape | ends:20
opens-saver-77  | scr | /S 77 | | show version beside:/s beside:/c beside:/p_0 focus key:Escape | ends:20

sea-and-jumps   | scr | /s | BackGround=1 at=400,300 | show fn:sea_and_ships by:150,0 sleep:1 running:150,0 \
                  by:0,150 sleep:1 running:0,150 by:40,40 sleep:0.5 by:40,40 sleep:0.5 running:slow_moves by:-151,0 | ends
key-ends        | scr | /s | BackGround=1 | show focus key:x | ends
click-ends      | scr | /s | BackGround=1 | show click:3 | ends
key-other-focus-x      | scr | /s | BackGround=1 +other_window:100:100:300:200:20C040 | show key:x | ends
key-other-focus-space  | scr | /s | BackGround=1 +other_window:100:100:300:200:20C040 | show key:space | ends
key-other-focus-return | scr | /s | BackGround=1 +other_window:100:100:300:200:20C040 | show key:Return | ends
desktop-snapshot | scr | /s | BackGround=0 +snapshot_dialog | show focus fn:snapshot_shown key:Escape | \
                  ended fn:stop_helpers noreport nolog gone display
dpi-96          | scr | /s | RedCount=1 BlueCount=0 BackGround=1 dpi=96  | show focus fn:ship_box:108x23 key:Escape | ends
dpi-191         | scr | /s | RedCount=1 BlueCount=0 BackGround=1 dpi=191 | show focus fn:ship_box:108x23 key:Escape | ends
dpi-192         | scr | /s | RedCount=1 BlueCount=0 BackGround=1 dpi=192 | show focus fn:ship_box:216x46 key:Escape | ends
dpi-288         | scr | /s | RedCount=1 BlueCount=0 BackGround=1 dpi=288 | show focus fn:ship_box:324x69 key:Escape | ends

wallpaper-stretch | scr | /s | RedCount=0 BlueCount=0 BackGround=0 +wallpaper:bmp:2:0 | show shot_until:0,0=RED click:1 | ends \
                  px:0,0=RED px:511,383=RED px:512,383=GREEN px:511,384=YELLOW px:1023,767=MAGENTA
wallpaper-centre  | scr | /s | RedCount=0 BlueCount=0 BackGround=0 +wallpaper:bmp:0:0 | show shot_until:480,360=RED click:1 | ends \
                  px:479,360=COLOUR px:480,359=COLOUR px:480,360=RED px:543,407=MAGENTA px:544,407=COLOUR px:543,408=COLOUR
wallpaper-tile    | scr | /s | RedCount=0 BlueCount=0 BackGround=0 +wallpaper:png:0:1 | show shot_until:64,0=RED click:1 | ends \
                  px:63,47=MAGENTA px:64,0=RED px:64,72=YELLOW px:1023,767=MAGENTA
wallpaper-own-desktop | scr | desktop /s | RedCount=0 BlueCount=0 BackGround=0 +wallpaper:png:2:1 \
                  +other_window:0:0:300:200:00FFFF | show shot_until:10,10=RED click:1 | ends px:10,10=RED px:1023,767=MAGENTA
wallpaper-junk    | scr | desktop /s | RedCount=0 BlueCount=0 BackGround=0 +wallpaper:junk:2:1 | show shot click:1 | ends \
                  px:0,0=COLOUR px:512,384=COLOUR
wallpaper-gone-transcoded | scr | desktop /s | RedCount=0 BlueCount=0 BackGround=0 +wall_source:gone:quadrants:none | \
                  show shot_until:0,0=RED click:1 | ends px:0,0=RED px:1023,0=GREEN px:0,767=YELLOW px:1023,767=MAGENTA
wallpaper-gone-cached | scr | desktop /s | RedCount=0 BlueCount=0 BackGround=0 +wall_source:gone:quadrants:green | \
                  show shot_until:0,0=GREEN click:1 | ends px:0,0=GREEN px:1023,767=GREEN
wallpaper-share-transcoded | scr | desktop /s | RedCount=0 BlueCount=0 BackGround=0 +wall_source:share:quadrants:none | \
                  show shot_until:0,0=RED click:1 | ends px:0,0=RED px:1023,767=MAGENTA
wallpaper-share-alone | scr | desktop /s | RedCount=0 BlueCount=0 BackGround=0 +wall_source:share:none:none | \
                  show shot click:1 | ends px:0,0=COLOUR px:1023,767=COLOUR
wallpaper-colour-chosen | scr | desktop /s | RedCount=0 BlueCount=0 BackGround=0 +wall_source:none:quadrants:none | \
                  show shot click:1 | ends px:0,0=COLOUR px:1023,767=COLOUR
wallpaper-late    | scr | desktop /s | RedCount=0 BlueCount=0 BackGround=0 +huge_wallpaper | fn:colour_then_picture \
                  click:1 | ends px:1023,767=51,102,153

tick-error      | fault         | /s | BackGround=1 | show | ended:20 noreport log=Overflow gone display
lost-display    | fault-lost    | /s | BackGround=1 | | ends:30
no-directdraw   | fault-noddraw | /s | BackGround=1 | show fn:gdi_battle focus key:x | ended noreport gone display fn:gdi_note_once
close-in-setup  | scr           | /s | BackGround=1 +closer | | ends:30 fn:close_posted
unwritable-folder | fault       | /s | BackGround=1 +unwritable_folder | | ended:30 noreport gone display fn:log_in_user_folder
setup-report    | fault-setup   | /s | BackGround=1 | show:REPORT fn:report_readable key:Return | ended gone display

dialog-defaults   | scr | /c | | show focus version fn:dialog_defaults key:Escape | ended stored=-,-,-
dialog-corrections | scr | /c | | show focus fn:dialog_corrections | ended stored=2,3,1
dialog-enter      | scr | /c | RedCount=7 BlueCount=9 BackGround=1 | show focus fn:stored_shown fn:retype:0 key:Return | \
                    ended stored=2,9,1
dialog-alt-o      | scr | /c | RedCount=7 BlueCount=9 BackGround=1 | show focus fn:retype:7abc key:Tab key:Tab key:Up \
                    fn:desktop_selected key:alt+o | ended stored=7,9,0
dialog-cancel     | scr | /c | RedCount=7 BlueCount=9 BackGround=0 | show focus fn:leave_by:click  | ended stored=7,9,0
dialog-alt-c      | scr | /c | RedCount=7 BlueCount=9 BackGround=0 | show focus fn:leave_by:alt+c  | ended stored=7,9,0
dialog-escape     | scr | /c | RedCount=7 BlueCount=9 BackGround=0 | show focus fn:leave_by:Escape | ended stored=7,9,0
dialog-alt-f4     | scr | /c | RedCount=7 BlueCount=9 BackGround=0 | show focus fn:leave_by:alt+F4 | ended stored=7,9,0
dialog-updown-enter | scr | /c | RedCount=7 BlueCount=9 BackGround=0 | show focus fn:updown_steps key:Return | ended stored=13,9,0
dialog-arrows     | scr | /c | RedCount=13 BlueCount=4 BackGround=0 | show focus fn:arrows key:Escape | ended stored=13,4,0
dialog-120dpi     | scr | /c | dpi=120 | show focus fn:dialog_120dpi key:Escape | ended
dialog-host-ok    | scr | host --switch /c:%u --at 300,200 --end ok     | | | ended:60 fn:hosted:host stored=5,5,0
dialog-host-cancel | scr | host --switch /c:%u --at 300,200 --end cancel | | | ended:60 fn:hosted:host stored=-,-,-
dialog-host-esc   | scr | host --switch '/c %u' --at 300,200 --end esc  | | | ended:60 fn:hosted:host stored=-,-,-
dialog-host-close | scr | host --switch /c:%u --at 300,200 --end close  | | | ended:60 fn:hosted:host stored=-,-,-
dialog-host-edge  | scr | host --switch /c:%u --at -100,560 --end enter | | | ended:60 fn:hosted:edge stored=5,5,0
dialog-junk-owner | scr | host --switch /c:1 --at 300,200 --end cancel  | | | ended:60 fn:hosted:alone stored=-,-,-
dialog-junk-owner-2 | scr | host --switch /c:65535 --at 300,200 --end esc | | | ended:60 fn:hosted:alone stored=-,-,-
dialog-fits-96  | settings_win32_tests | --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl | dpi=96  | | ended:120 exit=0
dialog-fits-120 | settings_win32_tests | --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl | dpi=120 | | ended:120 exit=0
dialog-fits-144 | settings_win32_tests | --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl | dpi=144 | | ended:120 exit=0
dialog-fits-168 | settings_win32_tests | --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl | dpi=168 | | ended:120 exit=0
dialog-fits-192 | settings_win32_tests | --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl | dpi=192 | | ended:120 exit=0

preview-picture | scr | host --in-process --hold 3 --end destroy | | fn:preview_picture | ended:40 exit=0
preview-destroy | scr | host --switch /p --end destroy | | | ended:60 exit=0 fn:embedded fn:preview_ended host:preview_exit_code=0
preview-large   | scr | host --switch /p --end destroy --size 233x171 | | | ended:60 exit=0 fn:embedded:233x171
preview-close   | scr | host --switch /P --end close | | | ended:60 exit=0 fn:embedded fn:preview_ended host:host_alive=1

two-seas        | scr | /s | BackGround=1 at=1400,300 +green_window | show show:MONITOR fn:two_seas key:x | ends
two-click       | scr | /s | BackGround=1 at=1400,300 | show:MONITOR fn:pointer_stays click:1 | ends
two-move-onto   | scr | /s | BackGround=1 at=900,300  | show:MONITOR to:1500,300 | ends
two-jump        | scr | /s | BackGround=1 at=1300,300 | show:MONITOR to:1400,300 sleep:1 running:100_pixels to:1400,500 | ends
two-desktop     | scr | /s | BackGround=0 at=1400,300 +green_window | show:MONITOR fn:two_desktop key:Escape | ends
two-span        | scr | desktop /s | BackGround=0 RedCount=0 BlueCount=0 at=1400,300 +green_window +span_wallpaper | \
                  show:MONITOR fn:spanned click:1 | ends
two-monitor-off | scr | /s | BackGround=1 at=1400,300 +monitors_back | show:MONITOR fn:monitor_off:0 | \
                  ended noreport nolog gone fn:one_monitor_stays
two-on-one      | scr | /s | BackGround=1 at=500,300 +monitors_back +monitor_off | show key:x | \
                  ended noreport nolog gone fn:one_monitor_stays
preview-no-host | scr | /p | | | ended:30 exit=0 version gone fn:no_preview:junk:-1
key-on-show     | scr | /s | BackGround=1 +other_window:100:100:300:200:20C040 +key_on_show:x | | ends
two-resized-on-show | scr | /s | BackGround=1 at=1400,300 +resize_on_show:800x600 | | \
                  ended:20 noreport nolog gone fn:primary_mode:800x600
EOT
finish
