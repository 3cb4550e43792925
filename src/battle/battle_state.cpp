// Battle set-up: the sizes are derived the way the window toolkit reports them (twips
// divided by the twips-per-pixel factors) so that odd display settings give the same
// pixels as the toolkit would.
#include "battle/battle_state.h"

#include <algorithm>
#include <cmath>

#include "platform/numbers.h"

namespace battle {
namespace {

int16_t UsableFleetSize(int16_t stored) { return std::clamp<int16_t>(stored, 0, kMaxFleetSize); }

// The toolkit divides two single-precision values; the quotient is then rounded into 32 bits.
int32_t TwipsToPixels(float twips, float twipsPerPixel) { return platform::ToInt32(twips / twipsPerPixel); }

}  // namespace

Battle SetUpBattle(const settings::SaverSettings& settings, const Measurements& m) {
    Battle b;
    b.RedCount = UsableFleetSize(settings.redCount);
    b.BlueCount = UsableFleetSize(settings.blueCount);
    b.BackGround = settings.background;
    b.TotalCount = platform::Add16(b.RedCount, b.BlueCount);

    b.ScrWidth = TwipsToPixels(m.screenWidthTw, m.twipsPerPixelX);
    b.ScrHeight = TwipsToPixels(m.screenHeightTw, m.twipsPerPixelY);

    b.ShipPos.assign(size_t(b.TotalCount) + 1, PosRec{});
    b.ShipStat.assign(size_t(b.TotalCount) + 1, StatRec{});
    for (int k = 1; k <= b.TotalCount; ++k) {
        StatRec& s = platform::At(b.ShipStat, k);
        s.Side = k <= b.RedCount ? 0 : 1;
        s.Mode = Placing;
        s.Flash = 0;
        s.Dir = Right;
        s.ExpCount = 0;
        s.Hit = 0;
    }

    b.CharWidth = TwipsToPixels(m.charWidthTw, m.twipsPerPixelX);
    b.CharHeight = TwipsToPixels(m.charHeightTw, m.twipsPerPixelY);
    const double w = b.CharWidth, h = b.CharHeight;
    b.CharDiag = platform::ToInt32(std::sqrt(w * w + h * h));
    return b;
}

}  // namespace battle
