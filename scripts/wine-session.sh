#!/usr/bin/env bash
# One Wine session for a test run or a demo: a private Xvfb display on a free number, a
# private WINEPREFIX prepared for headless use (window focus without a window manager,
# Japanese fonts) and one persistent wineserver. `start DIR` writes DIR/session.env for
# the other scripts to source; `stop DIR` ends the server and the display. `prefix DIR`
# only prepares DIR/prefix (Japanese fonts) for running on the user's own display.
# A size of two monitors, PRIMARY+SECOND (e.g. 1024x768+800x600, the second to the right),
# starts an X.Org server with the dummy driver instead, since Xvfb shows Wine one monitor.
# The display is the first free number from BRACKMER_DISPLAY_BASE (default 90) on, so runs
# that must never meet (a mutation run beside a test run) can be given ranges of their own.
#   usage: wine-session.sh start|stop|prefix DIR [WIDTHxHEIGHT[+WIDTHxHEIGHT]]
set -euo pipefail
cmd=${1:?start|stop}; dir=${2:?session dir}; size=${3:-1024x768}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mkdir -p "$dir"; dir=$(cd "$dir" && pwd)
wine64=/usr/lib/wine/wine64

wine_env() {
  export WINEPREFIX="$dir/prefix" WINEDEBUG=-all LANG=C.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe,winedbg.exe="
  unset LC_ALL
}

