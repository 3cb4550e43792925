#!/usr/bin/env bash
# The end-to-end cases of the real .scr as a table, one row per run (ctest: e2e_NAME): start
# switches, endings, high-DPI ships, desktop and wallpaper, fault builds, the settings dialog,
# the preview and two monitors. The functions are the rows' own set-ups, steps and checks.
source "$(dirname "$0")/lib.sh"

RED=255,0,0 GREEN=0,255,0 BLUE=0,0,255 YELLOW=255,255,0 MAGENTA=255,0,255 COLOUR=10,20,30 GREEN_WINDOW=32,192,64
PREVIEW_SEA=4,2,148 PRIMARY=1024x768+0+0

# +other_window:X:Y:W:H:RRGGBB: another program's window, with the keyboard focus.
other_window() {
  launch "$(program colour_window)" 'Colour -- test' "$@"
  HELPERS+=("$LAST_PID")
  OTHER=$(wait_window 'Colour -- test' 30) && need "the other window has the focus" wait_focus "$OTHER" 10 && sleep 1
}

# --- The saver on one monitor ------------------------------------------------------------
# ships: most of the screen is the sea, with ships on it, at the size it had before.
expect_ships() {
  local TOTAL SEA_PX
  TOTAL=$(convert-im6.q16 "$SHOT" -format '%[fx:w*h]' info:) SEA_PX=$(colour_count "$SHOT" "$SEA")
  check "most of the screen is the sea ($SEA_PX of $TOTAL)" test "$SEA_PX" -gt $((TOTAL * 80 / 100))
  check "ships are drawn on the sea ($((TOTAL - SEA_PX)) other pixels)" test $((TOTAL - SEA_PX)) -gt 5000
  check_eq "the screen keeps its size while it runs" "$SIZE_SEEN" "$SIZE_BEFORE"
}
# One red ship and no enemy keeps its place and its side view for ever: the pixels that are
# not sea are that one drawing, enlarged by whole steps of 96 dpi.
expect_ship() { check_eq "one ship measures" "$(other_box "$SHOT" "$SEA" 2>/dev/null)" "$1"; }

# +lock_held: a saver starting at the same moment holds the start lock (hold_lock.exe).
lock_held() {
  LAUNCH_OUT=$E2E_OUT/$CASE.lock launch "$(program hold_lock)" 20
  HELPERS+=("$LAST_PID")
  need "the lock is held" within 10 grep -q held "$E2E_OUT/$CASE.lock"
}

