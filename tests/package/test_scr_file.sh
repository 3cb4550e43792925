#!/usr/bin/env bash
# The shipped file itself: a 64-bit GUI executable that needs no DLL beside it and carries
# the resources the host and the program read (version 1.0.0, the screen-saver name as
# string 1, icon, cursor, the seventeen pictures and the preview, the per-monitor DPI-aware manifest).
set -uo pipefail
scr=${1:?path of BrackmerSaver.scr}
failures=0; checks=0
check() { checks=$((checks + 1)); if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi; }

headers=$(x86_64-w64-mingw32-objdump -p "$scr")
rc=$(x86_64-w64-mingw32-windres -i "$scr" -O rc 2>/dev/null)
types=$(printf '%s\n' "$rc" | awk '/^[0-9A-Za-z_]+ [0-9]+ \/\*/ { print $2 }')
count_type() { printf '%s\n' "$types" | grep -cx "$1"; }

check "PE32+ x86-64" 'grep -q "(PE32+)" <<<"$headers"'
check "GUI subsystem" 'grep -qE "^Subsystem[[:space:]]+00000002" <<<"$headers"'
check "marked for Windows Vista (6.0) and later" \
  'grep -qE "^MajorSubsystemVersion[[:space:]]+6$" <<<"$headers" && grep -qE "^MinorSubsystemVersion[[:space:]]+0$" <<<"$headers"'
check "imports only system DLLs" \
  '! printf "%s\n" "$headers" | awk "/DLL Name:/ { print toupper(\$3) }" | grep -vxE "(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|UXTHEME|DDRAW|MSVCRT|SHELL32|OLE32)\.DLL"'
check "version resource 1.0.0" 'grep -qE "FILEVERSION 1, 0, 0, 0" <<<"$rc"'
check "string 1 is the saver name" 'grep -qE "^ +1, \"Brackmer Saver\"" <<<"$rc"'
check "18 bitmaps (16 ships, explosion, preview)" '[ "$(count_type 2)" -eq 18 ]'
check "an icon" '[ "$(count_type 14)" -ge 1 ]'
check "a cursor" '[ "$(count_type 12)" -ge 1 ]'
check "a manifest" '[ "$(count_type 24)" -eq 1 ]'
check "the manifest declares per-monitor DPI awareness, with fallbacks for older systems" \
  'grep -aq ">PerMonitorV2, PerMonitor</dpiAwareness>" "$scr" && grep -aq ">true/pm</dpiAware>" "$scr"'

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
