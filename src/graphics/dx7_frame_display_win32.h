// The battle's FrameDisplay over Dx7DDrawSupport: the background and the seventeen sprite
// pictures are turned into keyed surfaces once and reused for every frame, which shows the
// same pixels as rebuilding them per draw at a fraction of the work.
#pragma once

#include <windows.h>

#include <array>

#include "graphics/dx7_ddraw_support_win32.h"
#include "graphics/frame_display.h"

namespace graphics {

class DDrawFrameDisplay final : public FrameDisplay {
public:
    // Makes the surface for id (kBackgroundSurface, 1..16, kExplosionSurface) from a bitmap,
    // replacing any earlier one. The bitmap stays the caller's. Needs the display set up.
    void SetSurface(int id, HBITMAP bitmap);
    // Ship pictures 1..16 and the explosion, from the program's bitmap resources, each
    // enlarged `scale` times (whole pixels) for a high-DPI screen.
    void LoadSpritesFromResources(int scale = 1);
    const Surface& SurfaceOf(int id) const;
    // Drops every surface (before the display is given back, if the process goes on).
    void ReleaseSurfaces();

    int32_t FillBackBuffer(PixelValue value) override;
    int32_t BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                            int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) override;
    void Flip() override;

private:
    std::array<Surface, kExplosionSurface + 1> surfaces_;
};

}  // namespace graphics
