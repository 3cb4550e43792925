// The ship state machine step by step: placement, range, headings, target choice, the
// shot roll, sinkings between two ships, the explosion course and the edge clamp.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "battle/battle_tick.h"
#include "battle/frame_composer.h"
#include "battle_test_support.h"
#include "platform/runtime_error.h"

namespace battle {
namespace {

using testing::MakeBattle;
using testing::Put;
using testing::ScriptedRandom;

TEST(Placing, FirstTickPlacesTheDefaultFleetsAtLeastOneDiagonalApart) {
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        Battle b = MakeBattle(5, 5, 1024, 768);
        platform::Random random(seed);
        StepShips(b, random);
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(b.ShipStat[k].Mode, Sailing) << k;
            EXPECT_GE(b.ShipPos[k].X, 1);
            EXPECT_LE(b.ShipPos[k].X, 1024 - 117);
            EXPECT_GE(b.ShipPos[k].Y, 1);
            EXPECT_LE(b.ShipPos[k].Y, 768 - 44);
            EXPECT_GE(Distance(b.ShipPos[k], PosRec{0, 0}), 125.0) << k;
            for (int j = 1; j < k; ++j) EXPECT_GE(Distance(b.ShipPos[k], b.ShipPos[j]), 125.0) << j << "," << k;
        }
    }
}

TEST(Placing, MapsTheTwoDrawsOntoTheScreenAndRetriesTooCloseSpots) {
    Battle b = MakeBattle(1, 1);  // 683 x 556 spots
    Put(b, 1, 300, 300);
    // Ship 2: first candidate (1, 1) is too close to its own (0, 0); the second lands on
    // the far corner, the largest draw staying inside the screen.
    ScriptedRandom random{0.0f, 0.0f, std::nextafter(1.0f, 0.0f), std::nextafter(1.0f, 0.0f)};
    StepShip(b, 2, random);
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(b.ShipPos[2], (PosRec{683, 556}));
    EXPECT_EQ(b.ShipStat[2].Mode, Sailing);
}

TEST(Placing, GivesUpAfterTheAttemptBoundAndWaitsForTheNextTick) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 1, 1);
    ScriptedRandom random;
    for (int i = 0; i < 2 * kPlacementAttempts; ++i) random.Add(0.0f);  // always (1, 1): taken
    StepShip(b, 2, random);
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(b.ShipStat[2].Mode, Placing);
    EXPECT_EQ(b.ShipPos[2], (PosRec{0, 0}));
}

struct RangeCase {
    const char* name;
    int32_t dx, dy;
    bool fires;
};

class Range : public ::testing::TestWithParam<RangeCase> {};

TEST_P(Range, NearerThanTheDiagonalFiresWithoutMovingElseSteps) {
    const RangeCase& c = GetParam();
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300);
    Put(b, 2, 300 + c.dx, 300 + c.dy);
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.ShipStat[1].Target, 2);
    EXPECT_EQ(b.ShipStat[1].Mode, c.fires ? Firing : Sailing);
    EXPECT_EQ(b.ShipPos[1] == (PosRec{300, 300}), c.fires);
}

