#!/usr/bin/env bash
# Mutation run: how many small faults the tests notice. Each mutant below is one sed edit
# (a comparison flipped, a constant moved by one, two steps swapped, a guard dropped) over
# the source files a glob names. For each: apply, rebuild, run the tests of its side,
# record killed or survived, put the file back. Portable-core mutants run the native test
# programs; Win32-side mutants (files *_win32.*) run the Windows unit tests under Wine.
#   usage: scripts/mutate.sh [BUILD_DIR]    MUTANTS=REGEX runs only the ids that match,
#   DRY=1 only shows where each mutant applies
# Prints one line per mutant and the kill rate per side; the table is also in
# BUILD_DIR/mutants.txt. A mutant whose code no longer exists reports "absent".
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)
only=${MUTANTS:-.}
native_tests=(platform_tests settings_tests startup_tests graphics_tests assets_tests battle_tests)

# id | files (glob under the source root) | sed script
# The ids name what a user would meet if the change went unnoticed. An id that starts with
# "=" is an equivalent mutant (no behaviour changes): it is run but left out of the rates.
mutants=$(cat <<'EOF'
nearest-search-start|src/battle/battle_tick.cpp|s/Mul32(b.scrWidth, 100)/Mul32(b.scrWidth, 1)/
placement-draws-swapped|src/battle/battle_tick.cpp|-z s/\(candidate.x = [^\n]*\)\n\( *\)\(candidate.y = [^\n]*\)/\3\n\2\1/
placement-spacing-bound|src/battle/battle_tick.cpp|s/Distance(candidate, At(b.shipPos, j)) < minimum/Distance(candidate, At(b.shipPos, j)) <= minimum/
placement-ignores-own-spot|src/battle/battle_tick.cpp|s/j <= k \&\& free/j < k \&\& free/
placement-first-coordinate|src/battle/battle_tick.cpp|s/std::floor(double(r) \* double(range))), 1)/std::floor(double(r) * double(range))), 0)/
heading-right-up-bound|src/battle/battle_tick.cpp|s/angle < kRightUpBound/angle <= kRightUpBound/
heading-left-down-bound|src/battle/battle_tick.cpp|s/angle < kLeftDownBound/angle <= kLeftDownBound/
heading-down-right-bound|src/battle/battle_tick.cpp|s/angle < kDownRightBound) return kDown/angle <= kDownRightBound) return kDown/
heading-lower-half|src/battle/battle_tick.cpp|s/if (target.y > pos.y) angle/if (target.y < pos.y) angle/
firing-range-bound|src/battle/battle_tick.cpp|s/best < double(b.charDiag)/best <= double(b.charDiag)/
nearest-tie-takes-later|src/battle/battle_tick.cpp|s/if (d < best) {/if (d <= best) {/
target-placing-counted|src/battle/battle_tick.cpp|s/other.mode <= kPlacing/other.mode < kPlacing/
target-exploding-counted|src/battle/battle_tick.cpp|s/other.mode >= kExploding/other.mode > kExploding/
sailing-step-size|src/battle/battle_tick.cpp|s/b.charWidth \/ 10.0/b.charWidth \/ 9.0/
edge-clamp-right-dropped|src/battle/battle_tick.cpp|s/if (pos.x > maxX) pos.x = maxX;//
edge-clamp-bottom-bound|src/battle/battle_tick.cpp|s/const int32_t maxY = Sub32(b.scrHeight, b.charHeight);/const int32_t maxY = Sub32(b.scrHeight, b.charWidth);/
shot-roll-number|src/battle/battle_tick.cpp|s/roll == 7.0f/roll == 6.0f/
shot-roll-in-double|src/battle/battle_tick.cpp|s/random.Next() \* 10.0f/random.Next() * 10.0/
flash-not-toggled|src/battle/battle_tick.cpp|s/self.flash = int16_t(~self.flash);/self.flash = -1;/
explosion-frames|src/battle/battle_tick.cpp|s/self.expCount = 3;/self.expCount = 2;/
explosion-end|src/battle/battle_tick.cpp|s/if (self.expCount == 0)/if (self.expCount <= 1)/
diagonal-truncated|src/battle/battle_state.cpp|s/platform::ToInt32(std::sqrt(w \* w + h \* h))/int32_t(std::sqrt(w * w + h * h))/
cell-height-horizontal-factor|src/battle/battle_state.cpp|s/TwipsToPixels(m.charHeightTw, m.twipsPerPixelY)/TwipsToPixels(m.charHeightTw, m.twipsPerPixelX)/
screen-height-horizontal-factor|src/battle/battle_state.cpp|s/TwipsToPixels(m.screenHeightTw, m.twipsPerPixelY)/TwipsToPixels(m.screenHeightTw, m.twipsPerPixelX)/
fleet-side-bound|src/battle/battle_state.cpp|s/k <= b.redCount ? 0 : 1/k < b.redCount ? 0 : 1/
fleet-size-guard|src/battle/battle_state.cpp|s/std::clamp<int16_t>(stored, 0, kMaxFleetSize)/std::clamp<int16_t>(stored, 0, kMaxFleetSize + 1)/
picture-flash-ignored|src/assets/sprite_art.cpp|s/firing ? 1 : 0/0/
picture-range-battle|src/assets/sprite_art.h|s/number > kShipPictureCount)/number > kShipPictureCount + 1)/
frame-placing-drawn|src/battle/frame_composer.cpp|s/ship.mode <= kPlacing) continue/ship.mode < kPlacing) continue/
frame-explosion-over-firing|src/battle/frame_composer.cpp|s/if (ship.mode == kExploding)/if (ship.mode >= kFiring)/
frame-desktop-for-unknown|src/battle/frame_composer.cpp|s/b.background == settings::kDesktop/b.background != settings::kPlainBlue/
tick-frame-before-ships|src/battle/saver_session.cpp|-z s/\(for (BattleScreen\& s : screens_) StepShips[^\n]*\)\n\( *\)\(for (BattleScreen\& s : screens_) ComposeFrame[^\n]*\)/\3\n\2\1/
tick-nested-guard-dropped|src/battle/saver_session.cpp|s/if (!IsRunning() || inTick_) return Current();/if (!IsRunning()) return Current();/
tick-cursor-not-kept|src/battle/saver_session.cpp|s/primary.lastCursor = \*cursor;/primary.lastCursor = primary.lastCursor;/
session-cursor-axes-swapped|src/battle/saver_session.cpp|s/\*cursor, twipsPerPixelX_, twipsPerPixelY_)/*cursor, twipsPerPixelY_, twipsPerPixelX_)/
session-unreadable-cursor-kept-as-baseline|src/battle/saver_session.cpp|s/cursorUnknown_ = !cursor;/cursorUnknown_ = false;/
session-lost-display-logged|src/battle/saver_session.cpp|s/if (graphics::IsDisplayLost(error.PlatformResult())) return End(Decision::kEndQuietly);//
session-close-not-held|src/battle/saver_session.cpp|s/if (!started_) {/if (false) {/
session-display-status-ignored|src/battle/visibility.cpp|s/sessionOff_ = notice.value == kDisplayOff;/consoleOff_ = notice.value == kDisplayOff;/
cursor-jump-bound|src/battle/cursor_check.cpp|s/double(dx) > 10.0/double(dx) >= 10.0/
cursor-vertical-factor|src/battle/cursor_check.cpp|s/10.0 \* double(twipsPerPixelY)/10.0 * double(twipsPerPixelX)/
=clip-right-edge|src/graphics/clip.cpp|s/Add32(r.x, r.w) > r.dw/Add32(r.x, r.w) >= r.dw/
clip-left-edge|src/graphics/clip.cpp|s/if (r.x < 0) {/if (r.x < -1) {/
clip-negative-source|src/graphics/clip.cpp|s/if (r.sx < 0) {/if (r.sx < -1) {/
number-upper-case-exponent|src/platform/numbers.cpp|s/text\[i\] == 'e' || text\[i\] == 'E'/text[i] == 'e'/
number-exponent-without-digits|src/platform/numbers.cpp|s/if (expDigits) { out += exp; i = j; }/{ out += exp; i = j; }/
number-blanks-inside|src/platform/numbers.cpp|0,/(IsDigit(text\[i\]) || IsBlank(text\[i\]))/s//(IsDigit(text[i]))/
round-half-down|src/platform/numbers.cpp|s/if (diff < 0.5) return floor;/if (diff <= 0.5) return floor;/
round-half-odd|src/platform/numbers.cpp|s/== 0.0 ? floor : floor + 1.0/== 0.0 ? floor + 1.0 : floor/
width-limit|src/platform/numbers.cpp|s/v > std::numeric_limits<T>::max()/v > std::numeric_limits<T>::max() + int64_t{1}/
stored-number-whole-text|src/platform/numbers.cpp|s/if (number.empty() || used != text.size()) return std::nullopt;/if (number.empty()) return std::nullopt;/
version-text-revision-width|src/platform/version.cpp|s/%04d/%03d/
version-label-minor-ten|src/settings/config_rules.cpp|s/minor < 10/minor <= 10/
version-label-hundreds-zero|src/settings/config_rules.cpp|s/if (hundreds > 0)/if (hundreds >= 0)/
version-label-revision-999|src/settings/config_rules.cpp|s/revision > 999/revision >= 999/
count-text-fifteen-kept|src/settings/config_rules.cpp|0,/if (n > kMaxCount)/s//if (n >= kMaxCount)/
count-stored-floored|src/settings/config_rules.cpp|/^int16_t CountFromText/,/^}/s/RoundedLeadingNumber(text)/double(int64_t(platform::LeadingNumber(text)))/
count-text-two-kept|src/settings/config_rules.cpp|0,/if (!(n >= kMinCount))/s//if (!(n > kMinCount))/
settings-read-order|src/settings/settings_store.cpp|s/ReadInt16(store, "BlueCount", defaults.blueCount)/ReadInt16(store, "RedCount", defaults.blueCount)/
command-line-switch-case|src/startup/command_line.cpp|s/sw == "\/s" || sw == "\/S"/sw == "\/s"/
dialog-owner-zero-handle|src/startup/command_line.cpp|s/digits == 0 || value == 0 || /digits == 0 || /
dialog-owner-trailing-junk|src/startup/command_line.cpp|s/ || i != rest.size())/)/
dialog-owner-beyond-32-bits|src/startup/command_line.cpp|s/if (value > UINT32_MAX)/if (value > UINT32_MAX + 1ull)/
dialog-over-owner-off-area|src/settings/config_rules.cpp|s/at = std::min<int64_t>(at, int64_t{areaStart} + areaSpan - size);//
dialog-over-owner-caption-lost|src/settings/config_rules.cpp|s/std::max<int64_t>(at, areaStart)/at/
full-width-nine-ignored|src/settings/config_rules.cpp|s/b2 <= 0x99/b2 < 0x99/
full-width-stop-as-minus|src/settings/config_rules.cpp|s/b2 == 0x8D ? '-' : '.'/'-'/
bitmap-resource-number|src/assets/sprite_resources_win32.cpp|s/IDB_SHIP_FIRST + number - 1/IDB_SHIP_FIRST + number/;s/CheckShipPictureNumber(number) - 1)/CheckShipPictureNumber(number))/
picture-range-loader|src/assets/sprite_resources_win32.cpp|s/number > 16)/number > 17)/
log-folder-drive-root|src/platform/runtime_win32.cpp src/platform/paths.cpp|s/folder += L'\\\\';/(void)0;/;s/folder += '\\\\';/(void)0;/
registry-dword-as-text|src/settings/registry_store_win32.cpp|s/if (type != REG_SZ \&\& type != REG_EXPAND_SZ) return std::nullopt;//
registry-save-type|src/settings/registry_store_win32.cpp|s/REG_SZ, reinterpret_cast<const BYTE\*>(data.c_str())/REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(data.c_str())/
registry-save-section|src/settings/registry_store_win32.cpp|/^void RegistryStore::Save/,/^}/s/root_ + L"\\\\" + platform::Widen(section)/root_ + platform::Widen(section)/
form-quit-dropped|src/platform/form_win32.cpp|s/            PostQuitMessage(static_cast<int>(msg.wParam));//
form-unload-on-destroy|src/platform/form_win32.cpp|/case WM_DESTROY/,/return 0/s/            RunUnloadOnce();//
version-resource-revision|src/platform/runtime_win32.cpp|s/LOWORD(info.dwFileVersionLS)/HIWORD(info.dwFileVersionLS)/
log-line-ending|src/platform/runtime_win32.cpp|s/std::string(line) + "\\r\\n"/std::string(line) + "\\n"/
screen-height-twips-factor|src/platform/runtime_win32.cpp src/platform/screen_metrics.cpp|s/SM_CYSCREEN)) \* t.twipsPerPixelY/SM_CYSCREEN)) * t.twipsPerPixelX/;s/heightPx) \* t.twipsPerPixelY/heightPx) * t.twipsPerPixelX/
pixel-not-restored|src/graphics/dx7_ddraw_support_win32.cpp|s/SetPixel(dc, 0, 0, kept);//;s/SetPixel(dc.get(), 0, 0, kept_);//
window-rect-owner|src/graphics/dx7_ddraw_support_win32.cpp|s/if (GetParent(window_))/if (!GetParent(window_))/
give-back-runs-twice|src/graphics/dx7_ddraw_support_win32.cpp|s/if (std::exchange(givenBack_, true)) return;/givenBack_ = true;/
blit-key-flags-swapped|src/graphics/dx7_ddraw_support_win32.cpp|s/useKey ? DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT : DDBLTFAST_WAIT/useKey ? DDBLTFAST_WAIT : DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT/
colour-key-not-first-pixel|src/graphics/dx7_ddraw_support_win32.cpp|s/std::memcpy(\&value, desc.lpSurface, sizeof value);/std::memcpy(\&value, static_cast<const char*>(desc.lpSurface) + 4, sizeof value);/
take-ignores-give-back-in-messages|src/graphics/dx7_ddraw_support_win32.cpp|s/if (display->givenBack_) {/if (false) {/
give-back-keeps-cursor-hidden|src/graphics/dx7_ddraw_support_win32.cpp|s/if (std::exchange(cursorHidden_, false)) ShowCursor(TRUE);//
mode-changed-when-already-set|src/graphics/display_mode.cpp|s/current->bitsPerPixel != wanted.bitsPerPixel/current->bitsPerPixel == wanted.bitsPerPixel/
lost-display-misses-exclusive-mode|src/graphics/result_codes.cpp|s/ || result == kNoExclusiveMode//
live-slot-kept-after-give-back|src/graphics/dx7_ddraw_support_win32.cpp|s/if (live_ == this) live_ = nullptr;//
sprites-loaded-at-scale-one|src/assets/sprite_resources_win32.cpp|s/sprites.push_back({number, LoadShipPicture(number, scale)})/sprites.push_back({number, LoadShipPicture(number, 1)})/
EOF
)

log=$build/mutants.txt
: >"$log"
# The Windows tests name this session in their emulator command.
session=$build/wine
session_up=0
start_session() {
  [ "$session_up" = 1 ] && return
  "$root/scripts/wine-session.sh" start "$session" >/dev/null
  session_up=1
}
trap '[ "$session_up" = 1 ] && "$root/scripts/wine-session.sh" stop "$session" >/dev/null' EXIT

build_native() { cmake --build "$build" -j2 --target "${native_tests[@]}" >"$build/mutate-build.log" 2>&1; }
# Only the test programs: their ctest names are their target names.
build_windows() {
  local targets
  mapfile -t targets < <(ctest --test-dir "$build/windows" -N | sed -n 's/^ *Test *#[0-9]*: //p')
  cmake --build "$build/windows" -j2 --target "${targets[@]}" >"$build/mutate-build.log" 2>&1
}
run_native() {
  local t
  for t in "${native_tests[@]}"; do
    local exe
    exe=$(find "$build/tests" -maxdepth 2 -type f -name "$t" | head -1)
    timeout 300 "$exe" --gtest_brief=1 >/dev/null 2>&1 || return 1
  done
}
run_windows() {
  start_session
  timeout 900 ctest --test-dir "$build/windows" --stop-on-failure >/dev/null 2>&1
}

# The unmutated tree must build and pass, or every mutant would look killed.
[ -n "${DRY:-}" ] || {
[ -d "$build/windows" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null 2>&1 || { echo "the tree does not build" >&2; exit 2; }
run_native || { echo "native tests fail without mutants" >&2; exit 2; }
run_windows || { echo "Windows unit tests fail without mutants" >&2; exit 2; }
}

declare -A killed=() total=()
while IFS='|' read -r id globs script; do
  [ -n "$id" ] || continue
  [[ $id =~ $only ]] || continue
  flags=()
  if [[ $script == -z\ * ]]; then flags=(-z); script=${script#-z }; fi
  target=""
  for f in $globs; do
    [ -f "$root/$f" ] || continue
    if ! sed "${flags[@]}" "$script" "$root/$f" | cmp -s - "$root/$f"; then target=$f; break; fi
  done
  if [ -z "$target" ]; then
    printf '%-34s %-8s %s\n' "$id" "-" "absent" | tee -a "$log"
    continue
  fi
  side=core
  [[ $target == *_win32.* ]] && side=windows
  if [ -n "${DRY:-}" ]; then
    printf '%-34s %-8s applies to %s\n' "$id" "$side" "$target"
    continue
  fi
  backup=$(mktemp)
  cp "$root/$target" "$backup"
  sed -i "${flags[@]}" "$script" "$root/$target"
  if [ $side = core ]; then
    if ! build_native; then result=stillborn
    elif run_native; then result=SURVIVED
    else result=killed; fi
  else
    if ! build_windows; then result=stillborn
    elif run_windows; then result=SURVIVED
    else result=killed; fi
  fi
  cp "$backup" "$root/$target"
  rm -f "$backup"
  if [[ $id == =* ]]; then
    [ $result = SURVIVED ] && result=equivalent
  elif [ $result != stillborn ]; then
    total[$side]=$(( ${total[$side]:-0} + 1 ))
    [ $result = killed ] && killed[$side]=$(( ${killed[$side]:-0} + 1 ))
  fi
  printf '%-34s %-8s %s (%s)\n' "$id" "$side" "$result" "$target" | tee -a "$log"
done <<<"$mutants"

# Leave the binaries matching the sources again.
cmake --build "$build" -j2 >/dev/null 2>&1
for side in core windows; do
  t=${total[$side]:-0} k=${killed[$side]:-0}
  [ "$t" -gt 0 ] && printf '%-8s %d of %d killed (%d %%)\n' "$side" "$k" "$t" $(( 100 * k / t )) | tee -a "$log"
done
