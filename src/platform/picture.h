// The one picture of the program: pixels 0x00RRGGBB (the order people read colours in, and
// a top-down 32-bit DIB's memory layout), row by row from the top. The art, the sprites,
// the desktop background, the software display's surfaces and the tests all hold pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;

    // Every pixel one colour.
    static Picture Filled(int32_t w, int32_t h, uint32_t colour) {
        return {w, h, std::vector<uint32_t>(std::size_t(w) * std::size_t(h), colour)};
    }

    uint32_t At(int32_t x, int32_t y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    uint32_t& At(int32_t x, int32_t y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    // Whether the pixel count is width x height (a picture that could not be made has none).
    bool IsWhole() const { return width > 0 && height > 0 && pixels.size() == std::size_t(width) * std::size_t(height); }

    bool operator==(const Picture&) const = default;
};

}  // namespace platform
