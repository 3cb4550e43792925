// Where the saver's battles go on a desktop of several monitors: the primary keeps the
// exclusive full-screen battle, every other monitor gets a window of its own covering its
// rectangle. The start-up plan asks which monitors get one; the saver session compares the
// layout at every tick and display change.
#pragma once

#include <vector>

#include "platform/screen_metrics.h"

namespace battle {

using platform::MonitorInfo;

// Every monitor but the primary that gets a battle, in the platform's order. Empty
// rectangles, and monitors that overlap the primary or a monitor listed before them that got
// a battle (mirrored or partly mirrored displays), get none: a window there would hide part
// of a battle already shown.
std::vector<MonitorInfo> OtherBattleMonitors(const std::vector<MonitorInfo>& monitors);

// Whether a display change leaves the saver with a desktop it no longer matches: a monitor
// added, removed, moved, resized or given another scaling. A change of colour depth alone
// (the saver's own switch to 32 bits per pixel) keeps the rectangles and does not count.
bool LayoutChanged(const std::vector<MonitorInfo>& atStart, const std::vector<MonitorInfo>& now);

}  // namespace battle
