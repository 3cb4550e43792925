// Where the desktop background starts from, for each screen: whether the saver runs on the
// desktop the user sees (a saver on the secure screen-saver desktop captures an empty one),
// and the user's wallpaper and desktop colour for when the screen cannot show them. The
// saver window starts the wallpaper read as early as it can and then asks once per screen.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "desktop/desktop_view.h"

namespace desktop {

// How long after its start the wallpaper read may hold up the first picture. A full-HD
// JPEG, decoded to a monitor's size, takes about 100 to 200 ms under Wine on a busy
// two-core machine (much less on Windows), a second monitor as much again, and the saver's
// own start (the display alone takes half a second) dwarfs the rest; so a local wallpaper
// is in time, while a share that does not answer or a giant picture costs at most this and
// its monitor shows the desktop colour instead.
inline constexpr std::chrono::milliseconds kWallpaperWait{400};

// Starts reading the wallpaper of every monitor on a worker thread and returns at once;
// nothing of it touches the files on the calling thread. The saver window calls it as soon
// as it knows it will draw the desktop, before it does anything else.
void StartWallpaperRead();

// The user's desktop without windows in `area` (virtual-screen pixels), 0x00RRGGBB top row
// first: the wallpaper as Windows shows it on each monitor, placed by the user's style over
// `monitors`, on the desktop colour; the colour alone where no picture could be read within
// kWallpaperWait of the read's start. Starts the read if StartWallpaperRead was not called.
// A monitor's pixels are given out once, to the first area that holds the whole monitor.
// Never throws; empty only when not even the colour fits in memory.
std::vector<uint32_t> WallpaperPixels(const Rect& area, const std::vector<Rect>& monitors);

// Whether the saver's thread runs on the desktop that has the user's windows (OnUserDesktop of
// the thread's and the input desktop's names; a name that cannot be read counts as the user's).
bool SaverOnUserDesktop();

}  // namespace desktop
