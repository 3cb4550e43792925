// What the saver knows of the screens before it draws: the system's twips-per-pixel factors
// (as the window toolkit reports them, from the dots per inch on each axis), the one rule for
// a DPI the system cannot tell, and each monitor's rectangle and own DPI. The Win32 side
// reads the figures (runtime_win32, monitors_win32); the start-up plan and the cursor rule
// use them.
#pragma once

#include <cstdint>

#include "platform/geometry.h"

namespace platform {

// A dots-per-inch figure that is not positive (the system could not say) counts as 96.
inline constexpr int kDefaultDpi = 96;
constexpr int UsableDpi(int dpi) { return dpi > 0 ? dpi : kDefaultDpi; }

struct ScreenTwips {
    float twipsPerPixelX = 15;  // 1440 / dots per inch
    float twipsPerPixelY = 15;
    int dpi = kDefaultDpi;      // horizontal dots per inch of the system
};

// UsableDpi on each axis.
ScreenTwips ScreenTwipsFor(int dpiX, int dpiY);

// One monitor as the platform lists it.
struct MonitorInfo {
    Rect rect;
    bool primary = false;
    int dpi = kDefaultDpi;  // the monitor's own dots per inch, as the user scaled it
    bool operator==(const MonitorInfo&) const = default;
};

}  // namespace platform
