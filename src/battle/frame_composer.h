// Draws one frame of the battle into a graphics::FrameDisplay: the background, every
// visible ship in number order with the explosion over exploding ones, then the flip.
// The saver session calls it after the simulation pass; the render tool and tests too.
#pragma once

#include <cstdint>
#include <optional>

#include "battle/battle_state.h"
#include "graphics/frame_display.h"

namespace battle {

// 1 + Side * 8 + Dir * 2 + (1 when Flash is set), in checked 16-bit arithmetic. A number
// outside 1..16 raises platform::RuntimeError (subscript out of range).
int16_t PictureNumber(const StatRec& ship);

// Background (the desktop picture when background = 0, else a fill with seaColor), the
// ships with Mode > 0 as keyed blits of their picture at their corner, the explosion over
// each exploding ship, then Flip. Errors of the display propagate to the caller.
void ComposeFrame(const Battle& battle, graphics::FrameDisplay& display);

// What the saver window paints through GDI while it waits for the display, so the screen
// shows the first frame's background at once instead of black: a GDI colour (0x00BBGGRR)
// for a filled background, none for background 0, where it shows the desktop picture.
std::optional<uint32_t> StandInGdiColour(int16_t background);

}  // namespace battle
