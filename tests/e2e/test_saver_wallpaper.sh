#!/usr/bin/env bash
# The desktop background where a snapshot cannot show the desktop: the user's wallpaper in
# the user's style on the desktop colour when the capture is blank (Xvfb's root is never
# captured) and when the saver runs on a desktop of its own, as Windows starts a saver that
# locks the session, whatever the user's desktop shows; a junk picture leaves the colour.
source "$(dirname "$0")/lib.sh"

MAIN='Main -- Brackmer Saver'
RUN_ON_DESKTOP="$BRACKMER_WINDOWS_BUILD_DIR/tests/desktop/run_on_desktop.exe"
COLOUR_WINDOW="$BRACKMER_WINDOWS_BUILD_DIR/tests/battle/colour_window.exe"
desktop_set() { "$WINE" reg add "HKCU\\Control Panel\\$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }
desktop_unset() { "$WINE" reg delete "HKCU\\Control Panel\\$1" /v "$2" /f >/dev/null 2>&1; return 0; }

# A 64 x 48 picture in quadrants, red green over yellow magenta, on desktop colour 10 20 30.
wall="$E2E_OUT/wallpaper.bmp"
convert-im6.q16 \( -size 32x24 xc:'#FF0000' xc:'#00FF00' +append \) \
  \( -size 32x24 xc:'#FFFF00' xc:'#FF00FF' +append \) -append -type TrueColor "BMP3:$wall"
old_colour=$("$WINE" reg query 'HKCU\Control Panel\Colors' /v Background 2>/dev/null | tr -d '\r' | awk '$1 == "Background" { $1 = $2 = ""; sub(/^ +/, ""); print }')
desktop_set Desktop Wallpaper "Z:${wall//\//\\}"
# Wine copies system colours into a volatile key the first time a process reads them and
# serves later processes from there: the colour goes to both, as a changed setting would.
TEMPORARY='Software\Wine\Temporary System Parameters\Control Panel\Colors'
colour_set() {
  desktop_set Colors Background "$1"
  "$WINE" reg add "HKCU\\$TEMPORARY" /v Background /t REG_SZ /d "$1" /f >/dev/null 2>&1
}
colour_set '10 20 30'
# No ships: every frame is the background alone, exact to the pixel.
reg_clear
reg_set Setting RedCount 0; reg_set Setting BlueCount 0; reg_set Setting BackGround 0

# shot NAME [launcher]: runs the saver (on its own desktop with run_on_desktop.exe), takes a
# screenshot of its frames into $E2E_OUT/NAME.png and ends it with a click (under Wine the
# keys stay with the X focus, which a window of the user's desktop may hold).
shot() {
  "$WINE" ${2:-} "$SCR" /s </dev/null >/dev/null 2>&1 &
  local pid=$!
  _started_pids+=("$pid")
  if wait_window "$MAIN" 30 >/dev/null; then sleep 1.5; else fail "$1: the saver shows"; fi
  screenshot "$E2E_OUT/$1.png"
  xdotool click 1
  wait_exit "$pid" 10 || fail "$1: a click ends the saver"
}
# expect NAME "X,Y=R,G,B ...": the screenshot's pixels.
expect() {
  local at
  for at in $2; do check_eq "$1 at ${at%%=*}" "$(pixel_at "$E2E_OUT/$1.png" "${at%%,*}" "$(cut -d, -f2 <<<"${at%%=*}")")" "${at#*=}"; done
}
RED=255,0,0 GREEN=0,255,0 YELLOW=255,255,0 MAGENTA=255,0,255 COLOUR=10,20,30

desktop_set Desktop WallpaperStyle 2
shot wallpaper-stretch
expect wallpaper-stretch "0,0=$RED 511,383=$RED 512,383=$GREEN 511,384=$YELLOW 1023,767=$MAGENTA"
desktop_set Desktop WallpaperStyle 0; desktop_set Desktop TileWallpaper 0
shot wallpaper-centre
expect wallpaper-centre "479,360=$COLOUR 480,359=$COLOUR 480,360=$RED 543,407=$MAGENTA 544,407=$COLOUR 543,408=$COLOUR"
# The same picture as a PNG, which only the system's imaging component reads.
convert-im6.q16 "$wall" "$E2E_OUT/wallpaper.png"
desktop_set Desktop Wallpaper "Z:${E2E_OUT//\//\\}\\wallpaper.png"
desktop_set Desktop TileWallpaper 1
shot wallpaper-tile
expect wallpaper-tile "63,47=$MAGENTA 64,0=$RED 64,72=$YELLOW 1023,767=$MAGENTA"

# On its own desktop the user's window is not what the user's desktop shows.
desktop_set Desktop WallpaperStyle 2
"$WINE" "$COLOUR_WINDOW" Window 0 0 300 200 00FFFF </dev/null >/dev/null 2>&1 &
_started_pids+=("$!")
wait_window Window 30 >/dev/null && sleep 1
shot wallpaper-own-desktop "$RUN_ON_DESKTOP"
expect wallpaper-own-desktop "10,10=$RED 1023,767=$MAGENTA"

# A wallpaper file that is no picture leaves the desktop colour.
printf 'BM junk' >"$E2E_OUT/junk.bmp"
desktop_set Desktop Wallpaper "Z:${E2E_OUT//\//\\}\\junk.bmp"
shot wallpaper-junk "$RUN_ON_DESKTOP"
expect wallpaper-junk "0,0=$COLOUR 512,384=$COLOUR"

for value in Wallpaper WallpaperStyle TileWallpaper; do desktop_unset Desktop "$value"; done
colour_set "${old_colour:-37 111 149}"
reg_clear
finish
