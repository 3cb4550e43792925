// Decoding one wallpaper file for the monitors that show it, each to the part it draws:
// the file's header is read and checked first (image_header), the budget decides the way
// (wallpaper_read), then the system's imaging component decodes, at a reduced size where the
// codec offers one. The wallpaper read's worker calls it; the Windows unit tests reach each
// decoder through it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "desktop/desktop_view.h"
#include "platform/geometry.h"

namespace desktop {

// kBitmapOnly leaves the system's imaging component out, as on a system without it.
enum class Decoders { kAll, kBitmapOnly };

// One piece per monitor of `monitors` (`desktop`: the rectangle around all monitors of the
// saver), or none when the file cannot be read or decoded, is of a kind not read, would
// exceed the budget, or the pixels cannot be had. Opens the file: call it off the window's
// thread. Never throws.
std::optional<std::vector<Piece>> DecodeWallpaper(const std::wstring& path, WallpaperStyle style,
                                                  const std::vector<platform::Rect>& monitors,
                                                  const platform::Rect& desktop, Decoders decoders = Decoders::kAll);

// The 8 x 8 mid-grey JPEG the platform's codec is asked about once, whether it decodes at a
// reduced size. A probe the codec could not read would look like a codec that cannot.
std::span<const uint8_t> JpegProbe();

}  // namespace desktop
