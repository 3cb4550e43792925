// GDI presentation of in-memory frames. SoftDisplay's raw 0x00RRGGBB pixels are exactly a
// top-down 32-bit DIB's memory layout, so a frame goes to the window with one
// SetDIBitsToDevice and no conversion.
#include "graphics/gdi_frame_display_win32.h"

#include "platform/dib_win32.h"
#include "platform/handles_win32.h"

namespace graphics {

GdiFrameDisplay::GdiFrameDisplay(HWND window, int32_t width, int32_t height)
    : window_(window), soft_(width, height), info_(platform::TopDown32Info(width, height)) {}

void GdiFrameDisplay::Repaint(HDC dc) const {
    const SoftSurface& front = soft_.FrontBuffer();
    SetDIBitsToDevice(dc, 0, 0, DWORD(front.width), DWORD(front.height), 0, 0, 0, UINT(front.height),
                      front.pixels.data(), &info_, DIB_RGB_COLORS);
}

int32_t GdiFrameDisplay::FillBackBuffer(PixelValue value) { return soft_.FillBackBuffer(value); }

int32_t GdiFrameDisplay::BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw,
                                         int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) {
    return soft_.BltToBackBuffer(surface, x, y, w, h, dw, dh, sx, sy, sw, sh, useKey);
}

void GdiFrameDisplay::Flip() {
    soft_.Flip();
    if (!IsWindow(window_)) return;
    platform::WindowDc dc(window_);
    if (dc.Get()) Repaint(dc.Get());
}

}  // namespace graphics
