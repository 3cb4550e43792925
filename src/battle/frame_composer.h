// Draws one frame of the battle into a graphics::FrameDisplay: the background, every
// visible ship in number order with the explosion over exploding ones, then the flip.
// The saver session calls it after the simulation pass; the render tool and tests too.
#pragma once

#include <cstdint>

#include "battle/battle_state.h"
#include "graphics/frame_display.h"

namespace battle {

// The ship's picture by assets::ShipPictureNumber (side, heading, Flash set); a number
// outside 1..16 raises platform::RuntimeError.
int16_t PictureNumber(const StatRec& ship);

// Background (the desktop picture where the background shows the desktop, else a fill
// with seaColor), the
// ships with Mode > 0 as keyed blits of their picture at their corner, the explosion over
// each exploding ship, then Flip. Errors of the display propagate to the caller.
void ComposeFrame(const Battle& battle, graphics::FrameDisplay& display);

}  // namespace battle
