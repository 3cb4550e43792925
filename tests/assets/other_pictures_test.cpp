// The explosion, the host's preview picture and the program icon: sizes, palettes and the
// few placements other code or the user relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "assets/image_codecs.h"
#include "assets/sprite_art.h"
#include "picture_probes.h"

namespace {

using assets::Picture;
using assets::Rgb;

const uint32_t kWhite = Rgb(255, 255, 255);

bool NearWhite(uint32_t c) {
    return c != kWhite &&
           std::min({assets::RedOf(c), assets::GreenOf(c), assets::BlueOf(c)}) >= 224;
}

TEST(Explosion, IsACloudCentredInTheCell) {
    const Picture e = assets::ExplosionPicture();
    ASSERT_EQ(e.width, 117);
    ASSERT_EQ(e.height, 44);
    EXPECT_EQ(assets::testing::BoxOfNot(e, kWhite), (assets::testing::Box{36, 0, 83, 43}));
    // Any white inside the cloud would let the burning ship show through it.
    EXPECT_EQ(assets::testing::SeeThroughSpots(e, kWhite), 0);
    EXPECT_NO_THROW(assets::EncodeBmp8(e)) << "more colours than an 8-bit palette holds";
}

TEST(Explosion, HasARedOrangeCoreAndANearWhiteRim) {
    const Picture e = assets::ExplosionPicture();
    const uint32_t core = e.At(59, 21);
    EXPECT_GE(assets::RedOf(core), 200u);
    EXPECT_GT(assets::RedOf(core), assets::GreenOf(core));
    EXPECT_GT(assets::GreenOf(core), assets::BlueOf(core));
    int rim = 0, nearWhiteRim = 0;
    for (int y = 0; y < e.height; ++y) {
        for (int x = 1; x < e.width - 1; ++x) {
            if (e.At(x, y) == kWhite || (e.At(x - 1, y) != kWhite && e.At(x + 1, y) != kWhite))
                continue;
            ++rim;
            nearWhiteRim += NearWhite(e.At(x, y));
        }
    }
    EXPECT_GT(rim, 40);
    EXPECT_GE(nearWhiteRim * 10, rim * 9)
        << nearWhiteRim << " of " << rim << " rim pixels are near-white";
}

TEST(Preview, UsesElevenColoursOnTheDarkBlueSea) {
    const Picture p = assets::PreviewPicture();
    ASSERT_EQ(p.width, 155);
    ASSERT_EQ(p.height, 115);
    const uint32_t sea = Rgb(4, 2, 148);
    EXPECT_EQ(p.At(0, 0), sea);
    EXPECT_EQ(p.At(154, 114), sea);
    std::set<uint32_t> colours = assets::testing::Colours(p);
    EXPECT_EQ(colours.size(), 11u);
    for (uint32_t fixed : {sea, Rgb(4, 2, 4), Rgb(252, 254, 252), Rgb(252, 86, 4), Rgb(255, 0, 0),
                           Rgb(0, 0, 255), Rgb(132, 130, 132)}) {
        EXPECT_EQ(colours.erase(fixed), 1u) << std::hex << fixed;
    }
}

TEST(Preview, RedShipsFlagUpperLeftBlueShipsLowerRight) {
    const Picture p = assets::PreviewPicture();
    const auto red = assets::testing::BoxOfColour(p, Rgb(255, 0, 0));
    const auto blue = assets::testing::BoxOfColour(p, Rgb(0, 0, 255));
    ASSERT_FALSE(red.Empty());
    ASSERT_FALSE(blue.Empty());
    EXPECT_LT(red.right, 20);
    EXPECT_LT(red.bottom, 40);
    EXPECT_GT(blue.left, 135);
    EXPECT_GT(blue.top, 75);
}

TEST(Icon, IsA32PixelVgaPictureWithClearCorners) {
    const Picture icon = assets::IconPicture();
    ASSERT_EQ(icon.width, 32);
    ASSERT_EQ(icon.height, 32);
    EXPECT_EQ(icon.At(0, 0), assets::kIconTransparent);
    EXPECT_EQ(icon.At(31, 0), assets::kIconTransparent);
    EXPECT_EQ(assets::testing::Colours(icon).count(Rgb(255, 0, 0)), 1u) << "the red side's flag";
    EXPECT_NO_THROW(assets::EncodeIco16(icon, assets::kIconTransparent)) << "a non-VGA colour";
}

}  // namespace
