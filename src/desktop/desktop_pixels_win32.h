// The picture the desktop background starts from, for each monitor: the screen itself, or
// the user's wallpaper and desktop colour when the screen cannot show them (a saver on the
// secure screen-saver desktop captures an empty one). The saver window asks once per monitor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "desktop/desktop_view.h"

namespace desktop {

// What the user's desktop shows in this rectangle of virtual-screen pixels, 0x00RRGGBB top
// row first: the screen itself when the saver runs on the user's desktop and the snapshot
// is not blank, otherwise the wallpaper placed by the user's style on the desktop colour
// (the desktop colour alone where there is no wallpaper). Never throws for a missing or
// unreadable wallpaper; it then shows the colour.
std::vector<uint32_t> DesktopPixels(int32_t left, int32_t top, int32_t width, int32_t height);

// The parts, for tests and tools: the picture file decoded (BMP, PNG, JPEG, GIF, TIFF: what
// the system's imaging component reads), nullopt when it cannot be read or is too large.
std::optional<Picture> LoadPictureFile(const std::wstring& path);
// The wallpaper on the user's desktop without windows, in the given rectangle.
std::vector<uint32_t> WallpaperPixels(int32_t left, int32_t top, int32_t width, int32_t height);
// The name of the saver thread's desktop ("Default" for the user's).
std::string ThreadDesktopName();

}  // namespace desktop
