// DDrawFrameDisplay: frame composition against the real back buffer, from surfaces built
// once at set-up.
#include "graphics/dx7_frame_display_win32.h"

#include "assets/sprite_resources_win32.h"
#include "platform/numbers.h"

namespace graphics {

void DDrawFrameDisplay::SetSurface(int id, HBITMAP bitmap) {
    platform::At(surfaces_, id) = CreateSurfaceFromBitmap(bitmap);
}

void DDrawFrameDisplay::LoadSpritesFromResources(int scale) {
    for (int n = 1; n < kExplosionSurface; ++n) SetSurface(n, assets::LoadPictureBitmap(n, scale).get());
    SetSurface(kExplosionSurface, assets::LoadExplosionBitmap(scale).get());
}

const Surface& DDrawFrameDisplay::SurfaceOf(int id) const { return platform::At(surfaces_, id); }

void DDrawFrameDisplay::ReleaseSurfaces() { surfaces_.fill(nullptr); }

int32_t DDrawFrameDisplay::FillBackBuffer(PixelValue value) { return FillSurface(BackBuffer(), value); }

int32_t DDrawFrameDisplay::BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw,
                                           int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) {
    return BltFastClipped(BackBuffer(), x, y, w, h, dw, dh, SurfaceOf(surface), sx, sy, sw, sh, useKey);
}

void DDrawFrameDisplay::Flip() { FlipPrimary(); }

}  // namespace graphics
