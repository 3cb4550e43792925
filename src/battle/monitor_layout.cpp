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
    return !std::is_permutation(atStart.begin(), atStart.end(), now.begin(), now.end());
}

}  // namespace battle
