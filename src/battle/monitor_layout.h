// Where the saver's battles go on a desktop of several monitors: the primary keeps the
// exclusive full-screen battle, every other monitor gets a window of its own covering its
// rectangle with a battle sized to it. The saver window asks at start; the saver session
// compares the layout at every tick and display change.
#pragma once

#include <cstdint>
#include <vector>

#include "battle/battle_state.h"
#include "desktop/desktop_view.h"

namespace battle {

// A rectangle in virtual-screen pixels (negative left of or above the primary), as the
// desktop's own picture is placed.
using ScreenRect = desktop::Rect;

struct MonitorInfo {
    ScreenRect rect;
    bool primary = false;
    int dpi = 96;  // the monitor's own dots per inch, as the user scaled it
    bool operator==(const MonitorInfo&) const = default;
};

// One monitor besides the primary: the window that covers it and the set-up of its battle
// (the primary's twips factors, the monitor's own size, and a sprite cell measured from
// pictures enlarged by the monitor's own scale).
struct MonitorBattle {
    ScreenRect window;
    Measurements measurements;
    int spriteScale = 1;  // SpriteScaleForDpi of the monitor's dpi
};

// Whether two rectangles share at least one pixel; rectangles that only touch do not.
bool Overlap(const ScreenRect& a, const ScreenRect& b);

// Every monitor but the primary, in the platform's order. Empty rectangles, and monitors
// that overlap the primary or a monitor listed before them that got a battle (mirrored or
// partly mirrored displays), get none: a window there would hide part of a battle already
// shown. `primary` was measured with pictures enlarged `primarySpriteScale` times.
std::vector<MonitorBattle> OtherMonitorBattles(const std::vector<MonitorInfo>& monitors, const Measurements& primary,
                                               int primarySpriteScale);

// Whether a display change leaves the saver with a desktop it no longer matches: a monitor
// added, removed, moved, resized or given another scaling. A change of colour depth alone
// (the saver's own switch to 32 bits per pixel) keeps the rectangles and does not count.
bool LayoutChanged(const std::vector<MonitorInfo>& atStart, const std::vector<MonitorInfo>& now);

}  // namespace battle