INSTANTIATE_TEST_SUITE_P(Sailing, Range,
                         ::testing::Values(RangeCase{"Straight124", 124, 0, true},
                                           RangeCase{"Straight125", 125, 0, false},
                                           RangeCase{"Diagonal120", -72, 96, true},
                                           RangeCase{"Diagonal125", -75, 100, false},
                                           RangeCase{"Touching", 0, 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct HeadingCase {
    const char* name;
    int32_t dx, dy;  // target relative to the ship, screen y downwards
    int16_t dir;
    int32_t stepX, stepY;
};

class Headings : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(Headings, SteerOneTwelfthOfACellTowardsTheTarget) {
    const HeadingCase& c = GetParam();
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 340, 278);
    Put(b, 2, 340 + c.dx, 278 + c.dy);
    b.ShipStat[1].Dir = 2;
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.ShipStat[1].Dir, c.dir);
    EXPECT_EQ(b.ShipPos[1], (PosRec{340 + c.stepX, 278 + c.stepY}));
}

// The diagonals sit on sector bounds; the bounds come from a pi rounded to 13 decimals,
// which puts each diagonal on a definite side.
INSTANTIATE_TEST_SUITE_P(Sailing, Headings,
                         ::testing::Values(HeadingCase{"Right", 300, 0, Right, 12, 0},
                                           HeadingCase{"Left", -300, 0, Left, -12, 0},
                                           HeadingCase{"Down", 0, 270, Down, 0, 12},
                                           HeadingCase{"Up", 0, -270, Up, 0, -12},
                                           HeadingCase{"UpRight", 250, -250, Right, 8, -8},
                                           HeadingCase{"UpLeft", -250, -250, Up, -8, -8},
                                           HeadingCase{"DownLeft", -250, 250, Down, -8, 8},
                                           HeadingCase{"DownRight", 250, 250, Right, 8, 8},
                                           HeadingCase{"ShallowUpRight", 200, -100, Right, 10, -5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Sailing, EqualDistancesPickTheLowerNumber) {
    for (int32_t lowerAt : {+200, -200}) {
        Battle b = MakeBattle(1, 2);
        Put(b, 1, 400, 300);
        Put(b, 2, 400 + lowerAt, 300);
        Put(b, 3, 400 - lowerAt, 300);
        ScriptedRandom none;
        StepShip(b, 1, none);
        EXPECT_EQ(b.ShipStat[1].Target, 2);
        EXPECT_EQ(b.ShipPos[1].X, 400 + (lowerAt > 0 ? 12 : -12));
    }
}

struct EligibilityCase {
    const char* name;
    int16_t nearMode, nearHit;
    int16_t target;
};

class Eligibility : public ::testing::TestWithParam<EligibilityCase> {};

TEST_P(Eligibility, OnlyEnemiesAfloatAndUnhitAreTargets) {
    const EligibilityCase& c = GetParam();
    Battle b = MakeBattle(2, 2);
    Put(b, 1, 400, 300);
    Put(b, 2, 420, 300);  // own side, nearest of all
    Put(b, 3, 400, 450, c.nearMode, 1);
    b.ShipStat[3].Hit = c.nearHit;
    Put(b, 4, 400, 40);
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.ShipStat[1].Target, c.target);
}

INSTANTIATE_TEST_SUITE_P(Sailing, Eligibility,
                         ::testing::Values(EligibilityCase{"SailingCounts", Sailing, 0, 3},
                                           EligibilityCase{"FiringCounts", Firing, 0, 3},
                                           EligibilityCase{"PlacingSkipped", Placing, 0, 4},
                                           EligibilityCase{"ExplodingSkipped", Exploding, 0, 4},
                                           EligibilityCase{"HitSkipped", Sailing, -1, 4},
                                           EligibilityCase{"UnknownModeSkipped", 7, 0, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Sailing, WithoutEnemiesAShipKeepsItsPlaceAndHeading) {
    Battle b = MakeBattle(0, 5, 1024, 768);
    platform::Random random(7);
    StepShips(b, random);
    const Battle placed = b;
    for (int i = 0; i < 50; ++i) StepShips(b, random);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(b.ShipPos[k], placed.ShipPos[k]);
        EXPECT_EQ(b.ShipStat[k].Dir, placed.ShipStat[k].Dir);
        EXPECT_EQ(b.ShipStat[k].Mode, Sailing);
        EXPECT_EQ(b.ShipStat[k].Target, -1);
    }
}

struct EdgeCase {
    const char* name;
    PosRec ship, target, after;
};

class Edges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(Edges, KeepTheShipOnTheScreen) {
    const EdgeCase& c = GetParam();
    Battle b = MakeBattle(1, 1);  // largest corner (683, 556)
    Put(b, 1, c.ship.X, c.ship.Y);
    Put(b, 2, c.target.X, c.target.Y);
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.ShipPos[1], c.after);
}

INSTANTIATE_TEST_SUITE_P(Sailing, Edges,
                         ::testing::Values(EdgeCase{"AlongTheLeftEdge", {0, 100}, {0, 500}, {0, 112}},
                                           EdgeCase{"AlongTheRightEdge", {683, 500}, {683, 100}, {683, 488}},
                                           EdgeCase{"PastTheRightEdge", {680, 300}, {900, 300}, {683, 300}},
                                           EdgeCase{"PastTheTop", {400, -5}, {400, -300}, {400, 0}},
                                           EdgeCase{"PastTheLeft", {-20, 300}, {-300, 300}, {0, 300}},
                                           EdgeCase{"PastTheBottom", {400, 560}, {400, 900}, {400, 556}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RollCase {
    const char* name;
    float r;
    bool sinks;
};

class ShotRoll : public ::testing::TestWithParam<RollCase> {};

TEST_P(ShotRoll, SinksOnASevenFormedInSinglePrecision) {
    const RollCase& c = GetParam();
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, Firing, 2);
    Put(b, 2, 400, 300);
    ScriptedRandom random{c.r};
    StepShip(b, 1, random);
    EXPECT_EQ(b.ShipStat[2].Hit, c.sinks ? -1 : 0);
    EXPECT_EQ(b.ShipStat[1].Mode, c.sinks ? Sailing : Firing);
    EXPECT_EQ(b.ShipStat[1].Flash, c.sinks ? 0 : -1);
}

// 0.7f * 10 is 6.99999988 in double but rounds to 7 in single precision: a miss.
INSTANTIATE_TEST_SUITE_P(Firing, ShotRoll,
                         ::testing::Values(RollCase{"Zero", 0.0f, false},
                                           RollCase{"JustBelowSix", 0.5999999f, false},
                                           RollCase{"Six", 0.6f, true},
                                           RollCase{"Middle", 0.65f, true},
                                           RollCase{"JustBelowSeven", 0.6999999f, true},
                                           RollCase{"SevenInSingle", 0.7f, false},
                                           RollCase{"Largest", std::nextafter(1.0f, 0.0f), false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Firing, TheFlashAlternatesStartingWithTheFiringPicture) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300);
    Put(b, 2, 400, 300);
    ScriptedRandom random{0.0f, 0.0f, 0.0f, 0.0f};
    std::vector<int> pictures;
    for (int tick = 0; tick < 5; ++tick) {
        StepShip(b, 1, random);
        pictures.push_back(PictureNumber(b.ShipStat[1]));
    }
    EXPECT_EQ(pictures, (std::vector<int>{1, 2, 1, 2, 1}));
    EXPECT_EQ(b.ShipPos[1], (PosRec{300, 300}));
}

TEST(Firing, KeepsFiringAtATargetThatSailedOutOfRange) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, Firing, 2);
    Put(b, 2, 650, 500);
    ScriptedRandom random{0.0f, 0.0f};
    StepShip(b, 1, random);
    StepShip(b, 1, random);
    EXPECT_EQ(b.ShipStat[1].Mode, Firing);
    EXPECT_EQ(b.ShipPos[1], (PosRec{300, 300}));
}

TEST(Firing, AtAnExplodingTargetDropsToSailingButStillShoots) {
    for (float r : {0.0f, 0.65f}) {
        const bool hits = r == 0.65f;
        Battle b = MakeBattle(1, 1);
        Put(b, 1, 300, 300, Firing, 2);
        b.ShipStat[1].Flash = -1;
        Put(b, 2, 400, 300, Exploding);
        b.ShipStat[2].ExpCount = 2;
        ScriptedRandom random{r};
        StepShips(b, random);
        EXPECT_EQ(random.Left(), 0u);
        EXPECT_EQ(b.ShipStat[1].Mode, Sailing);
        EXPECT_EQ(b.ShipStat[1].Flash, 0);
        // A second sinking restarts the explosion in the target's own step.
        EXPECT_EQ(b.ShipStat[2].ExpCount, hits ? 3 : 1) << r;
    }
}

TEST(Firing, AtATargetAlreadyHitDropsToSailing) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, Firing, 2);
    Put(b, 2, 400, 300, Firing, 1);
    b.ShipStat[2].Hit = -1;
    ScriptedRandom random{0.0f};
    StepShip(b, 1, random);
    EXPECT_EQ(b.ShipStat[1].Mode, Sailing);
}