# front: another program comes to the front (front_window.exe) and has shown; the saver is
# to end from then on as the user coming back would.
step_front() {
  LAUNCH_OUT=$E2E_OUT/$CASE.front launch "$(program front_window)" --after 1000 --hold 4000
  within 6 grep -q shown "$E2E_OUT/$CASE.front"
}

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
# +gone_wallpaper[:cached]: the quadrants' file is gone; Windows' transcoded copy of it is
# there, and with "cached" a green copy cached for a 1024 x 768 monitor (named as Windows does).
gone_wallpaper() {
  wallpaper bmp 2 0
  put 'Control Panel\Desktop' Wallpaper REG_SZ "$(winpath "$E2E_OUT/gone.png")"
  local themes; themes="$(compgen -G "$WINEPREFIX/drive_c/users/*/AppData/Roaming" | head -n 1)/Microsoft/Windows/Themes"
  rm -rf "$themes"; mkdir -p "$themes/CachedFiles"; undo rm -rf "$themes"
  cp "$E2E_OUT/wallpaper.bmp" "$themes/TranscodedWallpaper"
  [ -z "${1:-}" ] || convert-im6.q16 -size 64x48 xc:'#00FF00' -type TrueColor "BMP3:$themes/CachedFiles/CachedImage_1024_768_POS2.jpg"
}
# +huge_wallpaper: 3600 x 3600, its top-left quarter 204,51,0 and the rest 51,102,153,
# stretched; the largest a whole decode may hold, it takes a second and more under Wine.
huge_wallpaper() {
  wallpaper bmp 2 0
  HUGE=$E2E_OUT/huge-3600.png
  [ -s "$HUGE" ] || convert-im6.q16 -size 3600x3600 xc:'#336699' -fill '#CC3300' -draw 'rectangle 0,0 1799,1799' \
    -type TrueColor "PNG24:$HUGE"
  put 'Control Panel\Desktop' Wallpaper REG_SZ "$(winpath "$HUGE")"
}
# +hostile_wallpaper:KIND: a file a hostile user sets, made here: "truncated" (the first 30 %
# of a 1600 x 1200 BMP, an interrupted copy), "lying" (1 kB whose BMP header claims 30000 x
# 30000) or "bomb" (a 3.5 MB PNG of 60000 x 60000 grey pixels). Wine's own desktop process
# reads the wallpaper when it starts and may die on such a file, taking every window's
# painting with it: the session starts it, and keeps it, before any case sets one.
hostile_wallpaper() {
  wallpaper bmp 2 0
  local wall=$E2E_OUT/hostile-$1
  [ -s "$wall" ] || python3 -c 'import struct, sys, zlib
def chunk(kind, data): return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
def bmp(w, h, size): return b"BM" + struct.pack("<IHHIIiiHHIIiiII", size, 0, 0, 54, 40, w, h, 1, 24, 0, 0, 0, 0, 0, 0)
kind, out = sys.argv[1:]
if kind == "truncated":
    full = 54 + 4800 * 1200
    data = (bmp(1600, 1200, full) + b"\0\0\xff" * (1600 * 1200))[: full * 30 // 100]
elif kind == "lying":
    data = bmp(30000, 30000, 1024).ljust(1024, b"\0")
else:
    # After a full flush the same 100 rows pack to the same bytes: packed once, repeated.
    side, packer, rows, check = 60000, zlib.compressobj(9), (b"\0" + b"\x80" * 60000) * 100, 1
    first = packer.compress(rows) + packer.flush(zlib.Z_FULL_FLUSH)
    again = packer.compress(rows) + packer.flush(zlib.Z_FULL_FLUSH)
    for _ in range(side // 100): check = zlib.adler32(rows, check)
    idat = first + again * (side // 100 - 1) + b"\x03\x00" + struct.pack(">I", check)  # empty last block
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", idat) + chunk(b"IEND", b""))
open(out, "wb").write(data)' "$1" "$wall"
  put 'Control Panel\Desktop' Wallpaper REG_SZ "$(winpath "$wall")"
}
# The saver's peak working set 6 s after it showed (a picture decoded whole past the budget
# grows it by about 30 MB a second); peak_below=MB judges it.
step_peak() { sleep 4; PEAK=$(awk '/VmHWM/ { print int($2 / 1024) }' "/proc/$PID/status" 2>/dev/null); }
expect_peak_below() { check "peak working set ${PEAK:-?} MB stays under $1 MB" test "${PEAK:-99999}" -le "$1"; }
# The saver starts at once and the picture shows when it has been read (seconds, against a
# first frame well under one): the top-left pixel from the window's showing, black before the
# first paint left out, repeats folded; then the saver's memory (about 140 MB under Wine
# without a picture, and 256 MB more with the picture kept whole).
note_corner() {
  local at; screenshot "$SHOT"; at=$(pixel_at "$SHOT" 0 0)
  [ "$at" != 0,0,0 ] && [ "${SEEN##* }" != "$at" ] && SEEN="$SEEN $at"
  [ "$at" = 204,51,0 ]
}
step_colour_then_picture() {
  SEEN=
  wait_window "$MAIN" 30 >/dev/null && within 60 note_corner
  RSS=$(for p in $(in_session 'BrackmerSaver\.scr'); do awk '/VmRSS/ { print $2 }' "/proc/$p/status"; done | sort -n | tail -n 1)
}
expect_colour_then_picture() {
  check_eq "the colour, then the picture" "$SEEN" " $COLOUR 204,51,0"
  check "the picture is not kept whole (${RSS:-?} kB)" test "${RSS:-999999}" -lt 200000
}

# --- Error paths -----------------------------------------------------------------------------
# Without DirectDraw the battle runs through GDI on the plain sea, with one note in the log
# that a second start leaves as it was.
gdi_battle() { check "the battle moves on the sea" test "$(differing "$E2E_OUT/$CASE-a.png" "$SHOT" "$(screen_size)+0+0")" -gt 0; }
gdi_note_once() {
  local line="DirectDrawCreateEx failed: DDERR_NODIRECTDRAWHW (0x88760233)"
  check_eq "the first run notes it in ErLog.txt" "${LOG_BEFORE% *}" "$line"
  check_eq "the second start leaves the log as it was" "$(tr -d '\r' <"$LOG" 2>/dev/null) $(stat -c %Y.%s "$LOG" 2>/dev/null)" "$LOG_BEFORE"
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
  local log; log=$(compgen -G "$USER_LOGS/ErLog.txt" | head -n 1)
  check "the log lands in %LOCALAPPDATA%\\BrackmerSaver" test -n "$log"
  check_eq "it holds the error's line" "$(tr -d '\r' <"$log" 2>/dev/null)" Overflow
  check "nothing was written beside the program" test -d "$LOG"
}
# A failure in the set-up with the display taken: a report one can read, over the desktop.
step_report() {
  sleep 1
  screenshot "$SHOT"
  step_geometry
  REPORT_SEEN="$(xdotool search --onlyvisible --name "^$MAIN\$" 2>/dev/null)|$(xdotool getwindowfocus 2>/dev/null)|$(screen_size) $(monitor_count)"
}
report_readable() {
  # The box's face is light; black would mean it is covered or not painted.
  local face; face=$(convert-im6.q16 "$SHOT" -crop "$GEOMETRY" +repage -colorspace Gray -format '%[fx:int(255*mean)]' info:)
  check "the report is painted (mean grey $face of 255)" test "$face" -gt 120
  check_eq "the saver's window no longer covers it; the report has the keyboard; the display is given back" \
    "$REPORT_SEEN" "|$WIN|$SIZE_BEFORE $MONITORS_BEFORE"
}

# --- The settings dialog, read by dialog_inspector.exe ---------------------------------------
# Control ids from the header the dialog's template and code use.
IDS_HEADER=$(dirname "$0")/../../src/settings/config_dialog_ids.h
id_of() { awk -v n="$1" '$1 == "#define" && $2 == n { print $3 }' "$IDS_HEADER"; }
RED_BOX=$(id_of IDC_TXT_RED_NUM) BLUE_BOX=$(id_of IDC_TXT_BLUE_NUM) UPD_R=$(id_of IDC_UPD_R) UPD_B=$(id_of IDC_UPD_B)
OPT_DESKTOP=$(id_of IDC_OPT_BG0) OPT_BLUE=$(id_of IDC_OPT_BG1) LABVER=$(id_of IDC_LAB_VER) OK=1 CANCEL=2
INSPECTED=$E2E_OUT/dialog.txt
# On a busy machine the inspector may find the dialog mid-repaint and list nothing.
inspected() { "$WINE" "$(program dialog_inspector)" --wait 20 2>/dev/null | tr -d '\r' >"$INSPECTED"; grep -q '^id=' "$INSPECTED"; }
inspect() { within 2 inspected; }
# field ID NAME: one field of a control's line; text ID: the control's text.
field() { grep "^id=$1 " "$INSPECTED" | tr ' ' '\n' | sed -n "s/^$2=//p" | head -n 1; }
text() { sed -n "s/^id=$1 .* text=//p" "$INSPECTED"; }
window_field() { sed -n 's/^window //p' "$INSPECTED" | sed 's/ title=.*//' | tr ' ' '\n' | sed -n "s/^$1=//p"; }
focused() { grep ' focus=1 ' "$INSPECTED" | sed 's/^id=\([0-9]*\) .*/\1/'; }
retype() { xdotool key --delay 30 End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace; [ -z "${1:-}" ] || xdotool type --delay 40 -- "$1"; }
# click_control ID: a mouse click in its middle.
click_control() { xdotool mousemove $(($(field "$1" sx) + $(field "$1" w) / 2)) $(($(field "$1" sy) + $(field "$1" h) / 2)) click 1; }

# look[:NAME]: what the inspector lists now, kept for the expectations ("seen NAME").
step_look() { inspect; cp "$INSPECTED" "$E2E_OUT/$CASE-${1:-dialog}.txt"; }
seen() { INSPECTED=$E2E_OUT/$CASE-${1:-dialog}.txt; }

dialog_defaults() {
  seen
  check_eq "client area at 96 dpi" "$(window_field client)" "280x212"
  IFS=, read -r ox oy <<<"$(window_field origin)"
  IFS=, read -r fx fy fw fh <<<"$(window_field frame)"
  convert-im6.q16 "$SHOT" -crop "${fw}x${fh}+${fx}+${fy}" +repage "$E2E_OUT/config-dialog.png"
  # A dialog that took the focus while still hidden comes up with an inactive caption. The
  # controls' colours are the unit tests'; the ground and the frame's middle are painted.
  check_eq "caption drawn active" "$(pixel_at "$SHOT" $((fx + fw - 60)) $((fy + 8)))" "50,150,250"
  check_eq "blue ground" "$(pixel_at "$SHOT" $((ox + 5)) $((oy + 100)))" "0,0,192"
  check_eq "light frame interior" "$(pixel_at "$SHOT" $((ox + 46)) $((oy + 151)))" "192,192,255"
}
# Leaving a box corrects it (typed:corrected); Tab visits the controls in order; OK by
# mouse stores. The action notes what the boxes and the focus showed at each step.
CORRECTIONS="abc:2 -1e9:2 16:15 7abc:7abc 2.5:2.5"
TAB_ORDER="$OPT_DESKTOP $OK $CANCEL $UPD_R $UPD_B $RED_BOX $BLUE_BOX"
step_corrections() {
  local pair
  SEEN=
  for pair in $CORRECTIONS; do
    retype "${pair%%:*}"
    inspect; SEEN+="$(text "$RED_BOX")"
    xdotool key Tab
    inspect; SEEN+=">$(text "$RED_BOX") $(focused) "
    xdotool key shift+Tab
  done
  xdotool key Tab
  retype "1e40"
  for _ in $TAB_ORDER; do xdotool key Tab; inspect; SEEN+="$(focused) "; done
  SEEN+=$(text "$BLUE_BOX")
  retype "3.4"
  click_control "$OPT_BLUE"
  click_control "$OK"
}
corrected() {
  local pair want=
  for pair in $CORRECTIONS; do want+="${pair%%:*}>${pair#*:} $BLUE_BOX "; done
  check_eq "each typed text as typed, corrected on Tab; Tab order; blue '1e40' becomes 15" "$SEEN" "$want$TAB_ORDER 15"
}
# shown:ID=TEXT, checked:ID=0|1, focus=ID (RED_BOX, OPT_BLUE...): as the last look saw it.
expect_shown() { local id=${1%%=*}; seen; check_eq "$id shows" "$(text "${!id}")" "${1#*=}"; }
expect_checked() { local id=${1%%=*}; seen; check_eq "$id checked" "$(field "${!id}" checked)" "${1#*=}"; }
expect_focus() { seen; check_eq "the focus" "$(focused)" "${!1}"; }
dialog_120dpi() {
  seen; check_eq "dpi, client area and red box at 120 dpi" \
    "$(window_field dpi) $(window_field client) $(field "$RED_BOX" x),$(field "$RED_BOX" y),$(field "$RED_BOX" w)" "120 350x265 154,58,38"
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
orphan_found() { ORPHAN=$(in_session "BrackmerSaver\.scr /p $1\$" | head -n 1); [ -n "$ORPHAN" ]; }
# The host process of a preview dies without destroying its window: the preview notices.
step_orphan() {
  local handle
  step_ready
  handle=$(host_value host_handle)
  need "the host gets ready" test -n "$handle" || return
  # Under load the preview's command line can show in /proc a moment after the host is ready.
  within 15 orphan_found "$handle"
  need "the preview process runs" test -n "$ORPHAN" && stop_pid "$PID"
}
orphan_ends() { check "the preview ends once its host process is gone" wait_exit "$ORPHAN" 10; }
# Wine 8 does not paint a child window whose parent belongs to another process, so the
# picture is looked at with the preview code running in the host's own process.
step_ready() { within 40 grep -q '^ready=' "$OUT"; sleep 0.5; }
preview_picture() {
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
    test "$(colour_count "$E2E_OUT/$CASE-before.png" "$GREEN_WINDOW" "$UNDER_WINDOW")" -eq 240000
}
two_seas() {
  local sea; sea=$(colour_count "$E2E_OUT/$CASE-1.png" "$SEA" "$SECOND")
  check "the second monitor shows the sea ($sea of 480000)" test "$sea" -gt 384000
  check "ships sail on the second monitor ($((480000 - sea)) other pixels)" test $((480000 - sea)) -gt 2000
  local changed; changed=$(differing "$E2E_OUT/$CASE-1.png" "$SHOT" "$SECOND")
  check "the second monitor's picture changes within a second ($changed pixels)" test "$changed" -gt 500
}
# The green window, as it was, is the second monitor's sea.
two_desktop() {
  local green other
  green=$(colour_count "$SHOT" "$GREEN_WINDOW" "$UNDER_WINDOW")
  check "the green window shows in the second monitor's sea ($green of 240000)" test "$green" -gt 160000
  other=$((480000 - $(colour_count "$SHOT" "$GREEN_WINDOW" "$SECOND") - $(colour_count "$SHOT" black "$SECOND")))
  check "ships sail on that desktop ($other pixels neither green nor black)" test "$other" -gt 2000
}
# +span_wallpaper: one picture spanning both monitors, red up to x 1024 and blue beyond.
span_wallpaper() {
  convert-im6.q16 -size 128x96 xc:'#FF0000' -size 100x96 xc:'#0000FF' +append -type TrueColor "BMP3:$E2E_OUT/span.bmp"
  put 'Control Panel\Desktop' Wallpaper REG_SZ "$(winpath "$E2E_OUT/span.bmp")"
  put 'Control Panel\Desktop' WallpaperStyle REG_SZ 22
}
# +monitor_off: the second monitor switched off (before the start); the case's end, or
# +monitors_back alone, switches it on again.
monitors_back() { undo xrandr -display "$DISPLAY" --output DUMMY1 --mode 800x600 --right-of DUMMY0; }
monitor_off() { xrandr -display "$DISPLAY" --output DUMMY1 --off; sleep "${1:-1}"; }
# The layout the user left is kept, also once a put-back of an older one would have come
# (Wine's comes within about 0.3 s of the end).
one_monitor_stays() { sleep 1.5; check_eq "the switched-off monitor stays off" "$(monitor_count)" 1; }

# --- Faults met at the start: a key the moment the window shows, the primary resized while
# the saver takes it.
# on_show COMMAND...: runs the command the moment the saver's window maps, before it is
# painted or has the focus (Wine makes the X window unmapped, with its title, well before).
on_show() { (until [ -n "$(find_window "$MAIN" --onlyvisible)" ]; do :; done; "$@") & _started_pids+=("$!"); }
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

# Rows: name | program | switches | settings | actions | expectations, read by lib.sh's
# run_table ("ends" = ended exit=0 noreport nolog gone display); "defaults: SETTINGS" go before the
# settings of the rows below it.
run_table "$@" <<'EOT'
quits-x         | scr | /x | | | ended:30 exit=0 version gone
opens-bare      | scr |    | | show focus key:Escape | ended version
opens-saver     | scr | /s | | show beside:/s beside:/c beside:/p_0 focus key:Escape | ends:20 beside

defaults: BackGround=1
sea-and-jumps   | scr | /s | at=400,300 | show until:ships by:150,0 sleep:1 mark:150,0 by:0,150 sleep:1 mark:0,150 \
                  by:40,40 sleep:0.5 by:40,40 sleep:0.5 mark:slow by:-151,0 | ends ships running:150,0 running:0,150 running:slow
key-ends        | scr | /s | | show focus key:x | ends
lock-held       | scr | /s | +lock_held | | ends
click-ends      | scr | /s | | show click:3 | ends
front-window    | scr | /s | | show sleep:1 front | ends:2.5
desktop-snapshot | scr | /s | BackGround=0 +other_window:100:100:300:200:20C040 | show focus shot key:Escape | \
                  ends count:GREEN_WINDOW@300x200+100+100>48000 count:SEA@PRIMARY<1000
dpi-192         | scr | /s | RedCount=1 BlueCount=0 dpi=192 | show focus until:ship=216x46 key:Escape | ends ship=216x46
tick-error      | fault         | /s | | show | ended:20 noreport log=Overflow gone display
lost-display    | fault-lost    | /s | | | ends:30
no-directdraw   | fault-noddraw | /s | | show shot:a sleep:0.6 shot focus key:x again:/s show focus key:x | \
                  ended noreport gone display px:2,2=SEA fn:gdi_battle fn:gdi_note_once
close-in-setup  | scr           | /s | +closer | | ends:30 fn:close_posted
unwritable-folder | fault       | /s | +unwritable_folder | | ended:30 noreport gone display fn:log_in_user_folder
setup-report    | fault-setup   | /s | | show:REPORT report key:Return | ended gone display fn:report_readable

defaults: RedCount=0 BlueCount=0 BackGround=0
wallpaper-stretch | scr | /s | +wallpaper:bmp:2:0 | show until:px:0,0=RED click:1 | ends \
                  px:0,0=RED px:511,383=RED px:512,383=GREEN px:511,384=YELLOW px:1023,767=MAGENTA
wallpaper-centre  | scr | /s | +wallpaper:bmp:0:0 | show until:px:480,360=RED click:1 | ends \
                  px:479,360=COLOUR px:480,359=COLOUR px:480,360=RED px:543,407=MAGENTA px:544,407=COLOUR px:543,408=COLOUR
wallpaper-tile    | scr | /s | +wallpaper:png:0:1 | show until:px:64,0=RED click:1 | ends \
                  px:63,47=MAGENTA px:64,0=RED px:64,72=YELLOW px:1023,767=MAGENTA
wallpaper-own-desktop | scr | desktop /s | +wallpaper:png:2:1 +other_window:0:0:300:200:00FFFF | \
                  show until:px:10,10=RED click:1 | ends px:10,10=RED px:1023,767=MAGENTA
wallpaper-junk    | scr | /s | +wallpaper:junk:2:1 | show shot click:1 | ends px:0,0=COLOUR px:512,384=COLOUR
wallpaper-gone-transcoded | scr | /s | +gone_wallpaper | show until:px:0,0=RED click:1 | \
                  ends px:0,0=RED px:1023,0=GREEN px:0,767=YELLOW px:1023,767=MAGENTA
wallpaper-gone-cached | scr | /s | +gone_wallpaper:cached | show until:px:0,0=GREEN click:1 | \
                  ends px:0,0=GREEN px:1023,767=GREEN
wallpaper-truncated | scr | /s | +hostile_wallpaper:truncated | show sleep:2 shot click:1 | ends px:0,0=COLOUR px:1023,767=COLOUR
wallpaper-lying   | scr | /s | +hostile_wallpaper:lying | show sleep:2 shot key:x | ends px:0,0=COLOUR px:1023,767=COLOUR
wallpaper-bomb    | scr | /s | +hostile_wallpaper:bomb | show sleep:2 shot peak key:x | ends px:0,0=COLOUR px:1023,767=COLOUR peak_below=200
wallpaper-late    | scr | /s | +huge_wallpaper | colour_then_picture click:1 | \
                  ends colour_then_picture px:1023,767=51,102,153

defaults:
dialog-defaults   | scr | /c | | show focus look shot key:Escape | ended stored=-,-,- version fn:dialog_defaults \
                    shown:RED_BOX=5 shown:BLUE_BOX=5 checked:OPT_DESKTOP=1 checked:OPT_BLUE=0 shown:LABVER=ver.1.00 focus=RED_BOX
dialog-corrections | scr | /c | | show focus corrections | ended stored=2,3,1 fn:corrected
dialog-120dpi     | scr | /c | dpi=120 | show focus look key:Escape | ended fn:dialog_120dpi
dialog-host-ok    | scr | host --switch /c:%u --at 300,200 --end ok     | | | ended:60 fn:hosted:host stored=5,5,0
dialog-host-cancel | scr | host --switch /c:%u --at 300,200 --end cancel | | | ended:60 fn:hosted:host stored=-,-,-
dialog-host-edge  | scr | host --switch /c:%u --at -100,560 --end enter | | | ended:60 fn:hosted:edge stored=5,5,0
dialog-junk-owner | scr | host --switch /c:1 --at 300,200 --end cancel  | | | ended:60 fn:hosted:alone stored=-,-,-
dialog-fits-120 | settings_win32_tests | --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl | dpi=120 | | ended:120 exit=0
dialog-fits-144 | settings_win32_tests | --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl | dpi=144 | | ended:120 exit=0
dialog-fits-168 | settings_win32_tests | --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl | dpi=168 | | ended:120 exit=0
dialog-fits-192 | settings_win32_tests | --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl | dpi=192 | | ended:120 exit=0

defaults: RedCount=7 BlueCount=9 BackGround=0
dialog-enter      | scr | /c | BackGround=1 | show focus look fn:retype:0 key:Return | \
                    ended stored=2,9,1 shown:RED_BOX=7 checked:OPT_BLUE=1
dialog-alt-o      | scr | /c | BackGround=1 | show focus fn:retype:7abc key:Tab key:Tab key:Up look key:alt+o | ended stored=7,9,0 checked:OPT_DESKTOP=1
dialog-updown-enter | scr | /c | | show focus fn:retype:12 key:Tab key:Tab key:Tab key:Tab key:Tab key:Up look key:Return | \
                    ended stored=13,9,0 focus=UPD_R shown:RED_BOX=13

defaults:
preview-picture | scr | host --in-process --hold 3 --end destroy | | ready shot | ended:40 exit=0 fn:preview_picture
preview-destroy | scr | host --switch /p --end destroy | | | ended:60 exit=0 fn:embedded fn:preview_ended host:preview_exit_code=0
preview-large   | scr | host --switch /p --end destroy --size 233x171 | | | ended:60 exit=0 fn:embedded:233x171
preview-close   | scr | host --switch /P --end close | | | ended:60 exit=0 fn:embedded fn:preview_ended host:host_alive=1
preview-orphan  | scr | host --switch /p --end none | | orphan | fn:orphan_ends
preview-no-host | scr | /p | | beside:/p_junk beside:/p_-1 | ended:30 exit=0 gone beside

defaults: BackGround=1 +other_window:100:100:300:200:20C040
key-on-show     | scr | /s | +key_on_show:x | | ends

defaults: BackGround=1 at=1400,300
two-seas        | scr | /s | +green_window | show show:MONITOR geometry shot:1 sleep:1 shot key:x | \
                  ends geometry=800x600+1024+0 count:GREEN_WINDOW@UNDER_WINDOW=0 count:SEA@PRIMARY>600000 fn:two_seas
two-click       | scr | /s | | show:MONITOR pointer click:1 | ends pointer=1400,300
two-move-onto   | scr | /s | at=900,300  | show:MONITOR to:1500,300 | ends
two-jump        | scr | /s | at=1300,300 | show:MONITOR to:1400,300 sleep:1 mark:100px to:1400,500 | ends running:100px
two-desktop     | scr | /s | BackGround=0 +green_window | show:MONITOR until:fn:two_desktop key:Escape | ends fn:two_desktop
two-span        | scr | desktop /s | BackGround=0 RedCount=0 BlueCount=0 +green_window +span_wallpaper | \
                  show:MONITOR until:px:1823,0=0,0,255 until:px:0,0=RED click:1 | \
                  ends count:RED@PRIMARY=786432 count:BLUE@SECOND=480000
two-monitor-off | scr | /s | +monitors_back | show:MONITOR fn:monitor_off:0 | ended noreport nolog gone fn:one_monitor_stays
two-on-one      | scr | /s | at=500,300 +monitors_back +monitor_off | show key:x | ended noreport nolog gone fn:one_monitor_stays
two-resized-on-show | scr | /s | +resize_on_show:800x600 | | ended:20 noreport nolog gone fn:primary_mode:800x600
EOT
finish
