#!/usr/bin/env bash
# The settings dialog of the real .scr, driven like a user with xdotool: what it shows,
# the silent corrections, the focus order, the up-down arrows, OK/Enter/Alt+O storing and
# Cancel/Esc/Alt+C/Alt+F4 not storing, its look (screenshot), Enter and Up on an up-down,
# the Screen Saver Settings window as owner (config_host.exe), and 120 to 192 dpi displays.
# Control texts and states come from dialog_inspector.exe. The rule's many cases are the
# native config_rules_test; layout, fonts and odd stored values are settings_win32_tests.
source "$(dirname "$0")/lib.sh"

TITLE='Brackmer Saver設定'
INSPECTOR=${BRACKMER_WINDOWS_BUILD_DIR:?the Windows build tree}/tests/settings/dialog_inspector.exe
[ -f "$INSPECTOR" ] || { echo "missing $INSPECTOR"; exit 1; }
HOST=${BRACKMER_WINDOWS_BUILD_DIR}/tests/startup/preview_host.exe
[ -f "$HOST" ] || { echo "missing $HOST"; exit 1; }
# Control ids, from the header the dialog's template and code use; OK and Cancel are the
# platform's IDOK and IDCANCEL.
IDS_HEADER=$(dirname "$0")/../../src/settings/config_dialog_ids.h
id_of() { awk -v n="$1" '$1 == "#define" && $2 == n { print $3 }' "$IDS_HEADER"; }
RED=$(id_of IDC_TXT_RED_NUM) BLUE=$(id_of IDC_TXT_BLUE_NUM) UPD_R=$(id_of IDC_UPD_R) UPD_B=$(id_of IDC_UPD_B)
OPT_DESKTOP=$(id_of IDC_OPT_BG0) OPT_BLUE=$(id_of IDC_OPT_BG1) LABVER=$(id_of IDC_LAB_VER) OK=1 CANCEL=2
[ -n "$RED" ] && [ -n "$UPD_B" ] && [ -n "$LABVER" ] || { echo "control ids not found in $IDS_HEADER"; exit 1; }
DPI_KEY='HKCU\Control Panel\Desktop'

restore_dpi() { "$WINE" reg delete "$DPI_KEY" /v LogPixels /f >/dev/null 2>&1; return 0; }
trap 'restore_dpi; e2e_cleanup' EXIT

# Writes what the dialog shows to $INSPECTED (one line per control).
INSPECTED=$E2E_OUT/dialog.txt
inspect() { "$WINE" "$INSPECTOR" --wait 20 2>/dev/null | tr -d '\r' >"$INSPECTED"; }
# field ID NAME: one field of a control's line; text ID: the control's text.
field() { grep "^id=$1 " "$INSPECTED" | tr ' ' '\n' | sed -n "s/^$2=//p" | head -n 1; }
text() { sed -n "s/^id=$1 .* text=//p" "$INSPECTED"; }
window_field() { sed -n 's/^window //p' "$INSPECTED" | sed 's/ title=.*//' | tr ' ' '\n' | sed -n "s/^$1=//p"; }
window_title() { sed -n 's/^window .* title=//p' "$INSPECTED"; }
focused() { grep ' focus=1 ' "$INSPECTED" | sed 's/^id=\([0-9]*\) .*/\1/'; }

# Opens the dialog and waits until it has the keyboard; $pid and $win name it.
open_dialog() {
  scr_start /c
  pid=$LAST_PID
  win=$(wait_window "$TITLE" 30) || { fail "dialog opens"; return 1; }
  wait_focus "$win" 10 || { fail "dialog takes the focus"; return 1; }
  return 0
}
# Replaces the text of the focused count box.
retype() { xdotool key --delay 30 End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace; [ -z "$1" ] || xdotool type --delay 40 -- "$1"; }
# click_control ID [up|down]: a mouse click in the middle (or the upper/lower quarter).
click_control() {
  local sx sy w h y
  sx=$(field "$1" sx) sy=$(field "$1" sy) w=$(field "$1" w) h=$(field "$1" h)
  case "${2:-}" in up) y=$((sy + h / 4)) ;; down) y=$((sy + 3 * h / 4)) ;; *) y=$((sy + h / 2)) ;; esac
  xdotool mousemove "$((sx + w / 2))" "$y" click 1
}
stored() { reg_get Setting "$1" || echo "(none)"; }
stored_all() { echo "$(stored RedCount) $(stored BlueCount) $(stored BackGround)"; }
# count_white PNG X Y W H: white pixels in that part of the screenshot.
count_white() {
  convert-im6.q16 "$1" -crop "$4x$5+$2+$3" +repage -fuzz 8% -fill black +opaque white -colorspace gray -format '%[fx:round(mean*w*h)]' info:
}

