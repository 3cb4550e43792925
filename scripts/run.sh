#!/usr/bin/env bash
# Installs what is missing, builds dist/BrackmerSaver.scr and runs it under Wine.
#  - With $DISPLAY set: the saver runs full screen on that display until a key, a click or a
#    mouse jump ends it (pass "/c" to open the settings dialog instead).
#  - Without a display: a private virtual display; the script shows the settings dialog, the
#    battle on the plain sea and on a desktop snapshot, and saves screenshots, saying where.
#    BRACKMER_SCREEN sets its size; two sizes joined by "+" (1024x768+800x600) give it two
#    monitors side by side.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BRACKMER_BUILD:-$root/build}
shots=${BRACKMER_SCREENSHOTS:-$root/screenshots}
scr=$root/dist/BrackmerSaver.scr
wine64=/usr/lib/wine/wine64

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target windows_build

if [ -n "${DISPLAY:-}" ]; then
  echo "Preparing the Wine prefix (the first time takes a little while)..."
  "$root/scripts/wine-session.sh" prefix "$build/wine-desktop"
  export WINEPREFIX=$build/wine-desktop/prefix WINEDEBUG=-all LANG=${LANG:-C.UTF-8}
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe,winedbg.exe="
  echo "Running the saver on $DISPLAY: press any key or click to end it."
  exec "$wine64" "$scr" "${1:-/s}"
fi

session=$build/wine-run
"$root/scripts/wine-session.sh" start "$session" "${BRACKMER_SCREEN:-1280x720}" >/dev/null
trap '"$root/scripts/wine-session.sh" stop "$session"' EXIT
# shellcheck disable=SC1091
source "$session/session.env"
mkdir -p "$shots"
key='HKCU\Software\VB and VBA Program Settings\BrackmerSaver\Setting'
shot() { xwd -root -silent | convert-im6.q16 xwd:- "$shots/$1"; echo "  $shots/$1"; }
wait_title() {
  for _ in $(seq 300); do xdotool search --name "^$1\$" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

echo "Screenshots:"
# Something on the desktop for the desktop-snapshot background: a text editor and the
# settings dialog stay open while the saver runs over them.
printf 'Brackmer Saver\r\nThe battle is fought on a snapshot of this desktop.\r\n' >"$session/desktop.txt"
"$wine64" notepad "Z:${session//\//\\}\\desktop.txt" >/dev/null 2>&1 &
editor=$!
# The dialog opens once the editor shows, so it lies on top of it.
wait_title 'desktop.txt - Notepad' || true
"$wine64" "$scr" /c >/dev/null 2>&1 &
dialog=$!
if wait_title 'Brackmer Saver設定'; then
  sleep 1
  shot desktop-with-dialog.png
  # The dialog alone, as the README shows it: its window cut from the screen.
  eval "$(xdotool search --name '^Brackmer Saver設定$' getwindowgeometry --shell | head -n 5)"
  convert-im6.q16 "$shots/desktop-with-dialog.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/config-dialog.png"
  echo "  $shots/config-dialog.png"
fi

for bg in 1 0; do
  "$wine64" reg add "$key" /v BackGround /t REG_SZ /d "$bg" /f >/dev/null 2>&1
  "$wine64" "$scr" /s >/dev/null 2>&1 &
  pid=$!
  if wait_title 'Main -- Brackmer Saver'; then
    for i in 1 2 3 4 5 6; do sleep 1.5; shot "battle-background$bg-$i.png"; done
  fi
  xdotool key space 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
kill "$dialog" "$editor" 2>/dev/null || true
"$wine64" reg delete "$key" /v BackGround /f >/dev/null 2>&1 || true
echo "The saver ran on a virtual display; the screenshots above show it."
