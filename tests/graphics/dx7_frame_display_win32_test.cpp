// The sprite bitmaps from resources and the battle's DDrawFrameDisplay: each resource shows
// the art of its picture number, every sprite surface is keyed on its white corner, enlarged
// sprites hold exactly the scaled art, draws are routed by surface id and bad ids rejected.
#include <gtest/gtest.h>

#include "assets/sprite_art.h"
#include "assets/sprite_resources_win32.h"
#include "ddraw_test_support_win32.h"
#include "graphics/dx7_frame_display_win32.h"
#include "platform/dib_win32.h"
#include "platform/runtime_error.h"

namespace graphics {
namespace {

using namespace graphics::testing;
using platform::RuntimeError;

// A bitmap's pixels as 0x00RRGGBB, top row first, the way the art library holds pictures.
assets::Image PixelsOf(HBITMAP bitmap) {
    assets::Image image;
    SIZE size{};
    image.pixels = platform::ReadBitmapPixels(bitmap, &size);
    image.width = size.cx;
    image.height = size.cy;
    return image;
}

TEST(SpriteResources, EachPictureShowsTheArtOfItsNumber) {
    for (int number = 1; number <= assets::kShipPictureCount; ++number) {
        EXPECT_TRUE(PixelsOf(assets::LoadPictureBitmap(number).get()) == assets::ShipPicture(number))
            << "picture " << number;
    }
    const assets::Image explosion = PixelsOf(assets::LoadExplosionBitmap().get());
    EXPECT_EQ(explosion.width, 117);
    EXPECT_EQ(explosion.height, 44);
    EXPECT_TRUE(explosion == assets::ExplosionPicture());
    EXPECT_THROW(assets::LoadPictureBitmap(0), RuntimeError);
    EXPECT_THROW(assets::LoadPictureBitmap(17), RuntimeError);
}

TEST(SpriteResources, ScaleOneIsTheStoredBitmapAndLargerScalesMultiplyTheCell) {
    BITMAP stored{};
    ASSERT_TRUE(GetObjectW(assets::LoadPictureBitmap(1, 1).get(), sizeof stored, &stored));
    EXPECT_EQ(stored.bmBitsPixel, 24);
    for (int scale : {2, 3}) {
        auto ship = assets::LoadPictureBitmap(1, scale), explosion = assets::LoadExplosionBitmap(scale);
        for (HBITMAP bitmap : {ship.get(), explosion.get()}) {
            EXPECT_EQ(BitmapSize(bitmap).cx, 117 * scale);
            EXPECT_EQ(BitmapSize(bitmap).cy, 44 * scale);
        }
    }
}

class FrameDisplayTest : public DisplayTest {
protected:
    void TearDown() override {
        display.ReleaseSurfaces();
        DisplayTest::TearDown();
    }
    DDrawFrameDisplay display;
};

TEST_F(FrameDisplayTest, SpritesAreKeyedOnTheirWhiteCorner) {
    display.LoadSpritesFromResources();
    for (int id = 1; id <= kExplosionSurface; ++id) {
        DDCOLORKEY key{};
        ASSERT_TRUE(display.SurfaceOf(id)) << id;
        ASSERT_EQ(display.SurfaceOf(id)->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK) << id;
        EXPECT_EQ(key.dwColorSpaceLowValue & 0xFFFFFF, 0xFFFFFFu) << id;
    }
}

// Every pixel of the surface against the art scaled in the portable core: a swapped colour
// channel, a shifted block or a palette colour lost on the way would each show.
void ExpectSurfaceHolds(const Surface& surface, const assets::Image& expected) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    int wrong = 0;
    if (int(desc.dwWidth) == expected.width && int(desc.dwHeight) == expected.height) {
        for (int y = 0; y < expected.height; ++y) {
            auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(desc.lpSurface) + y * desc.lPitch);
            for (int x = 0; x < expected.width; ++x) wrong += (row[x] & 0xFFFFFF) != expected.At(x, y);
        }
    }
    surface->Unlock(nullptr);
    EXPECT_EQ(int(desc.dwWidth), expected.width);
    EXPECT_EQ(int(desc.dwHeight), expected.height);
    EXPECT_EQ(wrong, 0);
}

TEST_F(FrameDisplayTest, EnlargedSpritesHoldTheScaledArtKeyedOnWhite) {
    display.LoadSpritesFromResources(2);
    ExpectSurfaceHolds(display.SurfaceOf(9), assets::ScaleNearest(assets::ShipPicture(9), 2));  // blue flag
    ExpectSurfaceHolds(display.SurfaceOf(kExplosionSurface), assets::ScaleNearest(assets::ExplosionPicture(), 2));
    display.LoadSpritesFromResources(3);
    ExpectSurfaceHolds(display.SurfaceOf(2), assets::ScaleNearest(assets::ShipPicture(2), 3));  // orange flashes
    DDCOLORKEY key{};
    ASSERT_EQ(display.SurfaceOf(2)->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(FrameDisplayTest, DrawsFromTheSurfaceOfTheId) {
    auto green = MakeBitmap(4, 4, [](int, int) { return RGB(0, 200, 0); });
    auto dark = MakeBitmap(4, 4, [](int x, int y) { return x + y == 0 ? kWhite : RGB(9, 8, 7); });
    display.SetSurface(kBackgroundSurface, green.get());
    display.SetSurface(kExplosionSurface, dark.get());
    const int w = ScreenWidth(), h = ScreenHeight();
    ASSERT_EQ(display.FillBackBuffer(0x0000AA), DD_OK);
    ASSERT_EQ(display.BltToBackBuffer(kBackgroundSurface, 10, 10, 4, 4, w, h, 0, 0, 4, 4, false), DD_OK);
    ASSERT_EQ(display.BltToBackBuffer(kExplosionSurface, 12, 12, 4, 4, w, h, 0, 0, 4, 4, true), DD_OK);
    EXPECT_EQ(ReadPixel(BackBuffer(), w - 1, h - 1), 0x0000AAu);
    EXPECT_EQ(ReadPixel(BackBuffer(), 12, 12), 0x00C800u);  // keyed corner shows the background
    EXPECT_EQ(ReadPixel(BackBuffer(), 15, 15), 0x090807u);
    EXPECT_NO_THROW(display.Flip());
    EXPECT_THROW(display.BltToBackBuffer(kExplosionSurface + 1, 0, 0, 4, 4, w, h, 0, 0, 4, 4, true), RuntimeError);
    EXPECT_THROW(display.BltToBackBuffer(1, 0, 0, 4, 4, w, h, 0, 0, 4, 4, true), RuntimeError);  // never set
}

}  // namespace
}  // namespace graphics