TEST(Firing, AFiringShipWithoutATargetIsASubscriptError) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, Firing, -1);
    ScriptedRandom none;
    EXPECT_THROW(StepShip(b, 1, none), platform::RuntimeError);
}

TEST(Duel, AHigherNumberSunkExplodesInTheSameTickWithoutDrawing) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, Firing, 2);
    Put(b, 2, 400, 300, Firing, 1);
    ScriptedRandom random{0.65f};  // ship 1 draws first and sinks 2; 2 draws nothing
    StepShips(b, random);
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(b.ShipStat[1].Mode, Sailing);
    EXPECT_EQ(b.ShipStat[2].Mode, Exploding);
    EXPECT_EQ(b.ShipStat[2].ExpCount, 3);
    EXPECT_EQ(b.ShipStat[2].Hit, 0);
    EXPECT_EQ(b.ShipStat[2].Flash, 0);
}

TEST(Duel, ALowerNumberSunkExplodesOnTheNextTick) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, Firing, 2);
    Put(b, 2, 400, 300, Firing, 1);
    ScriptedRandom random{0.0f, 0.65f};  // 1 misses, 2 sinks 1
    StepShips(b, random);
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(b.ShipStat[1].Hit, -1);
    EXPECT_EQ(b.ShipStat[1].Mode, Firing);  // still drawn as a ship this frame
    StepShips(b, random);  // 1 turns to Exploding, 2 finds no enemy: no draws at all
    EXPECT_EQ(b.ShipStat[1].Mode, Exploding);
    EXPECT_EQ(b.ShipStat[1].ExpCount, 3);
    EXPECT_EQ(b.ShipStat[2].Mode, Sailing);
    EXPECT_EQ(b.ShipStat[2].Target, -1);
}

