// Frame composition. Every frame is drawn complete: after a flip the back buffer holds an
// older frame, so nothing may be left from the previous one.
#include "battle/frame_composer.h"

#include "assets/sprite_art.h"
#include "platform/numbers.h"

namespace battle {

int16_t PictureNumber(const StatRec& ship) { return assets::ShipPictureNumber(ship.side, ship.dir, ship.flash != 0); }

void ComposeFrame(const Battle& b, graphics::FrameDisplay& display) {
    const int32_t w = b.scrWidth, h = b.scrHeight;
    if (ShowsDesktop(b.background)) {
        display.BltToBackBuffer(graphics::kBackgroundSurface, 0, 0, w, h, w, h, 0, 0, w, h, false);
    } else {
        display.FillBackBuffer(static_cast<graphics::PixelValue>(b.seaColor));
    }

    const int32_t cw = b.charWidth, ch = b.charHeight;
    for (int k = 1; k <= b.totalCount; ++k) {
        const StatRec& ship = platform::At(b.shipStat, k);
        if (ship.mode <= kPlacing) continue;
        const PosRec& pos = platform::At(b.shipPos, k);
        display.BltToBackBuffer(PictureNumber(ship), pos.x, pos.y, cw, ch, w, h, 0, 0, cw, ch, true);
        if (ship.mode == kExploding) {
            display.BltToBackBuffer(graphics::kExplosionSurface, pos.x, pos.y, cw, ch, w, h, 0, 0, cw, ch, true);
        }
    }
    display.Flip();
}

}  // namespace battle
