// The wallpaper as Windows shows it, for each screen's background: read on a worker thread
// below the battle's priority, never waited for. The saver window starts the read as early
// as it can, takes each screen's share when it sets the screen up, and asks again on later
// frames for a screen whose picture was late.
#pragma once

#include <optional>
#include <vector>

#include "desktop/wallpaper_read.h"
#include "platform/geometry.h"
#include "platform/picture.h"

namespace desktop {

// The wallpaper never holds up the start: each screen takes what the read has when it is set
// up, the desktop colour for a monitor still being read, and asks again on later frames
// (LateWallpaperPixels). So there is no wait to tune: a share that does not answer or a
// giant picture costs the start nothing.

// Starts reading the wallpaper of `monitors` (virtual-screen pixels) on a worker thread and
// returns at once; nothing of it touches the files on the calling thread.
void StartWallpaperRead(const std::vector<platform::Rect>& monitors);

// The user's desktop without windows in `area` (virtual-screen pixels): the wallpaper as
// Windows shows it on each monitor, placed by the user's style over `monitors`, on the
// desktop colour; the colour alone where no picture could be read, and for the whole area
// while a monitor of it is still being read (late). Never waits; starts the read if
// StartWallpaperRead was not called. A monitor's pixels are given out once, to the first
// area that holds the whole monitor. Never throws.
WallpaperShare WallpaperPixels(const platform::Rect& area, const std::vector<platform::Rect>& monitors);

// Asked again for an area that was late, without waiting: none while a monitor of it is
// still being read; then the area as WallpaperPixels gives it, or an empty picture where no
// picture came, so the colour already shown stands. Never throws.
std::optional<platform::Picture> LateWallpaperPixels(const platform::Rect& area,
                                                     const std::vector<platform::Rect>& monitors);

}  // namespace desktop
