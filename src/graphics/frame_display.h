// The narrow display a frame is composed against: a back buffer that can be filled or
// blitted into from a fixed set of surfaces, and a flip. The saver implements it over
// DirectDraw; the software display implements it in memory for tests and pictures.
#pragma once

#include <cstdint>

namespace graphics {

// Surfaces a frame is drawn from. 1..16 are the ship pictures by picture number.
inline constexpr int kBackgroundSurface = 0;
inline constexpr int kExplosionSurface = 17;

// A raw pixel value in the back buffer's format (not a GDI colour).
using PixelValue = uint32_t;

class FrameDisplay {
public:
    virtual ~FrameDisplay() = default;
    // Every pixel of the back buffer set to `value`; returns the platform's status.
    virtual int32_t FillBackBuffer(PixelValue value) = 0;
    // A clipped, unstretched copy from `surface` into the back buffer, with the argument
    // order and clipping rules of BltFastClipped; returns the status, 0 when nothing drawn.
    virtual int32_t BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                                    int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) = 0;
    virtual void Flip() = 0;
};

}  // namespace graphics
