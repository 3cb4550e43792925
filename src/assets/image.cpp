// Whole-picture operations used to derive the ship pictures that are not drawn by hand
// (the left-heading mirrors and the blue side's recolouring), to enlarge the sprites for
// high-DPI screens and to build palettes.
#include "assets/image.h"

#include <algorithm>
#include <cstddef>
#include <unordered_set>

namespace assets {

Picture MirrorLeftRight(const Picture& image) {
    Picture out = image;
    for (int y = 0; y < image.height; ++y) {
        auto row = out.pixels.begin() + std::ptrdiff_t(y) * image.width;
        std::reverse(row, row + image.width);
    }
    return out;
}

Picture ReplaceColour(Picture image, uint32_t from, uint32_t to) {
    std::replace(image.pixels.begin(), image.pixels.end(), from, to);
    return image;
}

Picture ScaleNearest(const Picture& image, int factor) {
    if (factor <= 1) return image;
    Picture out = Picture::Filled(image.width * factor, image.height * factor, 0);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) out.At(x, y) = image.At(x / factor, y / factor);
    }
    return out;
}

std::vector<uint32_t> DistinctColours(const Picture& image) {
    std::vector<uint32_t> colours;
    std::unordered_set<uint32_t> seen;
    for (uint32_t c : image.pixels) {
        if (seen.insert(c).second) colours.push_back(c);
    }
    return colours;
}

}  // namespace assets