TEST(Sinking, ExplodesThreeFramesIsAbsentOneAndIsThenPlacedAnew) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 100, 100);
    Put(b, 2, 150, 150);
    b.ShipStat[2].Hit = -1;
    b.ShipStat[2].Dir = Left;
    ScriptedRandom random{0.5f, 0.5f};  // the one placement: (342, 279)
    std::vector<int16_t> modes;
    for (int tick = 0; tick < 5; ++tick) {
        StepShips(b, random);
        modes.push_back(b.ShipStat[2].Mode);
        if (tick < 3) {
            EXPECT_EQ(b.ShipPos[2], (PosRec{150, 150}));
        }
    }
    EXPECT_EQ(modes, (std::vector<int16_t>{Exploding, Exploding, Exploding, Placing, Sailing}));
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(b.ShipPos[2], (PosRec{342, 279}));
    EXPECT_EQ(b.ShipStat[2].Dir, Left);  // the heading it sank with, until it moves
}

TEST(Exploding, ACountRunsDownAndAnUnknownModeIsLeftAlone) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, 9);
    Put(b, 2, 600, 300, Exploding);
    b.ShipStat[2].ExpCount = 3;
    ScriptedRandom none;
    StepShips(b, none);
    EXPECT_EQ(b.ShipStat[1].Mode, 9);
    EXPECT_EQ(b.ShipPos[1], (PosRec{300, 300}));
    EXPECT_EQ(b.ShipStat[2].ExpCount, 2);
}

}  // namespace
}  // namespace battle
