// A FrameDisplay in memory: 32-bit surfaces of raw 0x00RRGGBB pixels, a back and a front
// buffer that Flip swaps, exact-match colour keys and the same clipping as the DirectDraw
// display. Used by the battle's tests, the frame render tool and the benchmark.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "graphics/frame_display.h"

namespace graphics {

struct SoftSurface {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<PixelValue> pixels;  // row-major, top row first
    PixelValue key = 0;              // source colour key of keyed blits

    PixelValue At(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

class SoftDisplay final : public FrameDisplay {
public:
    // Back and front buffer of the given size, both black.
    SoftDisplay(int32_t width, int32_t height);

    // Surface `id` (kBackgroundSurface, ship pictures 1..16, kExplosionSurface) made from a
    // picture, replacing any earlier one. As for a surface made from a bitmap, its colour
    // key is the picture's top-left pixel. Throws std::invalid_argument when the pixel count
    // does not match the size or the id is not one of those.
    void SetSurface(int id, int32_t width, int32_t height, std::vector<PixelValue> pixels);

    // A GDI colour 0x00BBGGRR as a raw pixel of this display's format, 0x00RRGGBB.
    static PixelValue ColorToSurfacePixel(uint32_t gdiColor);

    const SoftSurface& BackBuffer() const { return back_; }
    const SoftSurface& FrontBuffer() const { return front_; }  // the frame last presented
    int FlipCount() const { return flips_; }

    int32_t FillBackBuffer(PixelValue value) override;
    // Clips with graphics::ClipBlit, then copies; a keyed blit leaves out exactly the source
    // pixels equal to the surface's key. Like a platform blit it fails (platform::RuntimeError)
    // when the surface does not exist or the clipped rectangle lies outside either surface.
    int32_t BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                            int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) override;
    void Flip() override;

private:
    SoftSurface back_;
    SoftSurface front_;
    std::array<std::optional<SoftSurface>, kExplosionSurface + 1> surfaces_;
    int flips_ = 0;
};

}  // namespace graphics
