// Shared pieces of the display tests under Wine: one real full-screen popup window for the
// whole run, bitmaps made in code, pixel read-back through Lock, and a fixture that holds
// the display taken for each test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "graphics/dx7_ddraw_support_win32.h"
#include "platform/dib_win32.h"
#include "platform/handles_win32.h"
#include "support/test_window_win32.h"

namespace graphics::testing {

inline constexpr COLORREF kWhite = RGB(255, 255, 255);

inline int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
inline int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

inline HWND MakeWindow(int x, int y, int w, int h) {
    return testsupport::MakeWindow(
        {.className = L"DisplayTestWindow", .title = L"Display test", .x = x, .y = y, .width = w, .height = h});
}

// The window every test takes the display with; lives until the process ends.
inline HWND TestWindow() {
    static HWND window = MakeWindow(0, 0, ScreenWidth(), ScreenHeight());
    return window;
}

// A 32-bit top-down DIB section whose pixel (x, y) is colour(x, y).
inline platform::UniqueBitmap MakeBitmap(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    BITMAPINFO info = platform::TopDown32Info(w, h);
    void* bits = nullptr;
    platform::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = colour(x, y);
            pixels[y * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return bitmap;
}

// The raw pixel value at (x, y), without the unused top byte of the 32-bit format.
inline uint32_t ReadPixel(const Surface& surface, int x, int y) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) {
        ADD_FAILURE() << "Lock failed";
        return 0xDEADBEEF;
    }
    auto* row = static_cast<const uint8_t*>(desc.lpSurface) + y * desc.lPitch;
    uint32_t value = reinterpret_cast<const uint32_t*>(row)[x];
    surface->Unlock(nullptr);
    return value & 0x00FFFFFF;
}

// The system's cursor display counter, left as it was.
inline int CursorCounter() {
    int shown = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return shown - 1;
}

// The display taken for `window` at the screen's size in the 32-bit mode, or at another size.
inline std::unique_ptr<DDrawDisplay> TakeScreen(HWND window = TestWindow(), SetupFailure* failure = nullptr,
                                                int width = ScreenWidth(), int height = ScreenHeight()) {
    return DDrawDisplay::Take(window, width, height, 32, failure);
}

// Each test runs with the display taken; it is given back when the fixture goes.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetupFailure failure;
        display = TakeScreen(TestWindow(), &failure);
        ASSERT_TRUE(display) << failure.Describe();
    }
    const Surface& Back() const { return display->BackBuffer(); }
    std::unique_ptr<DDrawDisplay> display;
};

}  // namespace graphics::testing
