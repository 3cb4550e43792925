// The sprite bitmaps from resources and the one loader that feeds both displays: each
// resource shows the art of its picture number, every surface id gets its picture once, both
// displays hold exactly the scaled art (DirectDraw's keyed on white), draws are routed by
// surface id and bad ids rejected.
#include <gtest/gtest.h>

#include <vector>

#include "assets/sprite_art.h"
#include "assets/sprite_resources_win32.h"
#include "ddraw_test_support_win32.h"
#include "graphics/gdi_frame_display_win32.h"
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

TEST(SpriteResources, LoadSpritesGivesEveryIdItsPictureOnceInOrder) {
    std::vector<int> ids;
    assets::LoadSprites(2, [&](int id, HBITMAP bitmap) {
        ids.push_back(id);
        const assets::Image expected =
            id == kExplosionSurface ? assets::ExplosionPicture() : assets::ShipPicture(id);
        EXPECT_TRUE(PixelsOf(bitmap) == assets::ScaleNearest(expected, 2)) << "surface " << id;
    });
    std::vector<int> expected;
    for (int id = 1; id <= kExplosionSurface; ++id) expected.push_back(id);
    EXPECT_EQ(ids, expected);
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
    void Load(int scale) {
        assets::LoadSprites(scale, [this](int id, HBITMAP bitmap) { display->SetSurface(id, bitmap); });
    }
};

TEST_F(FrameDisplayTest, SpritesAreKeyedOnTheirWhiteCorner) {
    Load(1);
    for (int id = 1; id <= kExplosionSurface; ++id) {
        DDCOLORKEY key{};
        ASSERT_TRUE(display->SurfaceOf(id)) << id;
        ASSERT_EQ(display->SurfaceOf(id)->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK) << id;
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
    Load(2);
    ExpectSurfaceHolds(display->SurfaceOf(9), assets::ScaleNearest(assets::ShipPicture(9), 2));  // blue flag
    ExpectSurfaceHolds(display->SurfaceOf(kExplosionSurface), assets::ScaleNearest(assets::ExplosionPicture(), 2));
    Load(3);
    ExpectSurfaceHolds(display->SurfaceOf(2), assets::ScaleNearest(assets::ShipPicture(2), 3));  // orange flashes
    DDCOLORKEY key{};
    ASSERT_EQ(display->SurfaceOf(2)->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(FrameDisplayTest, DrawsFromTheSurfaceOfTheId) {
    auto green = MakeBitmap(4, 4, [](int, int) { return RGB(0, 200, 0); });
    auto dark = MakeBitmap(4, 4, [](int x, int y) { return x + y == 0 ? kWhite : RGB(9, 8, 7); });
    display->SetSurface(kBackgroundSurface, green.get());
    display->SetSurface(kExplosionSurface, dark.get());
    const int w = ScreenWidth(), h = ScreenHeight();
    ASSERT_EQ(display->FillBackBuffer(0x0000AA), DD_OK);
    ASSERT_EQ(display->BltToBackBuffer(kBackgroundSurface, 10, 10, 4, 4, w, h, 0, 0, 4, 4, false), DD_OK);
    ASSERT_EQ(display->BltToBackBuffer(kExplosionSurface, 12, 12, 4, 4, w, h, 0, 0, 4, 4, true), DD_OK);
    EXPECT_EQ(ReadPixel(Back(), w - 1, h - 1), 0x0000AAu);
    EXPECT_EQ(ReadPixel(Back(), 12, 12), 0x00C800u);  // keyed corner shows the background
    EXPECT_EQ(ReadPixel(Back(), 15, 15), 0x090807u);
    EXPECT_NO_THROW(display->Flip());
    EXPECT_THROW(display->BltToBackBuffer(kExplosionSurface + 1, 0, 0, 4, 4, w, h, 0, 0, 4, 4, true), RuntimeError);
    EXPECT_THROW(display->BltToBackBuffer(1, 0, 0, 4, 4, w, h, 0, 0, 4, 4, true), RuntimeError);  // never set
}

// The other monitors' display fed by the same loader at the enlarged sizes: each surface is
// exactly the scaled art (one unkeyed blit of its size), and not a pixel larger either way.
TEST(GdiSprites, EnlargedSpritesHoldTheScaledArtToTheLastPixel) {
    for (int scale : {2, 3}) {
        const int w = 117 * scale, h = 44 * scale;
        GdiFrameDisplay gdi(nullptr, w + 1, h + 1);
        assets::LoadSprites(scale, [&](int id, HBITMAP bitmap) { gdi.SetSurface(id, bitmap); });
        for (int id : {2, 9, kExplosionSurface}) {
            const assets::Image art = assets::ScaleNearest(
                id == kExplosionSurface ? assets::ExplosionPicture() : assets::ShipPicture(id), scale);
            gdi.FillBackBuffer(0x123456);
            ASSERT_EQ(gdi.BltToBackBuffer(id, 0, 0, w, h, 0, 0, 0, 0, 0, 0, false), 0);
            const SoftSurface& back = gdi.Frames().BackBuffer();
            int wrong = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) wrong += back.At(x, y) != art.At(x, y);
            EXPECT_EQ(wrong, 0) << "surface " << id << " at scale " << scale;
            EXPECT_EQ(back.At(w, h), 0x123456u);
            EXPECT_THROW(gdi.BltToBackBuffer(id, 0, 0, w + 1, h, 0, 0, 0, 0, 0, 0, false), RuntimeError) << id;
            EXPECT_THROW(gdi.BltToBackBuffer(id, 0, 0, w, h + 1, 0, 0, 0, 0, 0, 0, false), RuntimeError) << id;
        }
    }
}

}  // namespace
}  // namespace graphics
