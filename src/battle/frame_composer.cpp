// Frame composition. Every frame is drawn complete: after a flip the back buffer holds an
// older frame, so nothing may be left from the previous one.
#include "battle/frame_composer.h"

#include "platform/numbers.h"
#include "platform/runtime_error.h"

namespace battle {

using platform::Add16;
using platform::Mul16;

int16_t PictureNumber(const StatRec& ship) {
    const int16_t number = Add16(Add16(1, Mul16(ship.Side, 8)), Add16(Mul16(ship.Dir, 2), ship.Flash != 0 ? 1 : 0));
    if (number < 1 || number > 16) throw platform::RuntimeError::SubscriptOutOfRange();
    return number;
}

void ComposeFrame(const Battle& b, graphics::FrameDisplay& display) {
    const int32_t w = b.ScrWidth, h = b.ScrHeight;
    if (b.BackGround == 0) {
        display.BltToBackBuffer(graphics::kBackgroundSurface, 0, 0, w, h, w, h, 0, 0, w, h, false);
    } else {
        display.FillBackBuffer(static_cast<graphics::PixelValue>(b.SeaColor));
    }

    const int32_t cw = b.CharWidth, ch = b.CharHeight;
    for (int k = 1; k <= b.TotalCount; ++k) {
        const StatRec& ship = platform::At(b.ShipStat, k);
        if (ship.Mode <= Placing) continue;
        const PosRec& pos = platform::At(b.ShipPos, k);
        display.BltToBackBuffer(PictureNumber(ship), pos.X, pos.Y, cw, ch, w, h, 0, 0, cw, ch, true);
        if (ship.Mode == Exploding) {
            display.BltToBackBuffer(graphics::kExplosionSurface, pos.X, pos.Y, cw, ch, w, h, 0, 0, cw, ch, true);
        }
    }
    display.Flip();
}

}  // namespace battle
