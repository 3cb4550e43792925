// Monitor layout. The battle size goes through the same twips round trip as the primary's,
// so a monitor of the primary's size gets exactly the primary's battle dimensions.
#include "battle/monitor_layout.h"

#include <algorithm>

namespace battle {

std::vector<MonitorBattle> OtherMonitorBattles(const std::vector<MonitorInfo>& monitors, const Measurements& primary) {
    std::vector<ScreenRect> covered;
    for (const MonitorInfo& m : monitors) {
        if (m.primary) covered.push_back(m.rect);
    }
    std::vector<MonitorBattle> out;
    for (const MonitorInfo& m : monitors) {
        if (m.primary || m.rect.width <= 0 || m.rect.height <= 0) continue;
        if (std::find(covered.begin(), covered.end(), m.rect) != covered.end()) continue;
        covered.push_back(m.rect);
        MonitorBattle b;
        b.window = m.rect;
        b.measurements = primary;
        b.measurements.screenWidthTw = float(m.rect.width) * primary.twipsPerPixelX;
        b.measurements.screenHeightTw = float(m.rect.height) * primary.twipsPerPixelY;
        out.push_back(b);
    }
    return out;
}

bool LayoutChanged(const std::vector<MonitorInfo>& atStart, const std::vector<MonitorInfo>& now) {
    // The platform may list the same monitors in another order after a change.
    auto sorted = [](std::vector<MonitorInfo> v) {
        std::sort(v.begin(), v.end(), [](const MonitorInfo& a, const MonitorInfo& b) {
            if (a.primary != b.primary) return a.primary;
            if (a.rect.left != b.rect.left) return a.rect.left < b.rect.left;
            if (a.rect.top != b.rect.top) return a.rect.top < b.rect.top;
            if (a.rect.width != b.rect.width) return a.rect.width < b.rect.width;
            return a.rect.height < b.rect.height;
        });
        return v;
    };
    return sorted(atStart) != sorted(now);
}

}  // namespace battle
