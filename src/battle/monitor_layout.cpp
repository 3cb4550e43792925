// Monitor layout. The battle size and the sprite cell go through the same twips round trip
// as the primary's, so a monitor of the primary's size and scaling gets exactly the
// primary's battle dimensions.
#include "battle/monitor_layout.h"

#include <algorithm>

#include "platform/numbers.h"

namespace battle {
namespace {

// The cell of the pictures at scale 1, in pixels, from the primary's enlarged cell: the
// pictures are enlarged by whole pixels, so the division is exact.
int32_t UnscaledCellPixels(float cellTw, float twipsPerPixel, int primarySpriteScale) {
    return platform::ToInt32(cellTw / twipsPerPixel) / std::max(1, primarySpriteScale);
}

}  // namespace

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
    // 64 bits: a far-off monitor's right edge must not wrap round.
    const auto before = [](int64_t start, int64_t length, int64_t otherStart) { return start + length <= otherStart; };
    return !(before(a.left, a.width, b.left) || before(b.left, b.width, a.left) || before(a.top, a.height, b.top) ||
             before(b.top, b.height, a.top));
}

std::vector<MonitorBattle> OtherMonitorBattles(const std::vector<MonitorInfo>& monitors, const Measurements& primary,
                                               int primarySpriteScale) {
    std::vector<ScreenRect> covered;
    for (const MonitorInfo& m : monitors) {
        if (m.primary) covered.push_back(m.rect);
    }
    const int32_t cellWidth = UnscaledCellPixels(primary.charWidthTw, primary.twipsPerPixelX, primarySpriteScale);
    const int32_t cellHeight = UnscaledCellPixels(primary.charHeightTw, primary.twipsPerPixelY, primarySpriteScale);
    std::vector<MonitorBattle> out;
    for (const MonitorInfo& m : monitors) {
        if (m.primary || m.rect.width <= 0 || m.rect.height <= 0) continue;
        if (std::any_of(covered.begin(), covered.end(), [&](const ScreenRect& c) { return Overlap(c, m.rect); }))
            continue;
        covered.push_back(m.rect);
        MonitorBattle b;
        b.window = m.rect;
        b.spriteScale = SpriteScaleForDpi(m.dpi);
        b.measurements = primary;
        b.measurements.screenWidthTw = float(m.rect.width) * primary.twipsPerPixelX;
        b.measurements.screenHeightTw = float(m.rect.height) * primary.twipsPerPixelY;
        b.measurements.charWidthTw = float(cellWidth) * float(b.spriteScale) * primary.twipsPerPixelX;
        b.measurements.charHeightTw = float(cellHeight) * float(b.spriteScale) * primary.twipsPerPixelY;
        out.push_back(b);
    }
    return out;
}

bool LayoutChanged(const std::vector<MonitorInfo>& atStart, const std::vector<MonitorInfo>& now) {
    // The platform may list the same monitors in another order after a change.
    return !std::is_permutation(atStart.begin(), atStart.end(), now.begin(), now.end());
}

}  // namespace battle
