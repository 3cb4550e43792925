// Battle set-up: fleet sizes as stored (with the guard against junk counts), the fleets'
// starting state, and the screen and sprite sizes derived from twips.
#include <gtest/gtest.h>

#include "battle/battle_state.h"
#include "platform/runtime_error.h"

namespace battle {
namespace {

Measurements Screen96Dpi(int32_t widthPx, int32_t heightPx) { return MeasurementsFor(widthPx, heightPx, 15, 15); }

TEST(SetUpBattle, DefaultSettingsGiveFiveRedThenFiveBlueAllPlacingAtTheOrigin) {
    const Battle b = SetUpBattle(settings::SaverSettings{}, Screen96Dpi(1024, 768));
    EXPECT_EQ(b.redCount, 5);
    EXPECT_EQ(b.blueCount, 5);
    EXPECT_EQ(b.totalCount, 10);
    EXPECT_EQ(b.background, BackgroundSource::kSea);  // until the plan's screen says otherwise
    ASSERT_EQ(b.shipPos.size(), 11u);
    ASSERT_EQ(b.shipStat.size(), 11u);
    EXPECT_EQ(b.shipStat[0], StatRec{});
    EXPECT_EQ(b.shipPos[0], PosRec{});
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(b.shipStat[k].side, k <= 5 ? 0 : 1);
        EXPECT_EQ(b.shipStat[k].mode, kPlacing);
        EXPECT_EQ(b.shipStat[k].flash, 0);
        EXPECT_EQ(b.shipStat[k].hit, 0);
        EXPECT_EQ(b.shipStat[k].dir, kRight);
        EXPECT_EQ(b.shipPos[k], PosRec{});
    }
    EXPECT_EQ(b.seaColor, 0);
}

struct CountCase {
    const char* name;
    int16_t storedRed, storedBlue;
    int16_t red, blue, total;
};

class FleetSizes : public ::testing::TestWithParam<CountCase> {};

TEST_P(FleetSizes, AreUsedAsStoredWithinTheGuard) {
    const CountCase& c = GetParam();
    const Battle b = SetUpBattle({c.storedRed, c.storedBlue, settings::kDesktop}, Screen96Dpi(800, 600));
    EXPECT_EQ(b.redCount, c.red);
    EXPECT_EQ(b.blueCount, c.blue);
    EXPECT_EQ(b.totalCount, c.total);
    ASSERT_EQ(b.shipStat.size(), size_t(c.total) + 1);
    for (int k = 1; k <= c.total; ++k) EXPECT_EQ(b.shipStat[k].side, k <= c.red ? 0 : 1) << k;
}

INSTANTIATE_TEST_SUITE_P(
    SetUpBattle, FleetSizes,
    ::testing::Values(CountCase{"DialogLimits", 15, 2, 15, 2, 17},
                      CountCase{"NoRedFleet", 0, 5, 0, 5, 5},
                      CountCase{"NegativeCountsAsEmpty", -3, 7, 0, 7, 7},
                      CountCase{"AboveTheDialogKept", 20, 20, 20, 20, 40},
                      CountCase{"OnTheGuard", kMaxFleetSize, kMaxFleetSize + 1, kMaxFleetSize, kMaxFleetSize,
                                2 * kMaxFleetSize},
                      CountCase{"HugeCut", 1000, 32767, kMaxFleetSize, kMaxFleetSize, 2 * kMaxFleetSize},
                      CountCase{"BothMostNegative", -32768, -32768, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct SizeCase {
    const char* name;
    Measurements m;
    int32_t scrWidth, scrHeight, charWidth, charHeight, charDiag;
};

class DerivedSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(DerivedSizes, ComeFromTwipsRoundedHalfToEven) {
    const SizeCase& c = GetParam();
    const Battle b = SetUpBattle({}, c.m);
    EXPECT_EQ(b.scrWidth, c.scrWidth);
    EXPECT_EQ(b.scrHeight, c.scrHeight);
    EXPECT_EQ(b.charWidth, c.charWidth);
    EXPECT_EQ(b.charHeight, c.charHeight);
    EXPECT_EQ(b.charDiag, c.charDiag);
}

INSTANTIATE_TEST_SUITE_P(
    SetUpBattle, DerivedSizes,
    ::testing::Values(SizeCase{"FullHdAt96Dpi", {28800, 16200, 15, 15, 1755, 660}, 1920, 1080, 117, 44, 125},
                      SizeCase{"HalfRoundsDown", {1507.5f, 1522.5f, 15, 15, 1755, 660}, 100, 102, 117, 44, 125},
                      SizeCase{"OddCell", {12000, 9000, 15, 15, 45, 60}, 800, 600, 3, 4, 5},
                      // A diagonal of 2.83: rounded, not cut.
                      SizeCase{"DiagonalRoundsUp", {12000, 9000, 15, 15, 30, 30}, 800, 600, 2, 2, 3},
                      // 96 dots per inch across, 120 down: heights take the vertical factor.
                      SizeCase{"UnequalFactors", {12000, 7200, 15, 12, 1755, 528}, 800, 600, 117, 44, 125}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetUpBattle, ZeroTwipsPerPixelIsAnOverflowError) {
    Measurements m = Screen96Dpi(800, 600);
    m.twipsPerPixelX = 0;
    try {
        SetUpBattle({}, m);
        FAIL() << "no error";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.ErrorNumber(), platform::RuntimeError::kOverflow);
    }
}

}  // namespace
}  // namespace battle
