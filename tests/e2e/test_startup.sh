#!/usr/bin/env bash
# Start-up against the real .scr: the switch table, the version record written on every
# start, and the refusal to start beside a running saver window.
source "$(dirname "$0")/lib.sh"

expected_folder=$(scr_folder_windows)

for args in "/x" "-s" "s" "/" "/q"; do
  reg_clear
  scr_run 30 "$args"; rc=$?
  check_eq "'$args' ends at once and cleanly" "$rc" 0
  check_eq "'$args' records the version" "$(reg_get UpdateInfo CurrentVersion)" "1.00.0000"
  check_eq "'$args' records the folder" "$(reg_get UpdateInfo ApplicationPath)" "$expected_folder"
  check_eq "'$args' shows no window" "$(find_window 'Main -- Brackmer Saver')$(find_window 'Brackmer Saver設定')" ""
done
check_eq "values are REG_SZ" "$(reg_type UpdateInfo CurrentVersion)" "REG_SZ"

# Modes that show a window: each records the version before anything else.
for args in "/c" "" "/p 0" "/s" "/S 77"; do
  reg_clear
  if [ -z "$args" ]; then scr_start; else read -ra a <<<"$args"; scr_start "${a[@]}"; fi
  pid=$LAST_PID
  case "$args" in
    /p*) title='Preview -- Brackmer Saver' ;;
    /s* | /S*) title='Main -- Brackmer Saver' ;;
    *) title='Brackmer Saver設定' ;;
  esac
  if win=$(wait_window "$title" 30); then pass "'$args' shows '$title'"; else fail "'$args' shows '$title'"; fi
  check_eq "'$args' records the version" "$(reg_get UpdateInfo CurrentVersion)" "1.00.0000"
  if [ "${args:0:2}" == "/s" ] || [ "${args:0:2}" == "/S" ]; then
    # A second start beside the running saver ends at once, whatever it asks for, and
    # still writes its version record.
    for second in "/s" "/c" "/p 0"; do
      reg_clear
      read -ra a <<<"$second"
      scr_run 30 "${a[@]}"; rc=$?
      check_eq "'$second' beside a running saver ends at once" "$rc" 0
      check_eq "'$second' beside a running saver records the version" "$(reg_get UpdateInfo CurrentVersion)" "1.00.0000"
      check_eq "'$second' beside a running saver shows no dialog" "$(find_window 'Brackmer Saver設定')" ""
    done
    xdotool key --window "$win" Escape 2>/dev/null
    wait_focus "$win" 5 >/dev/null; xdotool key Escape
    check "saver ends on a key" wait_exit "$pid" 20
  fi
  scr_kill "$pid"
done

finish
