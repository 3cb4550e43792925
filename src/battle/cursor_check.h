// The saver's "the user moved the mouse" rule: a jump of the cursor between two ticks of more
// than 10 x the twips-per-pixel factor on either axis (the system's factors, whatever each
// monitor's scaling). The saver session asks it in every tick, after the monitor layout and
// before the ships move.
#pragma once

#include "battle/battle_state.h"

namespace battle {

// True when the cursor moved too far since `last` and the saver must end; the caller then
// runs its exit sequence, otherwise it stores `current` as the new last position. The
// factor is compared with a count of pixels as it stands (150 pixels at 15 twips per pixel).
// Raises platform::RuntimeError (overflow) when a difference does not fit 32 bits.
bool CursorMovedTooFar(CursorPoint last, CursorPoint current, float twipsPerPixelX, float twipsPerPixelY);

}  // namespace battle
