#!/usr/bin/env bash
# The saver on high-DPI displays: the ships are enlarged by whole steps of 96 dpi, so a ship
# at 192 dpi shows exactly twice as wide and high as at 96 dpi, and three times at 288 dpi.
# One red ship and no enemy keeps its place and its right-heading side view for ever, so
# the non-sea pixels of a screenshot are exactly that one drawing (108 x 23 at 96 dpi).
source "$(dirname "$0")/lib.sh"

MAIN='Main -- Brackmer Saver'
DPI_KEY='HKCU\Control Panel\Desktop'
restore_dpi() { "$WINE" reg delete "$DPI_KEY" /v LogPixels /f >/dev/null 2>&1; return 0; }
trap 'restore_dpi; reg_clear; e2e_cleanup' EXIT

# ship_box PNG: "WxH" of everything that is not the sea colour.
ship_box() {
  convert-im6.q16 "$1" -fill white +opaque 'rgb(0,0,170)' -fill black -opaque 'rgb(0,0,170)' \
    -format '%@' info: | sed 's/+.*//'
}

reg_clear
reg_set Setting RedCount 1
reg_set Setting BlueCount 0
reg_set Setting BackGround 1
for case in 96:108x23 191:108x23 192:216x46 288:324x69; do
  dpi=${case%%:*} expected=${case#*:}
  "$WINE" reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  scr_start /s
  pid=$LAST_PID
  if win=$(wait_window "$MAIN" 30); then
    wait_focus "$win" 5
    # A loaded machine may take a while to the first frame with the ship; it never moves.
    shot="$E2E_OUT/saver-${dpi}dpi.png" box=0x0
    for ((i = 0; i < 40; i++)); do
      sleep 0.25
      screenshot "$shot"
      box=$(ship_box "$shot" 2>/dev/null)
      [ "$box" != 0x0 ] && break
    done
    check_eq "one ship at $dpi dpi measures $expected" "$box" "$expected"
  else
    fail "the saver starts at $dpi dpi"
  fi
  xdotool key Escape; xdotool keyup Escape
  wait_exit "$pid" 10 || scr_kill "$pid"
done

finish
