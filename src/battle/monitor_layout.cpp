// Monitor layout; see monitor_layout.h.
#include "battle/monitor_layout.h"

#include <algorithm>

namespace battle {

std::vector<MonitorInfo> OtherBattleMonitors(const std::vector<MonitorInfo>& monitors) {
    std::vector<platform::Rect> covered;
    for (const MonitorInfo& m : monitors) {
        if (m.primary) covered.push_back(m.rect);
    }
    std::vector<MonitorInfo> out;
    for (const MonitorInfo& m : monitors) {
        if (m.primary || m.rect.width <= 0 || m.rect.height <= 0) continue;
        if (std::any_of(covered.begin(), covered.end(), [&](const platform::Rect& c) { return Overlap(c, m.rect); }))
            continue;
        covered.push_back(m.rect);
        out.push_back(m);
    }
    return out;
}

bool LayoutChanged(const std::vector<MonitorInfo>& atStart, const std::vector<MonitorInfo>& now) {
    // The platform may list the same monitors in another order after a change.
    return !std::is_permutation(atStart.begin(), atStart.end(), now.begin(), now.end());
}

}  // namespace battle
