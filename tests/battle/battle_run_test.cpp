// Whole battles over many ticks: the state stays within its invariants and a seed replays the
// same battle.
#include <gtest/gtest.h>

#include "battle/battle_tick.h"
#include "battle/frame_composer.h"
#include "battle_test_support.h"

namespace battle {
namespace {

using testing::MakeBattle;

// Checks every invariant of the state after a tick; returns false at the first broken one.
::testing::AssertionResult Sound(const Battle& b) {
    const int32_t maxX = b.scrWidth - b.charWidth, maxY = b.scrHeight - b.charHeight;
    if (b.shipStat[0] != StatRec{} || b.shipPos[0] != PosRec{}) return ::testing::AssertionFailure() << "entry 0 used";
    for (int k = 1; k <= b.totalCount; ++k) {
        const StatRec& s = b.shipStat[k];
        const PosRec& p = b.shipPos[k];
        auto fail = [&] { return ::testing::AssertionFailure() << "ship " << k << ": "; };
        if (s.side != (k <= b.redCount ? 0 : 1)) return fail() << "side " << s.side;
        if (s.mode < kPlacing || s.mode > kExploding) return fail() << "mode " << s.mode;
        if (s.hit != 0 && s.hit != -1) return fail() << "hit " << s.hit;
        if (s.flash != 0 && s.flash != -1) return fail() << "flash " << s.flash;
        if (s.flash != 0 && s.mode != kFiring) return fail() << "flash while not firing";
        if (s.dir < 0 || s.dir > 3) return fail() << "dir " << s.dir;
        if (s.mode == kExploding && (s.expCount < 1 || s.expCount > 3)) return fail() << "expcount " << s.expCount;
        if (p.x < 0 || p.x > maxX || p.y < 0 || p.y > maxY) return fail() << "at " << p.x << "," << p.y;
        if (s.mode == kFiring) {
            if (s.target < 1 || s.target > b.totalCount) return fail() << "target " << s.target;
            if (b.shipStat[s.target].side == s.side) return fail() << "fires at its own side";
        }
        if (s.mode > kPlacing && (PictureNumber(s) < 1 || PictureNumber(s) > 16)) return fail() << "picture";
    }
    return ::testing::AssertionSuccess();
}

struct RunCase {
    const char* name;
    int16_t red, blue;
    int32_t width, height;
    long ticks;
};

class LongRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(LongRun, KeepsEveryInvariantAndKeepsSinkingShips) {
    const RunCase& c = GetParam();
    for (uint64_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        Battle b = MakeBattle(c.red, c.blue, c.width, c.height);
        platform::Random random(seed);
        long explosions = 0;
        for (long tick = 0; tick < c.ticks; ++tick) {
            StepShips(b, random);
            for (int k = 1; k <= b.totalCount; ++k) explosions += b.shipStat[k].mode == kExploding && b.shipStat[k].expCount == 3;
            ASSERT_TRUE(Sound(b)) << "tick " << tick;
        }
        EXPECT_GT(explosions, c.ticks / 100);
    }
}

INSTANTIATE_TEST_SUITE_P(Battle, LongRun,
                         ::testing::Values(RunCase{"DefaultFleets", 5, 5, 800, 600, 100000},
                                           RunCase{"UnevenFleets", 2, 15, 1024, 768, 30000},
                                           RunCase{"FullDialogFleets", 15, 15, 800, 600, 10000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Battle, ASeedReplaysTheSameBattle) {
    auto play = [](uint64_t seed) {
        Battle b = MakeBattle(5, 5);
        platform::Random random(seed);
        for (int tick = 0; tick < 3000; ++tick) StepShips(b, random);
        return b;
    };
    EXPECT_EQ(play(42), play(42));
    EXPECT_NE(play(42), play(43));
}

}  // namespace
}  // namespace battle
