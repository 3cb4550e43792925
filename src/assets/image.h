// Whole-picture operations of the art library: the sprite catalogue derives pictures with
// them, the sprites are enlarged with them for high-DPI screens, and the encoders build their
// palettes with them. Pictures are platform::Picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/picture.h"

namespace assets {

// 0x00RRGGBB, the order in which people read colours, not the 0x00BBGGRR of GDI.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }
constexpr uint32_t RedOf(uint32_t c) { return (c >> 16) & 0xFF; }
constexpr uint32_t GreenOf(uint32_t c) { return (c >> 8) & 0xFF; }
constexpr uint32_t BlueOf(uint32_t c) { return c & 0xFF; }

// The art's pictures are the program's one picture type.
using platform::Picture;

Picture MirrorLeftRight(const Picture& image);
Picture ReplaceColour(Picture image, uint32_t from, uint32_t to);
// Every pixel becomes a factor x factor block (nearest neighbour: pixel art stays crisp and
// keeps exactly its colours, so white stays the transparent key). A factor below 1 counts
// as 1.
Picture ScaleNearest(const Picture& image, int factor);

// Every colour of the image once, in the order of first appearance (top row first), which
// keeps palettes stable from build to build.
std::vector<uint32_t> DistinctColours(const Picture& image);

}  // namespace assets
