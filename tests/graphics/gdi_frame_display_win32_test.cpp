// The in-memory display presented with GDI: bitmaps read as 0x00RRGGBB pixels, a frame
// reaching the window exactly, the screen read back the same way, and a display whose
// window is gone never painting the screen itself.
#include <gtest/gtest.h>

#include "ddraw_test_support_win32.h"
#include "desktop/screen_capture_win32.h"
#include "graphics/gdi_frame_display_win32.h"
#include "platform/dib_win32.h"

namespace graphics {
namespace {

using namespace graphics::testing;

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(GdiFrameDisplay, BitmapsReadAsRawPixelsOfTheSoftwareDisplay) {
    auto bitmap = MakeBitmap(3, 2, [](int x, int y) { return RGB(10 * x + 1, 20 * y + 2, 250); });
    SIZE size{};
    const std::vector<PixelValue> pixels = platform::ReadBitmapPixels(bitmap.get(), &size);
    EXPECT_EQ(size.cx, 3);
    EXPECT_EQ(size.cy, 2);
    ASSERT_EQ(pixels.size(), 6u);
    EXPECT_EQ(pixels[0], 0x0102FAu);  // top row first: red is the high byte
    EXPECT_EQ(pixels[2], 0x1502FAu);
    EXPECT_EQ(pixels[5], 0x1516FAu);
}

TEST(GdiFrameDisplay, AFlippedFrameIsWhatTheWindowAndTheScreenShow) {
    constexpr int kLeft = 200, kTop = 150, kWidth = 64, kHeight = 48;
    HWND window = MakeWindow(kLeft, kTop, kWidth, kHeight);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Pump();
    GdiFrameDisplay display(window, kWidth, kHeight);
    display.SetSurface(kExplosionSurface, platform::Picture{2, 2, {0xFFFFFF, 0x123456, 0x654321, 0x0A0B0C}});
    display.FillBackBuffer(0x0000AA);
    display.BltToBackBuffer(kExplosionSurface, kWidth - 2, kHeight - 2, 2, 2, kWidth, kHeight, 0, 0, 2, 2, true);
    display.Flip();

    {
        platform::WindowDc dc(window);
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 170));
        EXPECT_EQ(GetPixel(dc.Get(), kWidth - 2, kHeight - 2), RGB(0, 0, 170));  // keyed corner
        EXPECT_EQ(GetPixel(dc.Get(), kWidth - 1, kHeight - 2), RGB(0x12, 0x34, 0x56));
        EXPECT_EQ(GetPixel(dc.Get(), kWidth - 1, kHeight - 1), RGB(0x0A, 0x0B, 0x0C));
    }
    // Read back from the screen, a snapshot gives the frame's own pixel values.
    const auto shown = desktop::CaptureScreen({kLeft, kTop, kWidth, kHeight}).pixels;
    EXPECT_EQ(shown, display.Frames().FrontBuffer().pixels);
    DestroyWindow(window);
}

TEST(GdiFrameDisplay, FramesForAWindowThatIsGoneAreNotDrawnOnTheScreen) {
    HWND window = MakeWindow(300, 200, 32, 32);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Pump();
    GdiFrameDisplay closed(window, 32, 32);
    GdiFrameDisplay never(nullptr, 32, 32);
    DestroyWindow(window);
    Pump();
    for (GdiFrameDisplay* d : {&closed, &never}) {
        d->FillBackBuffer(0xFF0000);
        EXPECT_NO_THROW(d->Flip());
    }
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{300, 200}}) {
        const auto pixels = desktop::CaptureScreen({x, y, 32, 32}).pixels;
        EXPECT_NE(pixels[0], 0xFF0000u) << x << "," << y;
    }
}

}  // namespace
}  // namespace graphics
