// The software display: flip, fill, clipped and keyed blits, and the failures a platform
// blit would report.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "graphics/soft_display.h"
#include "platform/runtime_error.h"

namespace graphics {
namespace {

// A w x h picture whose pixel (x, y) is x + 1000 * y, with the top-left given as the key.
std::vector<PixelValue> Numbered(int32_t w, int32_t h, PixelValue topLeft) {
    std::vector<PixelValue> p(size_t(w) * size_t(h));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) p[size_t(y * w + x)] = PixelValue(x + 1000 * y);
    p[0] = topLeft;
    return p;
}

TEST(SoftDisplay, FlipPresentsTheBackBufferAndHandsBackTheOlderFrame) {
    SoftDisplay d(4, 3);
    d.FillBackBuffer(7);
    d.Flip();
    d.FillBackBuffer(9);
    d.Flip();
    EXPECT_EQ(d.FrontBuffer().pixels, std::vector<PixelValue>(12, 9));
    EXPECT_EQ(d.BackBuffer().pixels, std::vector<PixelValue>(12, 7));
    EXPECT_EQ(d.FlipCount(), 2);
}

TEST(SoftDisplay, DrawsWhatIsLeftAfterClipping) {
    SoftDisplay d(200, 40);
    d.SetSurface(1, {117, 44, Numbered(117, 44, 5)});
    // Past the left edge: source column 10 lands on column 0, 107 columns wide.
    EXPECT_EQ(d.BltToBackBuffer(1, -10, 0, 117, 44, 200, 40, 0, 0, 117, 44, false), 0);
    EXPECT_EQ(d.BackBuffer().At(0, 0), 10u);
    EXPECT_EQ(d.BackBuffer().At(106, 39), 116u + 39000u);
    EXPECT_EQ(d.BackBuffer().At(107, 0), 0u);
    // Past the right and bottom limits: cut at column 199 and row 39.
    d.BltToBackBuffer(1, 150, 30, 117, 44, 200, 40, 0, 0, 117, 44, false);
    EXPECT_EQ(d.BackBuffer().At(199, 39), 49u + 9000u);
    // Entirely outside: nothing drawn, no error.
    EXPECT_EQ(d.BltToBackBuffer(1, 200, 0, 117, 44, 200, 40, 0, 0, 117, 44, false), 0);
}

TEST(SoftDisplay, AKeyedBlitLeavesOutExactlyTheTopLeftColour) {
    SoftDisplay d(117, 44);
    d.FillBackBuffer(0xAA);
    std::vector<PixelValue> sprite(117 * 44, 0xFF00FF);
    sprite[1] = 0xFF00FE;  // one step from the key: drawn
    sprite[2] = 0xFFFFFF;  // white is nothing special when the key is magenta
    d.SetSurface(3, {117, 44, sprite});
    d.BltToBackBuffer(3, 0, 0, 117, 44, 117, 44, 0, 0, 117, 44, true);
    EXPECT_EQ(d.BackBuffer().At(0, 0), 0xAAu);
    EXPECT_EQ(d.BackBuffer().At(1, 0), 0xFF00FEu);
    EXPECT_EQ(d.BackBuffer().At(2, 0), 0xFFFFFFu);
    EXPECT_EQ(d.BackBuffer().At(50, 20), 0xAAu);
    d.BltToBackBuffer(3, 0, 0, 117, 44, 117, 44, 0, 0, 117, 44, false);  // unkeyed: all of it
    EXPECT_EQ(d.BackBuffer().At(50, 20), 0xFF00FFu);
}

TEST(SoftDisplay, FailsLikeAPlatformBlitOnMissingSurfacesAndRectanglesOutside) {
    SoftDisplay d(100, 40);
    EXPECT_THROW(d.BltToBackBuffer(2, 0, 0, 10, 10, 100, 40, 0, 0, 10, 10, false), platform::RuntimeError);
    d.SetSurface(2, {10, 10, Numbered(10, 10, 0)});
    // No limits: the rectangle runs past the back buffer / past the source.
    EXPECT_THROW(d.BltToBackBuffer(2, 95, 0, 10, 10, 0, 0, 0, 0, 10, 10, false), platform::RuntimeError);
    EXPECT_THROW(d.BltToBackBuffer(2, 0, 0, 20, 10, 100, 40, 0, 0, 0, 0, false), platform::RuntimeError);
    EXPECT_THROW(d.SetSurface(2, {10, 10, std::vector<PixelValue>(99)}), std::invalid_argument);
    // A negative side times 0 rows (or columns) counts no pixels, yet is no size.
    for (const auto& [w, h] : {std::pair{-1, 0}, std::pair{0, -1}}) {
        EXPECT_THROW(d.SetSurface(2, {w, h, {}}), std::invalid_argument) << w << " x " << h;
        EXPECT_THROW(SoftDisplay(w, h), std::invalid_argument) << w << " x " << h;  // nor for the display
    }
    // Either side 0 is an empty picture, a surface of no pixels.
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{3, 0}, std::pair{0, 3}})
        EXPECT_NO_THROW(d.SetSurface(2, {w, h, {}})) << w << " x " << h;
    // Before the first surface and past the last there is none to set or to blit from.
    for (const int id : {-1, kExplosionSurface + 1}) {
        EXPECT_THROW(d.SetSurface(id, {1, 1, std::vector<PixelValue>{0}}), std::invalid_argument) << id;
        EXPECT_THROW(d.BltToBackBuffer(id, 0, 0, 1, 1, 100, 40, 0, 0, 1, 1, false), platform::RuntimeError) << id;
    }
}

TEST(SoftDisplay, ConvertsGdiColoursToItsPixelFormat) {
    // Every byte different, odd and with its top bit set: a swapped, dropped or cut channel shows.
    EXPECT_EQ(SoftDisplay::ColorToSurfacePixel(0x00A1B3C5), 0xC5B3A1u);
}

}  // namespace
}  // namespace graphics
