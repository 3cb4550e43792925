#!/usr/bin/env bash
# The host process of a preview dies without destroying its window: the preview notices
# and ends on its own.
source "$(dirname "$0")/lib.sh"

out=$E2E_OUT/preview-orphan.txt
LAUNCH_OUT=$out launch "$(program preview_host)" "$(winpath "$SCR")" --switch /p --end none
host=$LAST_PID
for ((i = 0; i < 400; i++)); do grep -q '^ready=' "$out" 2>/dev/null && break; sleep 0.1; done
handle=$(tr -d '\r' <"$out" | sed -n 's/^host_handle=//p')
need "the host gets ready" test -n "$handle" || finish
# Under load the preview's command line can show in /proc a moment after the host is ready.
for _ in $(seq 150); do
  preview=$(in_session "BrackmerSaver\.scr /p $handle\$" | head -n 1)
  [ -n "$preview" ] && break
  sleep 0.1
done
need "the preview process runs" test -n "$preview" || finish
stop_pid "$host"
check "the preview ends once its host process is gone" wait_exit "$preview" 10
finish
