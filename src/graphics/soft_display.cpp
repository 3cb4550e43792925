// Software display. Blits go row by row over the clipped rectangle; the keyed path compares
// every source pixel with the key, which is all a hardware source key does.
#include "graphics/soft_display.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "graphics/clip.h"
#include "platform/runtime_error.h"

namespace graphics {
namespace {

SoftSurface Blank(int32_t width, int32_t height) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative display size");
    SoftSurface s;
    s.width = width;
    s.height = height;
    s.pixels.assign(size_t(width) * size_t(height), 0);
    return s;
}

bool Inside(int32_t left, int32_t top, int32_t width, int32_t height, const SoftSurface& s) {
    return left >= 0 && top >= 0 && int64_t{left} + width <= s.width && int64_t{top} + height <= s.height;
}

}  // namespace

SoftDisplay::SoftDisplay(int32_t width, int32_t height) : back_(Blank(width, height)), front_(Blank(width, height)) {}

void SoftDisplay::SetSurface(int id, const platform::Picture& picture) {
    if (id < 0 || id >= int(surfaces_.size())) throw std::invalid_argument("no such surface id");
    if (picture.width < 0 || picture.height < 0 ||
        picture.pixels.size() != size_t(picture.width) * size_t(picture.height))
        throw std::invalid_argument("pixel count does not match the surface size");
    SoftSurface s;
    static_cast<platform::Picture&>(s) = picture;
    s.key = s.pixels.empty() ? 0 : s.pixels.front();
    surfaces_[size_t(id)] = std::move(s);
}

PixelValue SoftDisplay::ColorToSurfacePixel(uint32_t gdiColor) {
    const uint32_t r = gdiColor & 0xFF, g = (gdiColor >> 8) & 0xFF, b = (gdiColor >> 16) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

int32_t SoftDisplay::FillBackBuffer(PixelValue value) {
    std::fill(back_.pixels.begin(), back_.pixels.end(), value);
    return 0;
}

int32_t SoftDisplay::BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw,
                                     int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) {
    if (surface < 0 || surface >= int(surfaces_.size()) || !surfaces_[size_t(surface)])
        throw platform::RuntimeError(platform::RuntimeError::kPlatformCall,
                                     "BltFast failed: no surface " + std::to_string(surface));
    const SoftSurface& src = *surfaces_[size_t(surface)];
    const auto clipped = ClipBlit(BlitRequest{x, y, w, h, dw, dh, sx, sy, sw, sh});
    if (!clipped) return 0;
    const int32_t width = clipped->width(), height = clipped->height();
    if (!Inside(clipped->left, clipped->top, width, height, src) || !Inside(clipped->x, clipped->y, width, height, back_))
        throw platform::RuntimeError(platform::RuntimeError::kPlatformCall, "BltFast failed: rectangle outside the surface");

    for (int32_t row = 0; row < height; ++row) {
        const PixelValue* from = &src.pixels[size_t(clipped->top + row) * size_t(src.width) + size_t(clipped->left)];
        PixelValue* to = &back_.pixels[size_t(clipped->y + row) * size_t(back_.width) + size_t(clipped->x)];
        if (!useKey) {
            std::copy(from, from + width, to);
        } else {
            for (int32_t col = 0; col < width; ++col) {
                if (from[col] != src.key) to[col] = from[col];
            }
        }
    }
    return 0;
}

void SoftDisplay::Flip() {
    std::swap(back_, front_);
    ++flips_;
}

}  // namespace graphics
