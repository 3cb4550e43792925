// What a picture file says about itself before any decoder sees it: its kind and size from
// its first bytes, checked against the file's length, and the path Windows records for a
// monitor's wallpaper. Portable and pure over bytes; the wallpaper read's Win32 side feeds
// it the file's head and the registry's values, and the fuzz targets call it directly.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace desktop {

// The kinds read from the user's own file. Others (GIF, TIFF, HEIC...) are left to Windows'
// copies: their decoders may hold every frame, or all of the picture, before its size is known.
enum class ImageKind { kBmp, kJpeg, kPng };

struct ImageHeader {
    ImageKind kind = ImageKind::kBmp;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;  // as stored: what one pixel of a whole decode holds
};

// The header of the file whose first bytes are `head` and whose length is `fileSize`; none
// for any other kind, a header that does not fit in `head`, a size of zero, or (BMP) a
// compressed or inconsistent bitmap or pixel rows that the file is too short to hold.
std::optional<ImageHeader> ReadImageHeader(std::span<const uint8_t> head, uint64_t fileSize);

// The path in a TranscodedImageCache value: UTF-16LE after a 24-byte header, up to its NUL
// or the value's end; empty where the value is shorter than the header.
std::wstring RecordedWallpaperPath(std::span<const uint8_t> value);

}  // namespace desktop
