// Gives the mouse cursor the whole desktop back once the primary's full-screen display is
// set up: taking exclusive mode confines it to the primary, so with battles on other
// monitors a move or a click there could never reach the saver. Used by the saver window.
#pragma once

#include <optional>

#include "battle/battle_state.h"

namespace battle {

// Lifts any confinement of the cursor and puts it back where it rested before the display
// was taken (when that could be read), so a pointer left on another monitor stays there.
void FreeCursorOverDesktop(const std::optional<CursorPoint>& restingAt);

}  // namespace battle