stop() {
  [ -f "$dir/session.env" ] || return 0
  # shellcheck disable=SC1091
  source "$dir/session.env"
  wine_env
  timeout 20 wineserver -k 2>/dev/null || true
  timeout 20 wineserver -w 2>/dev/null || true
  # A server whose prefix folder was replaced under it no longer answers -k; it is still
  # ours if it was started for this prefix.
  local pid
  for pid in $(pgrep -f wineserver); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && kill -9 "$pid" 2>/dev/null || true
  done
  if [ -n "${XVFB_PID:-}" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
    kill "$XVFB_PID" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$XVFB_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$XVFB_PID" 2>/dev/null || true
  fi
  rm -f "$dir/session.env" "$dir/xorg.pid" "$dir/hold"
}

# prepare_prefix [headless]: boots the prefix once and gives it the dialog's fonts as on
# Windows: Japanese for "ＭＳ Ｐゴシック", the metric twin Liberation Serif for "Times New
# Roman" (a wider serif clips the title label), and Marlett for the caption buttons.
# headless also lets Wine manage focus itself, as there is no window manager on Xvfb.
# The mark's name changes whenever the preparation does, so older prefixes get it again.
prepare_prefix() {
  local mark="$WINEPREFIX/.brackmer-ready-2${1:+-$1}"
  [ -f "$mark" ] && return 0
  [ -f "$WINEPREFIX/system.reg" ] || timeout 180 "$wine64" wineboot -i </dev/null >/dev/null 2>&1
  local unmanaged=()
  [ -n "${1:-}" ] && unmanaged=('[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '"Decorated"="Y"' '')
  # UTF-16LE with BOM and CRLF is what `reg import` reads reliably for non-ASCII names.
  printf '%s\r\n' \
    'Windows Registry Editor Version 5.00' '' "${unmanaged[@]}" \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"ＭＳ Ｐゴシック"="IPAPGothic"' '"MS PGothic"="IPAPGothic"' \
    '"ＭＳ ゴシック"="IPAGothic"' '"MS Gothic"="IPAGothic"' \
    '"Times New Roman"="Liberation Serif"' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]' \
    '"Tahoma"=hex(7):69,00,70,00,61,00,67,00,70,00,2e,00,74,00,74,00,66,00,2c,00,49,00,50,00,41,00,50,00,47,00,6f,00,74,00,68,00,69,00,63,00,00,00,00,00' '' \
    | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$dir/setup.reg"
  timeout 60 "$wine64" regedit /S "$(winepath_of "$dir/setup.reg")" </dev/null >/dev/null 2>&1 \
    || timeout 60 "$wine64" reg import "$(winepath_of "$dir/setup.reg")" </dev/null >/dev/null 2>&1
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  # Debian's Wine ships no Marlett of its own; fonts-wine (scripts/deps.sh) has it.
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  cp /usr/share/fonts/opentype/ipafont-gothic/ipag*.ttf "$fonts/" 2>/dev/null || true
  cp /usr/share/fonts/truetype/liberation/LiberationSerif-*.ttf "$fonts/"
  touch "$mark"
}

winepath_of() { echo "Z:${1//\//\\}"; }
# seed_prefix: fills a prefix not yet booted from one booted once beside the session folders
# (BRACKMER_WINE_TEMPLATE), as booting costs sessions started side by side a dozen seconds
# of CPU each. Wine's own programs, most of its 700 MB, are linked, not copied, since
# nothing writes them; every other file is the prefix's own. Run before the prefix's
# server starts, which would otherwise keep and save the empty registry it found.
seed_prefix() {
  local template=${BRACKMER_WINE_TEMPLATE:-$(dirname "$dir")/.wine-template}
  mkdir -p "$template"
  (
    flock 7
    if [ ! -f "$template/.booted" ]; then
      WINEPREFIX=$template timeout 180 "$wine64" wineboot -i </dev/null >/dev/null 2>&1 7>&- 8>&- 9>&- || true
      WINEPREFIX=$template timeout 30 wineserver -w 7>&- || true
      [ -f "$template/system.reg" ] && touch "$template/.booted"
    fi
  ) 7>"$template.lock"
  [ -f "$template/.booted" ] || return 0
  cp -al "$template/." "$WINEPREFIX/" 2>/dev/null || cp -a "$template/." "$WINEPREFIX/"
  # Debian's Wine names the folder of the server's socket in "wineserver": each prefix its own.
  rm -f "$WINEPREFIX/.booted" "$WINEPREFIX/wineserver"
  local f
  while IFS= read -r -d '' f; do
    cp -p "$f" "$f.own" && mv -f "$f.own" "$f"
  done < <(find "$WINEPREFIX" -type f -links +1 ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.drv' ! -iname '*.sys' -print0)
}

# start_xorg N PRIMARY SECOND: the dummy driver's outputs DUMMY0 and DUMMY1 as two monitors,
# the second to the right of the primary. Wine reads the monitors when its first process
# starts, so this waits until X.Org reports both, and a moment more.
start_xorg() {
  local n=$1 first=$2 second=$3
  cat >"$dir/xorg.conf" <<'EOT'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 4096 2048
  EndSubSection
EndSection
EOT
  Xorg ":$n" -config "$dir/xorg.conf" -noreset -nolisten tcp -logfile "$dir/xorg.log" </dev/null >"$dir/xorg.out" 2>&1 8>&- &
  echo $! >"$dir/xorg.pid"
  local i
  for i in $(seq 100); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && break
    kill -0 "$(cat "$dir/xorg.pid")" 2>/dev/null || { echo "Xorg failed: $(tail -5 "$dir/xorg.log")" >&2; exit 1; }
    sleep 0.1
  done
  xrandr -display ":$n" --output DUMMY0 --mode "$first"
  xrandr -display ":$n" --addmode DUMMY1 "$second" 2>/dev/null || true
  xrandr -display ":$n" --output DUMMY1 --mode "$second" --right-of DUMMY0
  for i in $(seq 50); do
    xrandr -display ":$n" --listmonitors | grep -q '^Monitors: 2' && break
    sleep 0.1
  done
  sleep 1
}

start() {
  stop
  # Sessions that start side by side would all find the same number free: one at a time
  # picks a number and holds it until its server answers there.
  exec 8>"/tmp/.brackmer-display.lock"
  flock 8
  local n first=${BRACKMER_DISPLAY_BASE:-90}
  for n in $(seq "$first" $((first + 109))); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  local xpid xorg=""  # xorg: set when the display is X.Org with two monitors
  if [[ $size == *+* ]]; then
    start_xorg "$n" "${size%%+*}" "${size#*+}"
    xpid=$(cat "$dir/xorg.pid"); xorg=":$n"
  else
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -ac </dev/null >"$dir/xvfb.log" 2>&1 8>&- &
    xpid=$!
    for _ in $(seq 100); do
      xdpyinfo -display ":$n" >/dev/null 2>&1 && break
      kill -0 "$xpid" 2>/dev/null || { echo "Xvfb failed: $(cat "$dir/xvfb.log")" >&2; exit 1; }
      sleep 0.1
    done
  fi
  flock -u 8; exec 8>&-
  export DISPLAY=":$n"
  cat >"$dir/session.env" <<EOT
export DISPLAY=":$n"
export XVFB_PID=$xpid
export TWO_MONITORS=${xorg:+1}
export WINEPREFIX="$dir/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe,winedbg.exe="
export LANG=C.UTF-8
export BRACKMER_WINE_DIR="$dir"
EOT
  wine_env
  mkdir -p "$WINEPREFIX"
  [ -f "$WINEPREFIX/system.reg" ] || seed_prefix
  # A persistent server with its stdio closed: otherwise Wine's helper processes keep the
  # test runner's output pipe open.
  wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
  prepare_prefix headless
  # Wine's desktop process starts with the first window, about 10 s late, and ends soon after
  # the last program: a test that met it ending waited 10 s more for a new one, which then
  # read the wallpaper of that moment (a hostile file, in some tests). It starts here once,
  # and a console left waiting on a pipe nobody writes holds it until the server ends.
  rm -f "$dir/hold"; mkfifo "$dir/hold"
  "$wine64" cmd <>"$dir/hold" >/dev/null 2>&1 9>&- &
  timeout 60 "$wine64" rundll32 user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
  echo "wine session: DISPLAY=:$n WINEPREFIX=$WINEPREFIX"
}

case "$cmd" in
  start) start ;;
  stop) stop ;;
  prefix) wine_env; mkdir -p "$WINEPREFIX"; [ -f "$WINEPREFIX/system.reg" ] || seed_prefix; prepare_prefix ;;
  *) echo "usage: $0 start|stop|prefix DIR [WIDTHxHEIGHT[+WIDTHxHEIGHT]]" >&2; exit 2 ;;
esac
