// The same battle at any DPI: the sprite scale, cell and cursor limit at every DPI of the
// range, the cell of the scaled picture (the art's own size enlarged, held against the art
// below), and everything written in cells following it (step, firing range, placement
// range, edge clamp).
#include <gtest/gtest.h>

#include <string>

#include "assets/image.h"
#include "assets/sprite_art.h"
#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "battle/cursor_check.h"
#include "battle/startup_plan.h"
#include "platform/screen_metrics.h"
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
    ::testing::Values(DpiCase{"At96", 96, 1, 117, 44, 125, 12}, DpiCase{"At192", 192, 2, 234, 88, 250, 23},
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

// Every DPI from 96 to 480, read as the start-up reads it (the system's twips, the monitor's
// DPI, the plan): the scale is one more for every whole 96 dpi, the cell and its diagonal are
// the art's enlarged that many times, the screen keeps its pixels, and the cursor may move
// 14400 / dpi pixels on each axis (10 x the twips per pixel), not one more; all exactly,
// whatever a single-precision quotient makes of 1440 / dpi.
TEST(EveryDpi, GivesItsScaleCellScreenAndCursorLimitExactly) {
    for (int dpi = 96; dpi <= 480; ++dpi) {
        const int dpiY = 96 + (dpi * 2) % 385;  // the other axis at another DPI, each once
        SCOPED_TRACE("dpi " + std::to_string(dpi) + " x " + std::to_string(dpiY));
        int scale = 1;
        while (96 * (scale + 1) <= dpi) ++scale;
        for (const platform::Rect screen : {platform::Rect{0, 0, 1366, 769}, platform::Rect{0, 0, 7680, 4320}}) {
            StartupFacts facts;
            facts.monitors = {{screen, true, dpi}};
            facts.screenWidth = screen.width;
            facts.screenHeight = screen.height;
            facts.system = platform::ScreenTwipsFor(dpi, dpiY);
            const ScreenPlan plan = PlanScreens(facts).at(0);
            EXPECT_EQ(plan.spriteScale, scale);
            const Battle b = SetUpBattle({}, plan.measurements);
            EXPECT_EQ((std::vector<int32_t>{b.scrWidth, b.scrHeight, b.charWidth, b.charHeight, b.charDiag}),
                      (std::vector<int32_t>{screen.width, screen.height, 117 * scale, 44 * scale, 125 * scale}));
        }
        const platform::ScreenTwips twips = platform::ScreenTwipsFor(dpi, dpiY);
        const CursorPoint from{-3000 + dpi, 2000 - dpiY};
        for (const int sign : {1, -1}) {
            const int32_t limitX = sign * (14400 / dpi), limitY = sign * (14400 / dpiY);
            const int32_t overX = limitX + sign, overY = limitY + sign;
            EXPECT_FALSE(CursorMovedTooFar(from, {from.x + limitX, from.y + limitY}, twips.twipsPerPixelX, twips.twipsPerPixelY));
            EXPECT_TRUE(CursorMovedTooFar(from, {from.x + overX, from.y}, twips.twipsPerPixelX, twips.twipsPerPixelY));
            EXPECT_TRUE(CursorMovedTooFar(from, {from.x, from.y + overY}, twips.twipsPerPixelX, twips.twipsPerPixelY));
        }
    }
    // Below 96 dpi the ships keep their size.
    EXPECT_EQ(SpriteScaleForDpi(95), 1);
    EXPECT_EQ(SpriteScaleForDpi(0), 1);
}

}  // namespace
}  // namespace battle
