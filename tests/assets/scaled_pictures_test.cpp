// Enlarging the sprites for high-DPI screens: each source pixel becomes one whole block, so
// the cell, the drawing's place in it, the colours and the white key all scale exactly (the
// pictures' own properties are their tests); mirroring, every row of its own; and the sprite
// set made from the art.
#include <gtest/gtest.h>

#include "assets/sprite_art.h"
#include "graphics/frame_display.h"

namespace {

using assets::Picture;
using assets::ScaleNearest;

// Every pixel different, so a block taken from a neighbour shows.
Picture Numbered(int w, int h) {
    Picture image = Picture::Filled(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.At(x, y) = uint32_t(100 * y + x + 1);
    return image;
}

TEST(ScaleNearest, EveryPixelBecomesOneWholeBlock) {
    const Picture source = Numbered(3, 2);
    for (int factor : {2, 3}) {
        SCOPED_TRACE(factor);
        const Picture big = ScaleNearest(source, factor);
        ASSERT_EQ(big.width, 3 * factor);
        ASSERT_EQ(big.height, 2 * factor);
        for (int y = 0; y < big.height; ++y)
            for (int x = 0; x < big.width; ++x)
                ASSERT_EQ(big.At(x, y), source.At(x / factor, y / factor)) << x << "," << y;
    }
}

TEST(ScaleNearest, FactorOneOrLessKeepsThePictureAsItIs) {
    const Picture source = Numbered(4, 3);
    EXPECT_EQ(ScaleNearest(source, 1), source);
    EXPECT_EQ(ScaleNearest(source, 0), source);
}

// The art's rows all start white, so its mirror shows no row left as it was: these do.
TEST(MirrorLeftRight, ReversesEveryRow) {
    EXPECT_EQ(assets::MirrorLeftRight(Numbered(3, 2)).pixels, (std::vector<uint32_t>{3, 2, 1, 103, 102, 101}));
}

// What the renderer and the tests load in place of the resources: ships 1..16, then the
// explosion as the surface frames draw explosions from, at the art's own size unless a
// scale is asked for.
TEST(ArtSprites, ShipsByNumberThenTheExplosion) {
    const assets::SpriteSet sprites = assets::ArtSprites();
    ASSERT_EQ(sprites.size(), 17u);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(sprites[size_t(k)].surfaceId, k + 1);
        EXPECT_EQ(sprites[size_t(k)].picture, assets::ShipPicture(k + 1)) << k + 1;
    }
    EXPECT_EQ(sprites[16].surfaceId, graphics::kExplosionSurface);
    EXPECT_EQ(sprites[16].picture, assets::ExplosionPicture());
}

}  // namespace