# --- Nothing stored: defaults, layout, focus, look ------------------------------------
reg_clear
if open_dialog; then
  inspect
  check_eq "window title" "$(window_title)" "$TITLE"
  check_eq "client area at 96 dpi" "$(window_field client)" "280x212"
  check_eq "red fleet shows 5" "$(text $RED)" "5"
  check_eq "blue fleet shows 5" "$(text $BLUE)" "5"
  check_eq "デスクトップ selected" "$(field $OPT_DESKTOP checked)" "1"
  check_eq "ブルー単色 not selected" "$(field $OPT_BLUE checked)" "0"
  check_eq "version label" "$(text $LABVER)" "ver.1.00"
  check_eq "focus starts in the red box" "$(focused)" "$RED"
  check_eq "no Japanese glyph is missing" "$(grep '^glyphs ' "$INSPECTED")" "glyphs missing=0"
  IFS=, read -r ox oy <<<"$(window_field origin)"
  IFS=, read -r fx fy fw fh <<<"$(window_field frame)"
  shot=$E2E_OUT/config-dialog-full.png
  screenshot "$shot"
  convert-im6.q16 "$shot" -crop "${fw}x${fh}+${fx}+${fy}" +repage "$E2E_OUT/config-dialog.png"
  # A dialog that took the focus while still hidden comes up with an inactive caption.
  check_eq "caption drawn active" "$(pixel_at "$shot" $((fx + fw - 60)) $((fy + 8)))" "50,150,250"
  check_eq "blue ground" "$(pixel_at "$shot" $((ox + 5)) $((oy + 100)))" "0,0,192"
  check_eq "red count box" "$(pixel_at "$shot" $((ox + 138)) $((oy + 72)))" "255,0,0"
  check_eq "blue count box" "$(pixel_at "$shot" $((ox + 212)) $((oy + 72)))" "0,0,255"
  check_eq "light frame interior" "$(pixel_at "$shot" $((ox + 46)) $((oy + 151)))" "192,192,255"
  check "white title text" test "$(count_white "$shot" $((ox + 10)) $((oy + 7)) 155 24)" -gt 150
  check "white version text" test "$(count_white "$shot" $((ox + 173)) $((oy + 10)) 98 22)" -gt 80
  check "white 艦数 label text" test "$(count_white "$shot" $((ox + 24)) $((oy + 54)) 97 16)" -gt 60
  xdotool key Escape
  check "Esc ends the dialog" wait_exit "$pid" 10
  check_eq "Esc stores nothing" "$(stored_all)" "(none) (none) (none)"
fi

# --- Leaving a box corrects it; Tab visits the controls in order ------------------------
if open_dialog; then
  for pair in "abc:2" "-1e9:2" "16:15" "7abc:7abc" "2.5:2.5"; do
    typed=${pair%%:*} want=${pair#*:}
    retype "$typed"
    inspect
    check_eq "red box takes '$typed' as typed" "$(text $RED)" "$typed"
    xdotool key Tab
    inspect
    check_eq "red box '$typed' becomes '$want' on Tab" "$(text $RED)" "$want"
    check_eq "Tab after '$typed' goes to the blue box" "$(focused)" "$BLUE"
    xdotool key shift+Tab
  done
  xdotool key Tab
  retype "1e40"
  for want in $OPT_DESKTOP $OK $CANCEL $UPD_R $UPD_B $RED $BLUE; do
    xdotool key Tab
    inspect
    check_eq "Tab order reaches $want" "$(focused)" "$want"
  done
  check_eq "blue box '1e40' becomes 15" "$(text $BLUE)" "15"
  # Now OK by mouse with ブルー単色: red "2.5" -> 2, blue "3.4" -> 3.
  retype "3.4"
  click_control $OPT_BLUE
  click_control $OK
  check "OK ends the dialog" wait_exit "$pid" 10
  check_eq "OK stores the corrected counts and ブルー単色" "$(stored_all)" "2 3 1"
fi

# --- Enter in a count box corrects, stores and ends ------------------------------------
reg_set Setting RedCount 7; reg_set Setting BlueCount 9; reg_set Setting BackGround 1
if open_dialog; then
  inspect
  check_eq "stored 7 shown" "$(text $RED)" "7"
  check_eq "stored ブルー単色 selected" "$(field $OPT_BLUE checked)" "1"
  retype "0"
  xdotool key Return
  check "Enter ends the dialog" wait_exit "$pid" 10
  check_eq "Enter stores the corrected count" "$(stored_all)" "2 9 1"
fi

# --- Alt+O stores "7abc" as 7 and デスクトップ as 0 ---------------------------------------
if open_dialog; then
  retype "7abc"
  xdotool key Tab Tab Up
  inspect
  check_eq "arrow key selects デスクトップ" "$(field $OPT_DESKTOP checked)" "1"
  xdotool key alt+o
  check "Alt+O ends the dialog" wait_exit "$pid" 10
  check_eq "Alt+O stores 7 and デスクトップ" "$(stored_all)" "7 9 0"
fi

# --- Cancel, Alt+C, Esc and Alt+F4 after edits store nothing ---------------------------
for way in click alt+c Escape alt+F4; do
  if open_dialog; then
    retype "12"
    xdotool key Tab
    retype "3"
    inspect
    case $way in click) click_control $CANCEL ;; *) xdotool key "$way" ;; esac
    check "$way ends the dialog" wait_exit "$pid" 10
    check_eq "$way stores nothing" "$(stored_all)" "7 9 0"
  fi
