// Cursor jump test; the axes are tested separately, so a diagonal jump is measured by its
// larger leg, not by its length.
#include "battle/cursor_check.h"

#include <cmath>

#include "platform/numbers.h"

namespace battle {
namespace {

// The whole pixels the cursor may move: 10 x the factor, which is 14400 / dpi. The factor
// arrives as a single-precision 1440 / dpi, a little below the true quotient at 100, 200 or
// 400 dpi, where 10 x it would fall just short of 144, 72 or 36 and end the saver on a move
// the rule allows. That error is below 0.0001 pixel, while a quotient that is not whole lies
// at least 1 / dpi (0.002) from the next whole pixel, so a thousandth restores it.
double AllowedPixels(float twipsPerPixel) { return std::floor(10.0 * double(twipsPerPixel) + 1e-3); }

}  // namespace

bool CursorMovedTooFar(CursorPoint last, CursorPoint current, float twipsPerPixelX, float twipsPerPixelY) {
    const int32_t dx = platform::Abs32(platform::Sub32(current.x, last.x));
    const int32_t dy = platform::Abs32(platform::Sub32(current.y, last.y));
    const bool tooFarX = double(dx) > AllowedPixels(twipsPerPixelX);
    const bool tooFarY = double(dy) > AllowedPixels(twipsPerPixelY);
    return tooFarX || tooFarY;
}

}  // namespace battle
