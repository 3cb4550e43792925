// Reading one monitor's share of a wallpaper file, decoded at the size it is drawn at. The
// wallpaper read (wallpaper_read_win32.cpp, behind WallpaperPixels) uses it on its worker
// thread; the Windows unit tests use it to reach each decoder.
#pragma once

#include <optional>
#include <string>

#include "desktop/desktop_view.h"

namespace desktop {

// kBitmapOnly leaves the system's imaging component out, as on a system without it.
enum class Decoders { kAll, kBitmapOnly };

// The part of the picture in `path` that `monitor` shows with `style` (`desktop`: the
// rectangle around all monitors), scaled to its placed size; none when the file cannot be
// read or decoded, or the pixels cannot be had. Opens the file: call it off the window's
// thread for any file that may not answer at once. Never throws.
std::optional<Piece> ReadPiece(const std::wstring& path, WallpaperStyle style, Rect monitor, Rect desktop,
                               Decoders decoders = Decoders::kAll);

}  // namespace desktop
