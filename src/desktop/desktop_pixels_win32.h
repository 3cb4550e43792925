// The picture the desktop background starts from, for each monitor: the screen itself, or
// the user's wallpaper and desktop colour when the screen cannot show them (a saver on the
// secure screen-saver desktop captures an empty one). The saver window asks once per monitor.
#pragma once

#include <cstdint>
#include <vector>

#include "desktop/desktop_view.h"

namespace desktop {

// What the user's desktop shows in `area` (virtual-screen pixels), 0x00RRGGBB top row
// first: the screen itself when the saver runs on the user's desktop and the snapshot is
// not blank, otherwise the wallpaper placed by the user's style over `monitors` (every
// monitor's rectangle, as the saver enumerated them) on the desktop colour, the colour
// alone where there is no wallpaper. Never throws for a missing or unreadable wallpaper.
std::vector<uint32_t> DesktopPixels(const Rect& area, const std::vector<Rect>& monitors);

}  // namespace desktop
