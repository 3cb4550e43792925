// A plain 24-bit picture in memory, the common currency of the art library: the pixel-text
// parser produces it, the sprite catalogue derives pictures from it and the encoders and
// the Windows loader turn it into bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assets {

// 0x00RRGGBB, the order in which people read colours, not the 0x00BBGGRR of GDI.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }
constexpr uint32_t RedOf(uint32_t c) { return (c >> 16) & 0xFF; }
constexpr uint32_t GreenOf(uint32_t c) { return (c >> 8) & 0xFF; }
constexpr uint32_t BlueOf(uint32_t c) { return c & 0xFF; }

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // row-major, top row first

    Image() = default;
    Image(int w, int h, uint32_t fill)
        : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}

    uint32_t At(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
    uint32_t& At(int x, int y) {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }

    bool operator==(const Image&) const = default;
};

Image MirrorLeftRight(const Image& image);
Image ReplaceColour(Image image, uint32_t from, uint32_t to);
// Every pixel becomes a factor x factor block (nearest neighbour: pixel art stays crisp and
// keeps exactly its colours, so white stays the transparent key). A factor below 1 counts
// as 1.
Image ScaleNearest(const Image& image, int factor);

// Every colour of the image once, in the order of first appearance (top row first), which
// keeps palettes stable from build to build.
std::vector<uint32_t> DistinctColours(const Image& image);

}  // namespace assets
