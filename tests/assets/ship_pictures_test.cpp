// The sixteen ship sprites: the cell, colours and placements that the battle's blits and
// hit areas assume, and the mirror and recolour relations between the pictures.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "assets/sprite_art.h"
#include "picture_probes.h"

namespace {

using assets::Picture;
using assets::Rgb;
using assets::testing::Box;

const uint32_t kWhite = Rgb(255, 255, 255);
const uint32_t kRed = Rgb(255, 0, 0);
const uint32_t kBlue = Rgb(0, 0, 255);
const std::set<uint32_t> kHullColours = {kWhite, Rgb(192, 192, 192), Rgb(128, 128, 128),
                                         Rgb(0, 0, 0)};
const std::set<uint32_t> kSideFlash = {Rgb(254, 86, 5)};
const std::set<uint32_t> kEndFlash = {Rgb(255, 102, 64), Rgb(255, 98, 64)};
const uint32_t kBrown = Rgb(128, 64, 0);
const std::set<uint32_t> kDeckAndEndFlash = {kBrown, Rgb(255, 102, 64), Rgb(255, 98, 64)};

struct Layout {
    int number;                     // the red side's picture; blue is number + 8
    Box drawing;                    // every non-white pixel, exactly
    std::optional<Box> flag;        // the flag, exactly
    std::optional<Box> flagWithin;  // a flag partly hidden by smoke stays inside this
    std::optional<Box> fireWithin;  // everything that differs from the calm picture
    std::optional<Box> flashes;     // the flash colours, exactly
    std::optional<Box> deckBand;    // the brown band, exactly
    std::set<uint32_t> extraColours;
};

const Layout kLayouts[] = {
    {1, {5, 12, 112, 34}, Box{35, 15, 46, 24}, {}, {}, {}, {}, {}},
    {2, {5, 3, 116, 34}, {}, Box{35, 15, 46, 24}, Box{77, 3, 116, 26}, {}, {}, kSideFlash},
    {3, {36, 9, 78, 38}, Box{62, 12, 74, 22}, {}, {}, {}, {}, {}},
    {4, {36, 0, 78, 38}, {}, Box{62, 12, 74, 22}, {}, Box{41, 1, 75, 17}, {}, kEndFlash},
    {5, {4, 12, 111, 34}, Box{70, 15, 81, 24}, {}, {}, {}, {}, {}},
    {6, {0, 3, 111, 34}, {}, Box{70, 15, 81, 24}, Box{0, 3, 39, 26}, {}, {}, kSideFlash},
    {7, {40, 9, 76, 38}, Box{42, 12, 54, 22}, {}, {}, {}, Box{44, 28, 74, 29}, {kBrown}},
    {8, {38, 0, 78, 38}, {}, Box{42, 12, 54, 22}, {}, {}, {}, kDeckAndEndFlash},
};

class ShipPictureTest : public testing::TestWithParam<int> {
protected:
    const Layout& layout() const { return kLayouts[(GetParam() - 1) % 8]; }
    uint32_t flagColour() const { return GetParam() > 8 ? kBlue : kRed; }
    Picture Drawing() const { return assets::ShipPicture(GetParam()); }
};

TEST_P(ShipPictureTest, UsesExactlyItsFlatColours) {
    std::set<uint32_t> expected = kHullColours;
    expected.insert(flagColour());
    expected.insert(layout().extraColours.begin(), layout().extraColours.end());
    EXPECT_EQ(assets::testing::Colours(Drawing()), expected);
}

// Every drawing box leaves the cell's corners white, so the top-left pixel keys out white.
TEST_P(ShipPictureTest, KeepsItsPlaceInAWhiteCell) {
    const Picture p = Drawing();
    ASSERT_EQ(p.width, 117);
    ASSERT_EQ(p.height, 44);
    const Layout& l = layout();
    EXPECT_EQ(assets::testing::BoxOfNot(p, kWhite), l.drawing);
    const Box flag = assets::testing::BoxOfColour(p, flagColour());
    if (l.flag) {
        EXPECT_EQ(flag, *l.flag);
    }
    if (l.flagWithin) {
        EXPECT_FALSE(flag.Empty());
        EXPECT_TRUE(l.flagWithin->Contains(flag)) << flag;
    }
    if (l.deckBand) {
        EXPECT_EQ(assets::testing::BoxOfColour(p, kBrown), *l.deckBand);
    }
    if (l.flashes) {
        EXPECT_EQ(assets::testing::BoundingBox(
                      p, [&](int x, int y) { return kEndFlash.count(p.At(x, y)) > 0; }),
                  *l.flashes);
    }
}

TEST_P(ShipPictureTest, HasAFewSeeThroughSpots) {
    const int spots = assets::testing::SeeThroughSpots(Drawing(), kWhite);
    EXPECT_GE(spots, 6);
    EXPECT_LE(spots, 121);
}

INSTANTIATE_TEST_SUITE_P(AllSixteen, ShipPictureTest, testing::Range(1, 17),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Picture" + std::to_string(info.param);
                         });

TEST(ShipPictures, LeftHeadingIsTheExactMirrorOfRightHeading) {
    for (int right : {1, 2, 9, 10}) {
        const Picture r = assets::ShipPicture(right);
        const Picture l = assets::ShipPicture(right + 4);
        for (int y = 0; y < 44; ++y) {
            for (int x = 0; x < 117; ++x) {
                ASSERT_EQ(l.At(x, y), r.At(116 - x, y))
                    << "picture " << right + 4 << " at " << x << "," << y;
            }
        }
    }
}

TEST(ShipPictures, BlueSideDiffersOnlyInTheFlag) {
    for (int red = 1; red <= 8; ++red) {
        const Picture r = assets::ShipPicture(red);
        const Picture b = assets::ShipPicture(red + 8);
        ASSERT_EQ(r.pixels.size(), b.pixels.size());
        for (std::size_t i = 0; i < r.pixels.size(); ++i) {
            ASSERT_EQ(b.pixels[i], r.pixels[i] == kRed ? kBlue : r.pixels[i])
                << "picture " << red + 8;
        }
        EXPECT_EQ(assets::testing::Colours(r).count(kBlue), 0u) << "picture " << red;
    }
}

TEST(ShipPictures, SideViewGunFireOnlyTouchesTheFirePart) {
    for (const Layout& l : kLayouts) {
        if (!l.fireWithin) continue;
        for (int number : {l.number, l.number + 8}) {
            const Picture fire = assets::ShipPicture(number);
            const Picture calm = assets::ShipPicture(number - 1);
            const Box changed = assets::testing::BoundingBox(
                fire, [&](int x, int y) { return fire.At(x, y) != calm.At(x, y); });
            EXPECT_FALSE(changed.Empty()) << "picture " << number;
            EXPECT_TRUE(l.fireWithin->Contains(changed)) << "picture " << number << ": " << changed;
        }
    }
}

TEST(ShipPictures, OnlyTheSixteenNumbersNamePictures) {
    for (int number : {-1, 0, 17, 32767}) {
        try {
            assets::ShipPicture(number);
            ADD_FAILURE() << number;
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.ErrorNumber(), platform::RuntimeError::kSubscriptOutOfRange) << number;
        }
    }
    EXPECT_EQ(assets::CheckShipPictureNumber(1), 1);
    EXPECT_EQ(assets::CheckShipPictureNumber(16), 16);
}

}  // namespace
