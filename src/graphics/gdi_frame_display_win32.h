// A FrameDisplay for a window, presented with GDI: frames are composed in memory by a
// SoftDisplay and every flip copies the finished frame into the window, which leaves the
// primary's exclusive mode alone. Every monitor other than the primary has one, and so does
// the primary where DirectDraw cannot start (battle's PrimaryDisplay); the frame benchmark too.
#pragma once

#include <windows.h>

#include "graphics/frame_display.h"
#include "graphics/soft_display.h"

namespace graphics {

class GdiFrameDisplay final : public FrameDisplay {
public:
    // Frames of width x height go to the client area of `window` from its top-left corner.
    GdiFrameDisplay(HWND window, int32_t width, int32_t height);

    PixelValue SurfacePixel(uint32_t gdiColour) override { return SoftDisplay::ColorToSurfacePixel(gdiColour); }
    void SetSurface(int id, const platform::Picture& picture) override { soft_.SetSurface(id, picture); }
    // Copies the frame last presented into the window again (after the window was covered).
    void Repaint(HDC dc) const;
    const SoftDisplay& Frames() const { return soft_; }

    int32_t FillBackBuffer(PixelValue value) override;
    int32_t BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                            int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) override;
    // The composed frame becomes the front buffer and is copied into the window. A window
    // that no longer exists is skipped: the frame must never land on the screen's own DC.
    void Flip() override;

private:
    HWND window_;
    SoftDisplay soft_;
    BITMAPINFO info_{};
};

}  // namespace graphics
