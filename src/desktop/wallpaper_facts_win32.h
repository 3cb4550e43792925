// What Windows tells about the wallpaper without opening a picture: the style, the desktop
// setting's picture, each monitor's picture from the shell's wallpaper object (given up when
// it does not answer in time) and from what Windows records in the registry, the file facts
// of a picture and Windows' own copies. The wallpaper read's worker asks; wallpaper_read
// decides from the answers.
#pragma once

#include <string>
#include <vector>

#include "desktop/desktop_view.h"
#include "desktop/wallpaper_read.h"
#include "platform/geometry.h"

namespace desktop {

WallpaperStyle WallpaperStyleSetting();

// The pictures Windows names for `monitors`. Call it on a thread with COM: it may wait for
// the shell up to a fraction of a second.
RecordedPictures RecordedPicturesFor(const std::vector<platform::Rect>& monitors);

// The file facts of a picture and Windows' copies, as the read's rules want them.
FoundFiles FindFiles();

}  // namespace desktop
