// Enlarging the sprites for high-DPI screens: each source pixel becomes one whole block, so
// the cell, the drawing's place in it, the colours and the white key all scale exactly.
#include <gtest/gtest.h>

#include "assets/sprite_art.h"
#include "picture_probes.h"

namespace {

using assets::Picture;
using assets::ScaleNearest;
using assets::testing::Box;

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

TEST(ScaleNearest, ScaledSpritesKeepTheirPlacementColoursAndWhiteCorner) {
    const Picture ship = assets::ShipPicture(1), explosion = assets::ExplosionPicture();
    const uint32_t white = assets::kWhite;
    for (int factor : {2, 3}) {
        SCOPED_TRACE(factor);
        const Picture bigShip = ScaleNearest(ship, factor), bigExplosion = ScaleNearest(explosion, factor);
        EXPECT_EQ(bigShip.width, 117 * factor);
        EXPECT_EQ(bigShip.height, 44 * factor);
        EXPECT_EQ(bigShip.At(0, 0), white);
        // Drawing x 5-112, y 12-34 in the plain cell; the cloud x 36-83 over the full height.
        EXPECT_EQ(assets::testing::BoxOfNot(bigShip, white),
                  (Box{5 * factor, 12 * factor, 113 * factor - 1, 35 * factor - 1}));
        EXPECT_EQ(assets::testing::BoxOfNot(bigExplosion, white), (Box{36 * factor, 0, 84 * factor - 1, 44 * factor - 1}));
        EXPECT_EQ(assets::DistinctColours(bigShip), assets::DistinctColours(ship));
        EXPECT_EQ(assets::DistinctColours(bigExplosion), assets::DistinctColours(explosion));
    }
}

}  // namespace