done

# --- Enter on an up-down presses OK and keeps the typed count ---------------------------
if open_dialog; then
  retype "12"
  xdotool key Tab Tab Tab Tab Tab Up
  inspect
  check_eq "Tab after Cancel reaches the red up-down; Up steps the typed count" "$(focused) $(text $RED)" "$UPD_R 13"
  xdotool key Return
  check "Enter on an up-down ends the dialog" wait_exit "$pid" 10
  xdotool keyup Return
  check_eq "Enter on an up-down stores, as OK" "$(stored_all)" "13 9 0"
fi

# --- Up-down arrows step the box within 2..15 ------------------------------------------
reg_set Setting RedCount 13; reg_set Setting BlueCount 4
if open_dialog; then
  inspect
  for _ in 1 2 3 4; do click_control $UPD_R up; sleep 0.3; done
  for _ in 1 2 3 4; do click_control $UPD_B down; sleep 0.3; done
  inspect
  check_eq "red up-down stops at 15" "$(text $RED)" "15"
  check_eq "blue up-down stops at 2" "$(text $BLUE)" "2"
  click_control $UPD_R down; sleep 0.3
  inspect
  check_eq "red up-down steps down by one" "$(text $RED)" "14"
  xdotool key Escape
  check "Esc ends the dialog" wait_exit "$pid" 10
  check_eq "arrows alone store nothing" "$(stored_all)" "13 4 0"
fi

# --- Opened by the Screen Saver Settings window ("/c:HWND") ------------------------------
# preview_host.exe plays that window: the dialog is owned by it (so no taskbar button of its
# own), keeps it disabled while open, opens centred over it (moved onto the work area near
# the screen's edge), and every way out enables it again. A junk handle leaves the host alone.
SCR_WIN="Z:${SCR//\//\\}"
host_value() { tr -d '\r' <"$E2E_OUT/host.txt" | sed -n "s/^$1=//p"; }
near_zero() { IFS=, read -r cx cy <<<"$1"; [ "${cx#-}" -le 1 ] && [ "${cy#-}" -le 1 ]; }  # odd sizes round
reg_clear
for run in "ok /c:%u 300,200 host" "cancel /c:%u 300,200 host" "esc /c_%u 300,200 host" "close /c:%u 300,200 host" \
  "enter /c:%u -100,560 edge" "cancel /c:1 300,200 alone" "esc /c:65535 300,200 alone"; do
  read -r way arg at where <<<"$run"
  arg=${arg/_/ }  # "/c 1234", the form with a blank
  "$WINE" "$HOST" "$SCR_WIN" --switch "$arg" --at "$at" --end "$way" </dev/null >"$E2E_OUT/host.txt" 2>/dev/null
  what="'$arg' at $at, $way" owned=1
  [ "$where" == alone ] && owned=0
  check_eq "$what: owner, host disabled, app window" \
    "$(host_value dialog_found) $(host_value owner_is_host) $(host_value host_disabled) $(host_value app_window)" "1 $owned $owned 0"
  case $where in
    host) check "$what: centred over the host" near_zero "$(host_value host_centre_offset)" ;;
    alone) check "$what: centred on the screen" near_zero "$(host_value screen_centre_offset)" ;;
    edge) check_eq "$what: moved onto the work area" "$(host_value dialog_origin | cut -d, -f1)" 0 ;;
  esac
  check_eq "$what: ends, host enabled again" "$(host_value dialog_ended) $(host_value host_enabled)" "1 1"
done
check_eq "Enter and OK over the host store, the other ways do not" "$(stored_all)" "5 5 0"

# --- A 120 dpi display scales the whole dialog ------------------------------------------
"$WINE" reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
reg_clear
if open_dialog; then
  inspect
  check_eq "dpi seen" "$(window_field dpi)" "120"
  check_eq "client area at 120 dpi" "$(window_field client)" "350x265"
  check_eq "red box at 120 dpi" "$(field $RED x),$(field $RED y),$(field $RED w)" "154,58,38"
  screenshot "$E2E_OUT/config-dialog-120dpi-full.png"
  xdotool key Escape
  check "Esc ends the dialog" wait_exit "$pid" 10
fi
# Every text and every count 2..15 fits its control at each scaling Windows offers (the
# dialog's own Windows tests, run at that dpi).
UNIT_TESTS=$BRACKMER_WINDOWS_BUILD_DIR/tests/settings/settings_win32_tests.exe
for dpi in 96 120 144 168 192; do
  "$WINE" reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  check "texts and counts fit at $dpi dpi" \
    "$WINE" "$UNIT_TESTS" --gtest_filter=ConfigDialogTest.EveryTextFitsItsControl >"$E2E_OUT/fit-$dpi.txt" 2>&1
done
restore_dpi

finish
