// Battle set-up: the sizes are derived the way the window toolkit reports them (twips
// divided by the twips-per-pixel factors) so that odd display settings give the same
// pixels as the toolkit would.
#include "battle/battle_state.h"

#include <algorithm>
#include <cmath>

#include "assets/sprite_art.h"
#include "platform/numbers.h"

namespace battle {
namespace {

int16_t UsableFleetSize(int16_t stored) { return std::clamp<int16_t>(stored, 0, kMaxFleetSize); }

// The toolkit divides two single-precision values; the quotient is then rounded into 32 bits.
int32_t TwipsToPixels(float twips, float twipsPerPixel) { return platform::ToInt32(twips / twipsPerPixel); }

}  // namespace

int SpriteScaleForDpi(int dpi) { return std::max(1, dpi / 96); }

Measurements MeasurementsFor(int32_t width, int32_t height, float twipsPerPixelX, float twipsPerPixelY,
                             int spriteScale) {
    return {float(width) * twipsPerPixelX,
            float(height) * twipsPerPixelY,
            twipsPerPixelX,
            twipsPerPixelY,
            float(assets::kPictureWidth * spriteScale) * twipsPerPixelX,
            float(assets::kPictureHeight * spriteScale) * twipsPerPixelY};
}

Battle SetUpBattle(const settings::SaverSettings& settings, const Measurements& m) {
    Battle b;
    b.redCount = UsableFleetSize(settings.redCount);
    b.blueCount = UsableFleetSize(settings.blueCount);
    b.totalCount = platform::Add16(b.redCount, b.blueCount);

    b.scrWidth = TwipsToPixels(m.screenWidthTw, m.twipsPerPixelX);
    b.scrHeight = TwipsToPixels(m.screenHeightTw, m.twipsPerPixelY);

    b.shipPos.assign(size_t(b.totalCount) + 1, PosRec{});
    b.shipStat.assign(size_t(b.totalCount) + 1, StatRec{});
    for (int k = 1; k <= b.totalCount; ++k) {
        StatRec& s = platform::At(b.shipStat, k);
        s.side = k <= b.redCount ? 0 : 1;
        s.mode = kPlacing;
        s.flash = 0;
        s.dir = kRight;
        s.expCount = 0;
        s.hit = 0;
    }

    b.charWidth = TwipsToPixels(m.charWidthTw, m.twipsPerPixelX);
    b.charHeight = TwipsToPixels(m.charHeightTw, m.twipsPerPixelY);
    const double w = b.charWidth, h = b.charHeight;
    b.charDiag = platform::ToInt32(std::sqrt(w * w + h * h));
    return b;
}

}  // namespace battle
