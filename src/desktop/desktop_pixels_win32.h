// What the desktop shows without windows, from the system's own settings: the user's
// wallpaper placed by the user's style on the desktop colour; and whether the saver runs on
// the desktop the user sees, where a snapshot shows it. The saver window asks once per screen.
#pragma once

#include <cstdint>
#include <vector>

#include "desktop/desktop_view.h"

namespace desktop {

// What the user's desktop shows without windows in `area` (virtual-screen pixels),
// 0x00RRGGBB top row first: the wallpaper placed by the user's style over `monitors` (every
// monitor's rectangle, as the saver enumerated them) on the desktop colour, the colour alone
// where there is no wallpaper. Never throws for a missing or unreadable wallpaper.
std::vector<uint32_t> WallpaperPixels(const Rect& area, const std::vector<Rect>& monitors);

// Whether the saver's thread runs on the desktop that has the user's windows (OnUserDesktop of
// the thread's and the input desktop's names; a name that cannot be read counts as the user's).
bool SaverOnUserDesktop();

}  // namespace desktop
