// A FrameDisplay for a window beside the DirectDraw screen (a monitor other than the
// primary): frames are composed in memory by a SoftDisplay and every flip copies the
// finished frame into the window with GDI, which leaves the primary's exclusive mode alone.
// The saver's monitor windows use it; so does the frame benchmark.
#pragma once

#include <windows.h>

#include <vector>

#include "graphics/frame_display.h"
#include "graphics/soft_display.h"

namespace graphics {

// What the screen shows now in a rectangle of virtual-screen pixels (which may lie left
// of or above the primary), as 0x00RRGGBB values, top row first.
std::vector<PixelValue> CaptureScreenPixels(int32_t left, int32_t top, int32_t width, int32_t height);

class GdiFrameDisplay final : public FrameDisplay {
public:
    // Frames of width x height go to the client area of `window` from its top-left corner.
    GdiFrameDisplay(HWND window, int32_t width, int32_t height);

    void SetSurface(int id, int32_t width, int32_t height, std::vector<PixelValue> pixels);
    // The same from a bitmap, keyed on its top-left pixel as on DirectDraw; the bitmap stays
    // the caller's.
    void SetSurface(int id, HBITMAP bitmap);
    // A GDI colour (0x00BBGGRR) as this display's raw pixel value.
    static PixelValue ColorToSurfacePixel(COLORREF color) { return SoftDisplay::ColorToSurfacePixel(color); }
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
