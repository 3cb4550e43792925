// Cursor jump test; the axes are tested separately, so a diagonal jump is measured by its
// larger leg, not by its length.
#include "battle/cursor_check.h"

#include "platform/numbers.h"

namespace battle {

bool CursorMovedTooFar(CursorPoint last, CursorPoint current, float twipsPerPixelX, float twipsPerPixelY) {
    const int32_t dx = platform::Abs32(platform::Sub32(current.x, last.x));
    const int32_t dy = platform::Abs32(platform::Sub32(current.y, last.y));
    const bool tooFarX = double(dx) > 10.0 * double(twipsPerPixelX);
    const bool tooFarY = double(dy) > 10.0 * double(twipsPerPixelY);
    return tooFarX || tooFarY;
}

}  // namespace battle
