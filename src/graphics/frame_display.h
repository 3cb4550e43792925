// The narrow display a screen is set up on and a frame is composed against: surfaces made
// from pictures, a back buffer that can be filled or blitted into from them, and a flip. The
// primary's DirectDraw display, the GDI display of every other screen (and of the primary
// where DirectDraw cannot start) and the software display of the tests and tools implement it.
#pragma once

#include <cstdint>

#include "platform/picture.h"

namespace graphics {

// Surfaces a frame is drawn from. 1..16 are the ship pictures by picture number.
inline constexpr int kBackgroundSurface = 0;
inline constexpr int kExplosionSurface = 17;

// A raw pixel value in the back buffer's format (not a GDI colour).
using PixelValue = uint32_t;

class FrameDisplay {
public:
    virtual ~FrameDisplay() = default;
    // The raw back-buffer value of a GDI colour (0x00BBGGRR).
    virtual PixelValue SurfacePixel(uint32_t gdiColour) = 0;
    // Makes surface `id` (kBackgroundSurface, 1..16, kExplosionSurface) from a picture,
    // replacing any earlier one; its colour key is the picture's top-left pixel.
    virtual void SetSurface(int id, const platform::Picture& picture) = 0;
    // Every pixel of the back buffer set to `value`; returns the platform's status.
    virtual int32_t FillBackBuffer(PixelValue value) = 0;
    // A clipped, unstretched copy from `surface` into the back buffer, with the argument
    // order and clipping rules of BltFastClipped; returns the status, 0 when nothing drawn.
    virtual int32_t BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                                    int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) = 0;
    virtual void Flip() = 0;
};

}  // namespace graphics
