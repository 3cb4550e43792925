// The picture the desktop background starts from, for each monitor: the screen itself, or
// the user's wallpaper and desktop colour when the screen cannot show them (a saver on the
// secure screen-saver desktop captures an empty one). The saver window asks once per monitor.
#pragma once

#include <cstdint>
#include <vector>

namespace desktop {

// What the user's desktop shows in this rectangle of virtual-screen pixels, 0x00RRGGBB top
// row first: the screen itself when the saver runs on the user's desktop and the snapshot
// is not blank, otherwise the wallpaper placed by the user's style on the desktop colour
// (the desktop colour alone where there is no wallpaper). Never throws for a missing or
// unreadable wallpaper; it then shows the colour.
std::vector<uint32_t> DesktopPixels(int32_t left, int32_t top, int32_t width, int32_t height);

}  // namespace desktop
