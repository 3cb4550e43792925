// The monitors and the system's DPI as Windows reports them. The saver window reads them for
// its start-up plan and on every tick; the settings dialog scales itself by the system DPI.
#pragma once

#include <vector>

#include "platform/screen_metrics.h"

namespace platform {

// The monitors as the platform lists them, in virtual-screen pixels, each with its own DPI
// (the system's where the system cannot tell it per monitor): cheap enough to read on every
// tick, which the saver does because Wine updates this list when X changes its monitors but
// sends no WM_DISPLAYCHANGE.
std::vector<MonitorInfo> EnumerateMonitors();

// The system's horizontal dots per inch, fixed at sign-in (UsableDpi of what the screen's
// device context says).
int SystemDpi();

}  // namespace platform
