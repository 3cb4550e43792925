// Where the desktop background starts from, for each screen: whether the saver runs on the
// desktop the user sees (a saver on the secure screen-saver desktop captures an empty one),
// and the user's wallpaper and desktop colour for when the screen cannot show them. The
// saver window starts the wallpaper read as early as it can, asks for each screen, and asks
// again on later frames for a screen whose picture was late.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "desktop/desktop_view.h"

namespace desktop {

// The wallpaper never holds up the start: each screen takes what the read has when it is set
// up, the desktop colour for a monitor still being read, and asks again on later frames
// (LateWallpaperPixels). So there is no wait to tune: under Wine the primary's display takes
// 200 to 500 ms, in which a local picture is usually decoded, and the first frame after it
// asks first; a share that does not answer or a giant picture costs the start nothing.

// Starts reading the wallpaper of `monitors` (virtual-screen pixels) on a worker thread and
// returns at once; nothing of it touches the files on the calling thread. The saver window
// calls it as soon as it knows it will draw the desktop, before it does anything else.
void StartWallpaperRead(const std::vector<Rect>& monitors);

// One screen's wallpaper as far as the read has come.
struct WallpaperShare {
    std::vector<uint32_t> pixels;  // empty only when not even the colour fits in memory
    bool late = false;             // a monitor of the area was still being read: all colour
};

// The user's desktop without windows in `area` (virtual-screen pixels), 0x00RRGGBB top row
// first: the wallpaper as Windows shows it on each monitor, placed by the user's style over
// `monitors`, on the desktop colour; the colour alone where no picture could be read, and
// for the whole area while a monitor of it is still being read. Never waits; starts the read
// if StartWallpaperRead was not called. A monitor's pixels are given out once, to the first
// area that holds the whole monitor. Never throws.
WallpaperShare WallpaperPixels(const Rect& area, const std::vector<Rect>& monitors);

// Asked again for an area that was late, without waiting: none while a monitor of it is
// still being read; then its pixels as WallpaperPixels gives them, or none at all (empty)
// where no picture came, so the colour already shown stands. Never throws.
std::optional<std::vector<uint32_t>> LateWallpaperPixels(const Rect& area, const std::vector<Rect>& monitors);

// Whether the saver's thread runs on the desktop that has the user's windows (OnUserDesktop of
// the thread's and the input desktop's names; a name that cannot be read counts as the user's).
bool SaverOnUserDesktop();

}  // namespace desktop
