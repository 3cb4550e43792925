// The same battle at any DPI: the sprite scale from the screen's dots per inch, the cell of
// the scaled picture (the art's own size enlarged, held against the art below), and
// everything written in cells following it (diagonal, step, firing range, placement range,
// edge clamp).
#include <gtest/gtest.h>

#include <string>

#include "assets/image.h"
#include "assets/sprite_art.h"
#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "battle_test_support.h"

namespace battle {
namespace {

using testing::Put;
using testing::ScriptedRandom;

constexpr int32_t kScreenW = 3840, kScreenH = 2160;

struct DpiCase {
    const char* name;
    int dpi;
    int scale;
    int32_t charWidth, charHeight, charDiag, step;
};

class ScaledCell : public ::testing::TestWithParam<DpiCase> {
protected:
    // A screen of this DPI measured as the start-up plan measures every screen.
    static Battle SetUpAt(int dpi, int16_t red = 1, int16_t blue = 1) {
        const float tpp = 1440.0f / float(dpi);
        return SetUpBattle({red, blue, settings::kPlainBlue},
                           MeasurementsFor(kScreenW, kScreenH, tpp, tpp, SpriteScaleForDpi(dpi)));
    }
};

TEST_P(ScaledCell, CellDiagonalAndScaleFollowTheDpi) {
    const DpiCase& c = GetParam();
    EXPECT_EQ(SpriteScaleForDpi(c.dpi), c.scale);
    const Battle b = SetUpAt(c.dpi);
    EXPECT_EQ(b.scrWidth, kScreenW);
    EXPECT_EQ(b.scrHeight, kScreenH);
    EXPECT_EQ(b.charWidth, c.charWidth);
    EXPECT_EQ(b.charHeight, c.charHeight);
    EXPECT_EQ(b.charDiag, c.charDiag);
}

TEST_P(ScaledCell, ATickStepsATenthOfTheScaledCell) {
    const DpiCase& c = GetParam();
    Battle b = SetUpAt(c.dpi);
    Put(b, 1, 1000, 1000);
    Put(b, 2, 2500, 1000);
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.shipPos[1], (PosRec{1000 + c.step, 1000}));
}

TEST_P(ScaledCell, FiresFromJustInsideTheScaledDiagonal) {
    const DpiCase& c = GetParam();
    for (int32_t gap : {c.charDiag - 1, c.charDiag}) {
        Battle b = SetUpAt(c.dpi);
        Put(b, 1, 1000, 1000);
        Put(b, 2, 1000 + gap, 1000);
        ScriptedRandom none;
        StepShip(b, 1, none);
        EXPECT_EQ(b.shipStat[1].mode, gap < c.charDiag ? kFiring : kSailing) << gap;
    }
}

TEST_P(ScaledCell, ShipsStayOnScreenByTheScaledCell) {
    const DpiCase& c = GetParam();
    const int32_t maxX = kScreenW - c.charWidth, maxY = kScreenH - c.charHeight;
    Battle b = SetUpAt(c.dpi, 1, 2);
    Put(b, 1, maxX - 1, 1000);
    Put(b, 2, kScreenW + 500, 1000);  // a target off the right edge pulls ship 1 past it
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.shipPos[1], (PosRec{maxX, 1000}));

    Put(b, 1, 1000, maxY - 1);
    Put(b, 2, 1000, kScreenH + 500);
    StepShip(b, 1, none);
    EXPECT_EQ(b.shipPos[1], (PosRec{1000, maxY}));

    // The highest draws place a ship exactly at the far corner the clamp allows.
    Put(b, 3, 0, 0, kPlacing);
    ScriptedRandom highest{0.9999999f, 0.9999999f};
    Put(b, 1, 0, 0);
    Put(b, 2, 0, 0);
    StepShip(b, 3, highest);
    EXPECT_EQ(b.shipPos[3], (PosRec{maxX, maxY}));
}

INSTANTIATE_TEST_SUITE_P(
    Dpi, ScaledCell,
    ::testing::Values(DpiCase{"At96", 96, 1, 117, 44, 125, 12}, DpiCase{"At191", 191, 1, 117, 44, 125, 12},
                      DpiCase{"At192", 192, 2, 234, 88, 250, 23}, DpiCase{"At287", 287, 2, 234, 88, 250, 23},
                      DpiCase{"At288", 288, 3, 351, 132, 375, 35}),
    [](const auto& info) { return std::string(info.param.name); });

// The measurements take the cell from the art's declared size: it must be the first ship
// picture's real size at every scale.
TEST(MeasurementsFor, TheCellIsTheScaledFirstPicture) {
    for (int scale : {1, 2, 3}) {
        const assets::Picture first = assets::ScaleNearest(assets::ShipPicture(1), scale);
        const Measurements m = MeasurementsFor(640, 480, 15, 12, scale);
        EXPECT_EQ(m.charWidthTw, float(first.width) * 15) << scale;
        EXPECT_EQ(m.charHeightTw, float(first.height) * 12) << scale;
    }
}

TEST(SpriteScaleForDpi, NeverBelowOne) {
    EXPECT_EQ(SpriteScaleForDpi(95), 1);
    EXPECT_EQ(SpriteScaleForDpi(72), 1);
    EXPECT_EQ(SpriteScaleForDpi(0), 1);
    EXPECT_EQ(SpriteScaleForDpi(383), 3);
    EXPECT_EQ(SpriteScaleForDpi(384), 4);
}

}  // namespace
}  // namespace battle
