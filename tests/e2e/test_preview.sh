#!/usr/bin/env bash
# The preview of the real .scr: embedded by preview_host.exe (a stand-in for the screen-saver
# host, in another process) at the host window's client origin with a 155 x 114 client
# area, showing its picture with the last row cut off, or filling a larger host; it ends
# when the host destroys its window, when it is closed, and when the host process dies
# without a word. "/p" without a usable handle shows it at the screen's top-left on its
# own, where Esc or Alt+F4 closes it.
source "$(dirname "$0")/lib.sh"

TITLE='Preview -- Brackmer Saver'
HOST=${BRACKMER_WINDOWS_BUILD_DIR:?the Windows build tree}/tests/startup/preview_host.exe
[ -f "$HOST" ] || { echo "missing $HOST"; exit 1; }
SCR_WIN="Z:${SCR//\//\\}"
SEA="4,2,148"

# run_host OUT ARGS...: starts the host in the background ($host_pid), its report going to
# OUT (CRLF lines).
run_host() {
  local out=$1; shift
  "$WINE" "$HOST" "$SCR_WIN" "$@" </dev/null >"$out" 2>/dev/null &
  host_pid=$!
  _started_pids+=("$host_pid")
}
# value OUT KEY: one finding of the host's report.
value() { tr -d '\r' <"$1" | sed -n "s/^$2=//p" | head -n 1; }
wait_line() {
  local i
  for ((i = 0; i < $3 * 10; i++)); do grep -q "^$2=" "$1" 2>/dev/null && return 0; sleep 0.1; done
  return 1
}
# Every finding of an embedding run, from the host's point of view.
check_embedding() {
  local out=$1 what=$2 size=${3:-155x114}
  check_eq "$what: preview child found in the host" "$(value "$out" child_found)" "1"
  check_eq "$what: it is a child window" "$(value "$out" child_style)" "child"
  check_eq "$what: its parent is the host" "$(value "$out" parent_is_host)" "1"
  check_eq "$what: at the host's client origin" "$(value "$out" position)" "0,0"
  check_eq "$what: client area" "$(value "$out" client)" "$size"
  check_eq "$what: shown" "$(value "$out" visible)" "1"
}

# --- The picture inside the host ------------------------------------------------------
# Wine 8 does not paint a child window whose parent belongs to another process (its device
# context gets no drawable), so the picture is looked at with the preview code running in
# the host's own process (startup_win32_tests checks its pixels); the .scr's own embedding
# is checked window by window below.
out=$E2E_OUT/preview-in-process.txt
run_host "$out" --in-process --hold 3 --end destroy
if wait_line "$out" ready 40; then
  sleep 0.5
  shot=$E2E_OUT/preview-full.png
  screenshot "$shot"
  IFS=, read -r ox oy <<<"$(value "$out" host_client_origin)"
  check_eq "picture's sea at the host's client origin" "$(pixel_at "$shot" $((ox + 2)) $((oy + 2)))" "$SEA"
  # The host window with its caption, for the README.
  convert-im6.q16 "$shot" -crop "$((155 + 16))x$((114 + 40))+$((ox - 8))+$((oy - 32))" +repage "$E2E_OUT/preview.png"
fi
wait "$host_pid"

# --- "/p": the .scr embeds into the host, then the host destroys its window ---------------
out=$E2E_OUT/preview-destroy.txt
run_host "$out" --switch /p --end destroy
wait "$host_pid"; rc=$?
check_embedding "$out" "/p"
check "/p: the preview ends when the host window is destroyed" grep -q '^preview_ended=[0-9]*ms' "$out"
check_eq "/p: it ends cleanly" "$(value "$out" preview_exit_code)" "0"
check_eq "/p: host reports success" "$rc" "0"

# --- A host at 150 %: the preview fills its 233 x 171 client area ----------------------
out=$E2E_OUT/preview-large.txt
run_host "$out" --switch /p --end destroy --size 233x171
wait "$host_pid"; rc=$?
check_embedding "$out" "/p in a 233 x 171 host" "233x171"
check_eq "/p in a 233 x 171 host: host reports success" "$rc" "0"

# --- "/P", then the preview is closed: the host window stays ----------------------------
out=$E2E_OUT/preview-close.txt
run_host "$out" --switch /P --end close
wait "$host_pid"; rc=$?
check_embedding "$out" "/P"
check "/P: the preview ends when closed" grep -q '^preview_ended=[0-9]*ms' "$out"
check_eq "/P: the close request does not reach the host window" "$(value "$out" host_alive)" "1"
check_eq "/P: host reports success" "$rc" "0"

# --- The host process dies without destroying its window --------------------------------
out=$E2E_OUT/preview-orphan.txt
run_host "$out" --switch /p --end none
if wait_line "$out" ready 40; then
  handle=$(value "$out" host_handle)
  # Under load the preview's command line can show in /proc a moment after the host is ready.
  scr_pid=
  for _ in $(seq 50); do
    scr_pid=$(pgrep -f "BrackmerSaver\.scr /p $handle\$" | head -n 1)
    [ -n "$scr_pid" ] && break
    sleep 0.1
  done
  check "the preview process runs" test -n "$scr_pid"
  kill -9 "$host_pid" 2>/dev/null
  wait "$host_pid" 2>/dev/null
  if [ -n "$scr_pid" ]; then
    check "the preview ends once its host process is gone" wait_exit "$scr_pid" 10
  fi
else
  fail "host with '--end none' gets ready"
fi

# --- No host window: at the screen's top-left, on its own --------------------------------
for args in "/p" "/p 7"; do
  read -ra a <<<"$args"
  scr_start "${a[@]}"
  pid=$LAST_PID
  if win=$(wait_window "$TITLE" 30); then
    geometry=$(xdotool getwindowgeometry "$win" | tr -d ' ' | sed -n 's/^Position:\([0-9]*,[0-9]*\).*/\1/p;s/^Geometry:/size /p' | tr '\n' ' ')
    check_eq "'$args' shows at the top-left, 155 x 114" "$geometry" "0,0 size 155x114 "
    sleep 0.5
    shot=$E2E_OUT/preview-toplevel.png
    screenshot "$shot"
    check_eq "'$args' shows the picture" "$(pixel_at "$shot" 2 2)" "$SEA"
  else
    fail "'$args' shows the preview window"
  fi
  scr_kill "$pid"
done

# --- Standing alone, the user can close it: Esc, Alt+F4 ----------------------------------
for key in Escape alt+F4; do
  scr_start /p junk
  pid=$LAST_PID
  if win=$(wait_window "$TITLE" 30) && wait_focus "$win" 10; then
    xdotool key "$key"
    check "'/p junk' ends on $key" wait_exit "$pid" 10
    xdotool keyup Alt_L F4 Escape 2>/dev/null
  else
    fail "'/p junk' shows the preview with the keyboard"
  fi
  scr_kill "$pid"
done

finish
