#!/usr/bin/env bash
# Shared part of the end-to-end tests of the real BrackmerSaver.scr under Wine: starting
# programs, settings put back at a case's end, screen readings, the checks every run ends
# with, and the runner of cases.sh's table (actions observe, expectations judge).
set -uo pipefail

: "${BRACKMER_WINE_DIR:?run through ctest, or export BRACKMER_WINE_DIR of a started session}"
# shellcheck disable=SC1091
source "$BRACKMER_WINE_DIR/session.env"
WINE=/usr/lib/wine/wine64
SCR=${BRACKMER_SCR:?path of BrackmerSaver.scr}
BUILD=${BRACKMER_WINDOWS_BUILD_DIR:?the Windows build tree}
SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\BrackmerSaver'
E2E_OUT=${E2E_OUT:-$BRACKMER_WINE_DIR/e2e-output}
mkdir -p "$E2E_OUT"
MAIN='Main -- Brackmer Saver' MONITOR='Monitor -- Brackmer Saver' PREVIEW='Preview -- Brackmer Saver'
DIALOG='Brackmer Saver設定' REPORT='Brackmer Saver'
SEA=0,0,170
USER_LOGS="$WINEPREFIX/drive_c/users/*/AppData/Local/BrackmerSaver"
CASE=${CASE:-$(basename "$0" .sh)}

# program NAME: the .scr, a fault build of it (fault*) or a test program of the Windows build.
program() {
  case $1 in
    scr) echo "$SCR" ;;
    fault*) echo "$BUILD/$1/BrackmerSaver.scr" ;;
    *) compgen -G "$BUILD/tests/*/$1.exe" | head -n 1 ;;
  esac
}
winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
# place PROGRAM FOLDER: a fresh copy in FOLDER, so that any ErLog.txt there is its alone.
place() {
  chmod -R u+w "$2" 2>/dev/null; rm -rf "$2"; mkdir -p "$2"
  cp "$1" "$2/" && echo "$2/$(basename "$1")"
}

_started_pids=() _undo=() _failures=0 _checks=0 _watcher= HELPERS=() PHASE=
declare -A MARKS=()

fail() { echo "FAIL: $CASE: $*"; _failures=$((_failures + 1)); _checks=$((_checks + 1)); }
pass() { echo "ok: $CASE: $*"; _checks=$((_checks + 1)); }
# check "description" command...: never among a row's actions, so that what a row expects
# stays in its own column. Under QUIET (a poll asking whether it holds yet) it only notes.
check() {
  local what=$1; shift
  [ -z "${QUIET:-}" ] || { "$@" || UNMET=1; return 0; }
  [ "$PHASE" != act ] || { fail "a check among the actions: $what"; return; }
  if "$@"; then pass "$what"; else fail "$what"; fi
}
check_eq() { if [ "$2" == "$3" ]; then check "$1" true; else check "$1: expected '$3', got '$2'" false; fi; }
# need "what" command...: a condition of the set-up; without it the case means nothing.
need() { local what=$1; shift; "$@" || { fail "set-up: $what"; return 1; }; }

finish() { echo "$((_checks - _failures)) passed, $_failures failed"; [ "$_failures" -eq 0 ] && [ "$_checks" -gt 0 ]; exit $?; }

# --- Processes ------------------------------------------------------------------------
# launch PROGRAM ARGS...: in the background, output to $LAUNCH_OUT (or nowhere); its id is
# $LAST_PID, and the case's end stops it. A case's helper programs go into HELPERS too.
launch() {
  reg_flush
  # Emptied before the start: a reader must not find the last run's lines in it.
  [ -n "${LAUNCH_OUT:-}" ] && : >"$LAUNCH_OUT"
  "$WINE" "$@" </dev/null >"${LAUNCH_OUT:-/dev/null}" 2>/dev/null &
  LAST_PID=$!
  _started_pids+=("$LAST_PID")
}
stop_pid() { { kill -9 "$1"; wait "$1"; } 2>/dev/null; return 0; }

# within SECONDS COMMAND...: every 0.1 s until it succeeds; 1 on time-out.
within() {
  local end=$((${EPOCHREALTIME/./} / 1000 + $(awk -v s="$1" 'BEGIN { print int(s * 1000) }'))); shift
  until "$@"; do ((${EPOCHREALTIME/./} / 1000 < end)) || return 1; sleep 0.1; done
}
# wait_exit PID SECONDS: the exit status is then $EXIT_CODE.
dead() { ! kill -0 "$1" 2>/dev/null; }
wait_exit() { within "$2" dead "$1" || return 1; wait "$1" 2>/dev/null; EXIT_CODE=$?; }

