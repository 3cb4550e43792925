#!/usr/bin/env bash
# Shared helpers of the end-to-end tests: they run the real BrackmerSaver.scr under Wine in
# the session that wine-session.sh started (BRACKMER_WINE_DIR), find its windows with
# xdotool, read the registry with `reg`, and always stop what they started.
set -uo pipefail

: "${BRACKMER_WINE_DIR:?run through ctest, or export BRACKMER_WINE_DIR of a started session}"
# shellcheck disable=SC1091
source "$BRACKMER_WINE_DIR/session.env"
WINE=/usr/lib/wine/wine64
SCR=${BRACKMER_SCR:?path of BrackmerSaver.scr}
SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\BrackmerSaver'
E2E_OUT=${E2E_OUT:-$BRACKMER_WINE_DIR/e2e-output}
mkdir -p "$E2E_OUT"

_started_pids=()
_failures=0
_checks=0

# kill_in_session PATTERN: ends, by id, the processes matching PATTERN that run in this
# session's prefix; other sessions on the machine keep theirs.
kill_in_session() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && kill -9 "$pid" 2>/dev/null
  done
  return 0
}

e2e_cleanup() {
  local pid
  for pid in "${_started_pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
  # Anything of ours that outlived its test (a child the test did not start itself).
  kill_in_session 'BrackmerSaver\.scr'
  kill_in_session 'preview_host'
  return 0
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*"; _failures=$((_failures + 1)); _checks=$((_checks + 1)); }
pass() { echo "ok: $*"; _checks=$((_checks + 1)); }
# check "description" command...: passes when the command succeeds.
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
check_eq() { if [ "$2" == "$3" ]; then pass "$1"; else fail "$1: expected '$3', got '$2'"; fi; }

# Ends the script with a summary line ctest's log shows, and the exit status of the checks.
finish() {
  echo "$((_checks - _failures)) passed, $_failures failed"
  [ "$_failures" -eq 0 ]
  exit $?
}

# Starts the .scr in the background with the given arguments; the PID is in $LAST_PID.
scr_start() {
  "$WINE" "$SCR" "$@" </dev/null >/dev/null 2>&1 &
  LAST_PID=$!
  _started_pids+=("$LAST_PID")
}

# Runs the .scr to its end (limit in seconds first); prints nothing, returns its status
# or 124 when it had to be stopped.
scr_run() {
  local limit=$1; shift
  timeout -k 2 "$limit" "$WINE" "$SCR" "$@" </dev/null >/dev/null 2>&1
}

scr_kill() { { kill -9 "$1"; wait "$1"; } 2>/dev/null; return 0; }

# wait_exit PID SECONDS: 0 when the process ended in time.
wait_exit() {
  local pid=$1 limit=$2 i
  for ((i = 0; i < limit * 10; i++)); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    sleep 0.1
  done
  return 1
}

# find_window TITLE: prints the X window ids whose name is exactly TITLE (maybe none).
find_window() { xdotool search --name "^$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$" 2>/dev/null; }

# wait_window TITLE SECONDS: prints the first matching window id, 1 on time-out.
wait_window() {
  local title=$1 limit=$2 i id
  for ((i = 0; i < limit * 10; i++)); do
    id=$(find_window "$title" | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# wait_focus WINDOW SECONDS: keys sent before the window has the focus can be lost.
wait_focus() {
  local win=$1 limit=$2 i
  for ((i = 0; i < limit * 10; i++)); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" == "$win" ] && return 0
    xdotool windowfocus "$win" 2>/dev/null
    sleep 0.1
  done
  return 1
}

# reg_get SECTION NAME: prints the stored string, returns 1 when the value is missing.
reg_get() {
  local out
  out=$("$WINE" reg query "$SETTINGS_KEY\\$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
  printf '%s\n' "$out" | awk -v n="$2" '$1 == n && $2 ~ /^REG_/ { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]*/, ""); print; found=1 } END { exit !found }'
}
reg_type() {
  "$WINE" reg query "$SETTINGS_KEY\\$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $2 }'
}
reg_set() { "$WINE" reg add "$SETTINGS_KEY\\$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }
reg_clear() { "$WINE" reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1; return 0; }

# The Windows path of the folder that holds the .scr, as the program reports it.
scr_folder_windows() {
  local dir; dir=$(cd "$(dirname "$SCR")" && pwd)
  echo "Z:${dir//\//\\}"
}

screenshot() { xwd -root -silent -display "$DISPLAY" | convert-im6.q16 xwd:- "$1"; }

# pixel_at PNG X Y: prints "R,G,B".
pixel_at() {
  convert-im6.q16 "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
