// The sprites from the resources and both displays made from them: every surface id gets
// the art of its picture once, both displays hold exactly the scaled art (DirectDraw's keyed
// on white), draws are routed by surface id and bad ids rejected.
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

// The art of a surface id (a picture number, or the explosion) enlarged `scale` times.
assets::Picture Art(int id, int scale) {
    return assets::ScaleNearest(id == kExplosionSurface ? assets::ExplosionPicture() : assets::ShipPicture(id), scale);
}

TEST(SpriteResources, EverySurfaceIdGetsTheArtOfItsPictureOnceInOrder) {
    std::vector<int> ids, expected;
    for (const assets::Sprite& sprite : assets::LoadSprites(1)) {
        ids.push_back(sprite.surfaceId);
        EXPECT_TRUE(sprite.picture == Art(sprite.surfaceId, 1)) << "surface " << sprite.surfaceId;
    }
    for (int id = 1; id <= kExplosionSurface; ++id) expected.push_back(id);
    EXPECT_EQ(ids, expected);
    EXPECT_THROW(assets::LoadShipPicture(0), RuntimeError);
    EXPECT_THROW(assets::LoadShipPicture(17), RuntimeError);
}

class FrameDisplayTest : public DisplayTest {
protected:
    void Load(int scale) {
        for (const assets::Sprite& sprite : assets::LoadSprites(scale)) display->SetSurface(sprite.surfaceId, sprite.picture);
    }
};

// Every pixel of the surface against the art scaled in the portable core: a swapped colour
// channel, a shifted block or a palette colour lost on the way would each show.
void ExpectSurfaceHolds(const Surface& surface, const assets::Picture& expected) {
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

TEST_F(FrameDisplayTest, SpritesHoldTheScaledArtKeyedOnWhite) {
    Load(1);
    for (int id = 1; id <= kExplosionSurface; ++id) {
        DDCOLORKEY key{};
        ASSERT_TRUE(display->SurfaceOf(id)) << id;
        ASSERT_EQ(display->SurfaceOf(id)->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK) << id;
        EXPECT_EQ(key.dwColorSpaceLowValue & 0xFFFFFF, 0xFFFFFFu) << id;
    }
    Load(2);
    ExpectSurfaceHolds(display->SurfaceOf(9), Art(9, 2));  // blue flag
    ExpectSurfaceHolds(display->SurfaceOf(kExplosionSurface), Art(kExplosionSurface, 2));
    Load(3);
    ExpectSurfaceHolds(display->SurfaceOf(2), Art(2, 3));  // orange flashes
    DDCOLORKEY key{};
    ASSERT_EQ(display->SurfaceOf(2)->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(FrameDisplayTest, DrawsFromTheSurfaceOfTheId) {
    platform::Picture dark = platform::Picture::Filled(4, 4, 0x090807);
    dark.At(0, 0) = 0xFFFFFF;
    display->SetSurface(kBackgroundSurface, platform::Picture::Filled(4, 4, 0x00C800));
    display->SetSurface(kExplosionSurface, dark);
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
        for (const assets::Sprite& sprite : assets::LoadSprites(scale)) gdi.SetSurface(sprite.surfaceId, sprite.picture);
        for (int id : {2, 9, kExplosionSurface}) {
            const assets::Picture art = Art(id, scale);
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
