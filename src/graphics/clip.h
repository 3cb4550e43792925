// Software clipping of an unstretched blit, done before the platform's fast blit because
// that blit does no clipping of its own. Shared by the DirectDraw module and the software
// display so both draw exactly the same pixels.
#pragma once

#include <cstdint>
#include <optional>

namespace graphics {

// Destination position and size, destination limits (dw, dh), source position and source
// limits (sw, sh). A limit of 0 means that side is not limited.
struct BlitRequest {
    int32_t x = 0, y = 0, w = 0, h = 0;
    int32_t dw = 0, dh = 0;
    int32_t sx = 0, sy = 0, sw = 0, sh = 0;
};

// What is left to draw: destination corner and source rectangle (right/bottom exclusive).
struct ClippedBlit {
    int32_t x = 0, y = 0;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
};

// Clips against the destination's top-left, its limits, the source's top-left and the
// source limits, in that order; nullopt when nothing is left. 32-bit arithmetic, an
// overflow raises platform::RuntimeError.
std::optional<ClippedBlit> ClipBlit(BlitRequest r);

}  // namespace graphics
