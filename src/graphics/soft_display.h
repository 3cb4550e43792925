// A FrameDisplay in memory: 32-bit surfaces of raw 0x00RRGGBB pixels, a back and a front
// buffer that Flip swaps, exact-match colour keys and the same clipping as the DirectDraw
// display. The GDI display composes in one; the tests, the render tool and the benchmark too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "graphics/frame_display.h"

namespace graphics {

struct SoftSurface : platform::Picture {
    PixelValue key = 0;  // source colour key of keyed blits
};

class SoftDisplay final : public FrameDisplay {
public:
    // Back and front buffer of the given size, both black.
    SoftDisplay(int32_t width, int32_t height);

    // Throws std::invalid_argument when the pixel count does not match the size or the id
    // is not a surface's.
    void SetSurface(int id, const platform::Picture& picture) override;

    // A GDI colour 0x00BBGGRR as a raw pixel of this display's format, 0x00RRGGBB.
    static PixelValue ColorToSurfacePixel(uint32_t gdiColor);
    PixelValue SurfacePixel(uint32_t gdiColour) override { return ColorToSurfacePixel(gdiColour); }

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