# in_session PATTERN: matching processes of this prefix only; other sessions on the machine
# run programs of the same names.
in_session() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}
kill_in_session() { local pid; for pid in $(in_session "$1"); do kill -9 "$pid" 2>/dev/null; done; return 0; }

# undo COMMAND...: at the end of the case, the last one first.
undo() { _undo+=("$(printf '%q ' "$@")"); }

e2e_cleanup() {
  local pid i
  # Whatever ran may have written the saver's settings.
  ((${#_started_pids[@]})) && _reg_back+=("[-$SETTINGS_ROOT]")
  [ -n "$_watcher" ] && { kill "$_watcher"; wait "$_watcher"; } 2>/dev/null; _watcher=
  for pid in "${_started_pids[@]}"; do stop_pid "$pid"; done
  _started_pids=() HELPERS=()
  # Anything of ours that outlived its test (a child the test did not start itself).
  kill_in_session 'BrackmerSaver\.scr'; kill_in_session 'preview_host'
  for ((i = ${#_undo[@]} - 1; i >= 0; i--)); do eval "${_undo[i]}" >/dev/null 2>&1; done
  _undo=() _reg_now=()
  reg_flush _reg_back
}
trap e2e_cleanup EXIT

# --- Windows and input ------------------------------------------------------------------
# find_window TITLE [OPTION...]: its windows by exact title (e.g. --onlyvisible: mapped only).
find_window() { xdotool search "${@:2}" --name "^$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$" 2>/dev/null; }
found() { FOUND=$(find_window "$@" | head -n 1); [ -n "$FOUND" ]; }
wait_window() { within "$2" found "$1" "${@:3}" && echo "$FOUND"; }
# wait_focus WINDOW SECONDS: keys sent before the window has the focus can be lost.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ] || { xdotool windowfocus "$1" 2>/dev/null; false; }; }
wait_focus() { within "$2" has_focus "$1"; }

# press KEY: a key, then its release (a window that closes on key-down leaves it held).
press() { xdotool key "$1"; xdotool keyup "$1" 2>/dev/null; return 0; }

# watch_reports FILE: created whenever an error report shows, until the case ends.
watch_reports() { rm -f "$1"; (while :; do [ -n "$(find_window "$REPORT")" ] && : >"$1"; sleep 0.1; done) & _watcher=$!; }

# --- Settings ---------------------------------------------------------------------------
# Each Wine process costs a few tenths of a second: a case's writes go out in one regedit
# run before its next program starts, its put-backs in one more at its end.
_reg_now=() _reg_back=() _dump=
# reg_line NAME TYPE DATA: the .reg line that sets the value (TYPE "-" deletes it).
reg_line() {
  local data=${3//\\/\\\\}
  case $2 in
    -) echo "\"$1\"=-" ;;
    REG_DWORD) printf '"%s"=dword:%08x\n' "$1" "$(($3))" ;;
    *) echo "\"$1\"=\"${data//\"/\\\"}\"" ;;
  esac
}
reg_flush() {
  local -n lines=${1:-_reg_now}
  ((${#lines[@]})) || return 0
  local file=$E2E_OUT/$CASE.reg
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' "${lines[@]}" '' | iconv -f UTF-8 -t UTF-16LE |
    { printf '\xff\xfe'; cat; } >"$file"
  "$WINE" regedit /S "$(winpath "$file")" </dev/null >/dev/null 2>&1
  lines=() _dump=
}
# reg_pick KEY_END NAME <QUERY: from `reg query` output, the value NAME of the key whose path
# ends in KEY_END: its type, then its data; 1 when it is missing.
reg_pick() {
  K=$1 N=$2 awk '/^HKEY/ { here = substr($0, length($0) - length(ENVIRON["K"]) + 1) == ENVIRON["K"]; next }
    here && $1 == ENVIRON["N"] && $2 ~ /^REG_/ { print $2; sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]*/, ""); print; f = 1 }
    END { exit !f }'
}
# reg_get SECTION NAME: the saver's stored string; the expectations share one reading.
reg_get() {
  [ "$PHASE" == expect ] && [ -n "$_dump" ] || _dump=$("$WINE" reg query "$SETTINGS_KEY" /s 2>/dev/null | tr -d '\r')_
  reg_pick "\\$1" "$2" <<<"${_dump%_}" | sed 1d
}
reg_set() { _reg_now+=("[$SETTINGS_ROOT\\$1]" "$(reg_line "$2" REG_SZ "$3")"); }
reg_clear() { "$WINE" reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1; return 0; }
SETTINGS_ROOT="HKEY_CURRENT_USER${SETTINGS_KEY#HKCU}"

# put KEY NAME TYPE DATA: sets a value under HKCU for this case; its end puts back what
# was there before (read once per session), or deletes the value.
put() {
  local key="HKEY_CURRENT_USER\\$1" cache type=- data=
  cache="$BRACKMER_WINE_DIR/pristine/$(printf '%s' "$1|$2" | md5sum | cut -c1-16)"
  if [ ! -f "$cache" ]; then
    mkdir -p "${cache%/*}"
    "$WINE" reg query "HKCU\\$1" /v "$2" 2>/dev/null | tr -d '\r' | reg_pick "\\$1" "$2" >"$cache" || echo - >"$cache"
  fi
  { read -r type; IFS= read -r data; } <"$cache"
  _reg_back+=("[$key]" "$(reg_line "$2" "$type" "$data")")
  _reg_now+=("[$key]" "$(reg_line "$2" "$3" "$4")")
}

# --- The screen -------------------------------------------------------------------------
screen_size() { xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ { print $2 }'; }
monitor_count() { xrandr -display "$DISPLAY" --listmonitors 2>/dev/null | sed -n 's/^Monitors: //p'; }
screenshot() { xwd -root -silent -display "$DISPLAY" | convert-im6.q16 xwd:- "$1"; }

pixel_at() { convert-im6.q16 "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# colour_count PNG COLOUR [GEOMETRY]: pixels of COLOUR (R,G,B or a name) in the rectangle.
im_colour() { if [[ $1 == *,* ]]; then echo "rgb($1)"; else echo "$1"; fi; }
colour_count() {
  convert-im6.q16 "$1" ${3:+-crop "$3" +repage} -alpha off -transparent "$(im_colour "$2")" \
    -alpha extract -negate -format '%[fx:round(mean*w*h)]' info:
}
# other_box PNG COLOUR: "WxH" of the box around every pixel that is not COLOUR.
other_box() { local c; c=$(im_colour "$2"); convert-im6.q16 "$1" -fill white +opaque "$c" -fill black -opaque "$c" -format '%@' info: | sed 's/+.*//'; }
differing() {
  convert-im6.q16 \( "$1" -crop "$3" +repage \) \( "$2" -crop "$3" +repage \) -compose difference -composite \
    -threshold 0 -format '%[fx:int(mean*w*h)]' info:
}

# --- The checks every run ends with ---------------------------------------------------------
expect_ended() { check "ends within ${1:-10} s" wait_exit "$PID" "${1:-10}"; }
expect_running() { check "still ran at mark $1" test "${MARKS[$1]:-}" == running; }
expect_exit() { check_eq "exit status" "${EXIT_CODE:-none}" "$1"; }
expect_noreport() { check "shows no error report" test ! -e "$REPORTS" -a -z "$(find_window "$REPORT")"; }
log_lines() { if [ -f "$1" ]; then wc -l <"$1" | tr -d ' '; else echo "no file"; fi; }
expect_nolog() { check_eq "writes no ErLog.txt" "$(log_lines "$LOG")$(compgen -G "$USER_LOGS/ErLog.txt")" "no file"; }
expect_log() { check_eq "ErLog.txt beside the program holds one line, '$1'" "$(log_lines "$LOG") $(tr -d '\r' <"$LOG" 2>/dev/null)" "1 $1"; }
expect_gone() { local t; check_eq "leaves no window" "$(for t in "$MAIN" "$MONITOR" "$DIALOG" "$PREVIEW"; do find_window "$t"; done)" ""; }
expect_display() { check_eq "gives the display back" "$(screen_size) $(monitor_count)" "$SIZE_BEFORE $MONITORS_BEFORE"; }
expect_ends() { expect_ended "$@"; expect_exit 0; expect_noreport; expect_nolog; expect_gone; expect_display; }
expect_version() {
  check_eq "records its version and folder" "$(reg_get UpdateInfo CurrentVersion) $(reg_get UpdateInfo ApplicationPath)" \
    "1.00.0000 $(winpath "$(dirname "$PROGRAM")")"
}
stored() { reg_get Setting "$1" || echo -; }
expect_stored() { check_eq "stored red,blue,background" "$(stored RedCount),$(stored BlueCount),$(stored BackGround)" "$1"; }
# Colours and rectangles in the table are R,G,B and WxH+X+Y, or the name of a variable.
named() { if [[ $1 == [A-Z]* ]]; then echo "${!1}"; else echo "$1"; fi; }
# px:X,Y=COLOUR: a pixel of the case's screenshot.
expect_px() { local at=${1%%=*}; check_eq "pixel $at" "$(pixel_at "$SHOT" "${at%,*}" "${at#*,}")" "$(named "${1#*=}")"; }
# count:COLOUR@RECTANGLE<N (or >N, =N): how many pixels of the screenshot's rectangle show it.
expect_count() {
  local colour rect=${1#*@} n op got
  colour=$(named "${1%%@*}") n=${rect##*[<>=]} op=${rect%"$n"}; op=${op: -1} rect=$(named "${rect%[<>=]*}")
  got=$(colour_count "$SHOT" "$colour" "$rect")
  check "pixels of $colour in $rect: $got $op $n" test "$got" "-$(case $op in '<') echo lt ;; '>') echo gt ;; *) echo eq ;; esac)" "$n"
}
# host:KEY=VALUE: one line of a host program's output.
host_value() { tr -d '\r' <"$OUT" | sed -n "s/^$1=//p" | head -n 1; }
expect_host() { check_eq "host finds ${1%%=*}" "$(host_value "${1%%=*}")" "${1#*=}"; }

# --- Steps of a case: they act and observe, and check nothing -------------------------------
# show[:TITLE]: waits for the case's window (saver frames get a moment more); it is $WIN.
# A saver frame counts once it is mapped: it is made hidden well before it shows, and a
# move made before then is one the user made on the desktop.
step_show() {
  local title=${1:-$TITLE}
  [ -n "${!title:-}" ] && title=${!title}
  case $title in
    "$MAIN" | "$MONITOR") WIN=$(wait_window "$title" 30 --onlyvisible) && sleep 1.5 ;;
    *) WIN=$(wait_window "$title" 30) ;;
  esac || { fail "shows '$title'"; return 1; }
}
step_focus() { need "window $WIN takes the keyboard" wait_focus "$WIN" 10; }
step_key() { press "$1"; }
step_click() { xdotool click "$1"; }
step_to() { xdotool mousemove "${1%,*}" "${1#*,}"; }
step_by() { xdotool mousemove_relative -- "${1%,*}" "${1#*,}"; }
step_sleep() { sleep "$1"; }
# shot[:NAME]: a screenshot, $SHOT or $E2E_OUT/CASE-NAME.png; mark:NAME: whether the program
# still runs (expectation running:NAME); geometry: where $WIN is; pointer: where it is.
step_shot() { screenshot "${1:+$E2E_OUT/$CASE-}${1:-$SHOT}${1:+.png}"; }
step_mark() { MARKS[$1]=gone; if kill -0 "$PID" 2>/dev/null; then MARKS[$1]=running; fi; }
step_geometry() { local WINDOW X Y WIDTH HEIGHT SCREEN; eval "$(xdotool getwindowgeometry --shell "$WIN")"; GEOMETRY=${WIDTH}x${HEIGHT}+${X}+${Y}; }
step_pointer() { POINTER_SEEN=$(xdotool getmouselocation --shell | sed -n 's/^[XY]=//p' | paste -sd,); }
# until:EXPECTATION: screenshots ($SHOT) for up to 30 s until the expectation would pass on
# one (first frames and late pictures come when they come under load); the expectations
# then judge the last one. The screen's size meanwhile is $SIZE_SEEN.
holds() { screenshot "$SHOT"; SIZE_SEEN=$(screen_size) UNMET=; QUIET=1 word_call expect "$1"; [ -z "$UNMET" ]; }
step_until() { within 30 holds "$1"; }
# beside:SWITCHES ("_" for a blank): another start while this one runs (or after it); what
# it did is noted for the expectation beside.
step_beside() {
  local -a a
  read -ra a <<<"${1//_/ }"
  reg_clear
  timeout -k 2 30 "$WINE" "$PROGRAM" "${a[@]}" </dev/null >/dev/null 2>&1
  BESIDE+=("${1//_/ }: exit $?, version $(reg_get UpdateInfo CurrentVersion), windows '$(find_window "$DIALOG")$(find_window "$PREVIEW")'")
}
# again:SWITCHES: once the run has ended, the program starts again (its id is then $PID);
# the log as the first run left it is $LOG_BEFORE.
step_again() {
  need "the first run ends" wait_exit "$PID" 10 || return 1
  LOG_BEFORE="$(tr -d '\r' <"$LOG" 2>/dev/null) $(stat -c %Y.%s "$LOG" 2>/dev/null)"
  launch "$PROGRAM" "${1//_/ }"
  PID=$LAST_PID
}
expect_beside() { local b; for b in "${BESIDE[@]}"; do check_eq "another start ends at once, quietly" "$b" "${b%%:*}: exit 0, version 1.00.0000, windows ''"; done; }
expect_geometry() { check_eq "the window's place" "${GEOMETRY:-}" "$1"; }
expect_pointer() { check_eq "the pointer's place" "${POINTER_SEEN:-}" "$1"; }

# word_call step|expect WORD: "verb[:ARG]" (an expectation also "verb=VALUE") calls step_VERB
# or expect_VERB, acting and observing or judging; fn:NAME[:ARGS] a function of the table.
word_call() {
  local kind=$1 verb=${2%%:*} arg= a
  [[ $2 == *:* ]] && arg=${2#*:}
  [[ $verb == *=* ]] && { "expect_${verb%%=*}" "${2#*=}"; return; }
  if [ "$verb" == fn ]; then IFS=: read -ra a <<<"$arg"; "${a[@]}"; else "${kind}_$verb" $arg; fi
}

# setting WORD: Name=Value of the saver's settings, dpi=N, at=X,Y (the pointer before the
# start), or +FUNCTION[:ARGS] of the table to prepare the case (it may start programs).
setting() {
  case $1 in
    dpi=*) put 'Control Panel\Desktop' LogPixels REG_DWORD "${1#dpi=}" ;;
    at=*) POINTER=${1#at=} ;;
    +*) local -a a; IFS=: read -ra a <<<"${1#+}"; "${a[@]}" ;;
    *=*) reg_set Setting "${1%%=*}" "${1#*=}" ;;
  esac
}

# run_case NAME PROGRAM LAUNCH SETTINGS ACTIONS EXPECTATIONS: one row. LAUNCH is the switches,
# after "host" (preview_host.exe starts the program) or "desktop" (on a desktop of its own).
run_case() {
  CASE=$1
  local name=$2 launch=$3 settings=$4 word
  local -a args
  eval "args=($launch)"
  echo "--- $CASE"
  _reg_now=("[-$SETTINGS_ROOT]")
  rm -rf $(compgen -G "$USER_LOGS")
  SIZE_BEFORE=$(screen_size) MONITORS_BEFORE=$(monitor_count) POINTER=500,400 EXIT_CODE= BESIDE=() MARKS=()
  SHOT=$E2E_OUT/$CASE.png OUT=$E2E_OUT/$CASE.out REPORTS=$E2E_OUT/$CASE.reports
  PROGRAM=$(program "$name")
  [[ $PROGRAM == *.scr ]] && PROGRAM=$(place "$PROGRAM" "$E2E_OUT/case-$CASE")
  LOG=$(dirname "$PROGRAM")/ErLog.txt
  for word in $settings; do setting "$word"; done
  case " ${args[*]:0:2} " in
    *' /s '* | *' /S '*) TITLE=MAIN ;;
    *' /p '* | *' /P '*) TITLE=PREVIEW ;;
    *) TITLE=DIALOG ;;
  esac
  step_to "$POINTER"
  case ${args[0]:-} in
    host) LAUNCH_OUT=$OUT launch "$(program preview_host)" "$(winpath "$PROGRAM")" "${args[@]:1}" ;;
    desktop) LAUNCH_OUT=$OUT launch "$(program run_on_desktop)" "$PROGRAM" "${args[@]:1}" ;;
    *) LAUNCH_OUT=$OUT launch "$PROGRAM" "${args[@]}" ;;
  esac
  PID=$LAST_PID
  watch_reports "$REPORTS"
  PHASE=act
  for word in $5; do word_call step "$word"; done
  PHASE=expect
  for word in $6; do word_call expect "$word"; done
  PHASE=
  e2e_cleanup
}

# run_table [NAME...] <TABLE: the named rows, or all of this session's (two-* rows need the
# two monitors'); a line ending in "\" goes on.
run_table() {
  local name program launch settings action expect two ran=0 defaults=
  # shellcheck disable=SC2162  # a "\" at the end of a line joins the next one
  while IFS='|' read name program launch settings action expect; do
    [[ $name == defaults:* ]] && { defaults=${name#defaults:}; continue; }
    name=${name// /}
    [[ -z $name || $name == \#* ]] && continue
    two=; [[ $name == two-* ]] && two=1
    if [ $# -gt 0 ]; then
      [[ " $* " == *" $name "* ]] || continue
      [ "$two" == "${TWO_MONITORS:-}" ] || { fail "$name needs the other session (two monitors: ${two:-no})"; continue; }
    elif [ "$two" != "${TWO_MONITORS:-}" ]; then continue
    fi
    run_case "$name" $program "$launch" "$defaults $settings" "$action" "$expect"
    ran=$((ran + 1))
  done
  [ "$ran" -ge $# ] || fail "a named case is not in the table: $*"
}
