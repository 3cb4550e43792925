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

// The draw that puts a candidate on `coordinate` (1..range): Int(r * range) + 1.
float DrawFor(int32_t coordinate, int32_t range) { return float((coordinate - 0.5) / range); }

struct PlacementCase {
    const char* name;
    PosRec first;   // the first candidate; ship 1 stands at (300, 300), ship 2 at (0, 0)
    bool taken;     // too close: ship 2 then lands on the second candidate, (171, 418)
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, KeepsADiagonalFromEveryShipIncludingItsOwnSpot) {
    const PlacementCase& c = GetParam();
    Battle b = MakeBattle(1, 1);  // candidates 1..683 by 1..556
    Put(b, 1, 300, 300);
    // The first draw gives x, the second y.
    ScriptedRandom random{DrawFor(c.first.x, 683), DrawFor(c.first.y, 556), 0.25f, 0.75f};
    StepShip(b, 2, random);
    EXPECT_EQ(b.shipPos[2], c.taken ? (PosRec{171, 418}) : c.first);
    EXPECT_EQ(b.shipStat[2].mode, kSailing);
    EXPECT_EQ(random.Left(), c.taken ? 0u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Placing, Placement,
                         ::testing::Values(PlacementCase{"UnequalDraws", {513, 140}, false},
                                           PlacementCase{"ExactlyADiagonalRightOfAShip", {425, 300}, false},
                                           PlacementCase{"ExactlyADiagonalOnAThreeFourFiveLine", {375, 400}, false},
                                           PlacementCase{"OnePixelCloserThanADiagonal", {424, 300}, true},
                                           PlacementCase{"ExactlyADiagonalFromItsOwnSpot", {75, 100}, false},
                                           PlacementCase{"CloseToItsOwnSpot", {1, 1}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Placing, TheLargestDrawsStayOnTheScreen) {
    Battle b = MakeBattle(1, 1);
    ScriptedRandom random{std::nextafter(1.0f, 0.0f), std::nextafter(1.0f, 0.0f)};
    StepShip(b, 1, random);
    EXPECT_EQ(b.shipPos[1], (PosRec{683, 556}));
}

TEST(Placing, GivesUpAfterTheAttemptBoundAndWaitsForTheNextTick) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 1, 1);
    ScriptedRandom random;
    for (int i = 0; i < 2 * kPlacementAttempts; ++i) random.Add(0.0f);  // always (1, 1): taken
    StepShip(b, 2, random);
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(b.shipStat[2].mode, kPlacing);
    EXPECT_EQ(b.shipPos[2], (PosRec{0, 0}));
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
    EXPECT_EQ(b.shipStat[1].target, 2);
    EXPECT_EQ(b.shipStat[1].mode, c.fires ? kFiring : kSailing);
    EXPECT_EQ(b.shipPos[1] == (PosRec{300, 300}), c.fires);
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

TEST_P(Headings, StepATenthOfTheCellWidthTowardsTheTarget) {
    const HeadingCase& c = GetParam();
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 340, 278);
    Put(b, 2, 340 + c.dx, 278 + c.dy);
    b.shipStat[1].dir = 2;
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.shipStat[1].dir, c.dir);
    EXPECT_EQ(b.shipPos[1], (PosRec{340 + c.stepX, 278 + c.stepY}));
}

// The diagonals sit on sector bounds; the bounds come from a pi rounded to 13 decimals,
// which puts each diagonal on a definite side.
INSTANTIATE_TEST_SUITE_P(Sailing, Headings,
                         ::testing::Values(HeadingCase{"Right", 300, 0, kRight, 12, 0},
                                           HeadingCase{"Left", -300, 0, kLeft, -12, 0},
                                           HeadingCase{"Down", 0, 270, kDown, 0, 12},
                                           HeadingCase{"Up", 0, -270, kUp, 0, -12},
                                           HeadingCase{"UpRight", 250, -250, kRight, 8, -8},
                                           HeadingCase{"UpLeft", -250, -250, kUp, -8, -8},
                                           HeadingCase{"DownLeft", -250, 250, kDown, -8, 8},
                                           HeadingCase{"DownRight", 250, 250, kRight, 8, 8},
                                           HeadingCase{"ShallowUpRight", 200, -100, kRight, 10, -5}),
                         [](const auto& info) { return std::string(info.param.name); });

struct HeadingBoundCase {
    const char* name;
    double angle;
    int16_t dir;
};

class HeadingBounds : public ::testing::TestWithParam<HeadingBoundCase> {};

TEST_P(HeadingBounds, EachBoundStartsTheNextSector) {
    EXPECT_EQ(HeadingFor(GetParam().angle), GetParam().dir);
}

INSTANTIATE_TEST_SUITE_P(
    Sailing, HeadingBounds,
    ::testing::Values(HeadingBoundCase{"BelowRightUp", std::nextafter(kRightUpBound, 0.0), kRight},
                      HeadingBoundCase{"OnRightUp", kRightUpBound, kUp},
                      HeadingBoundCase{"BelowUpLeft", std::nextafter(kUpLeftBound, 0.0), kUp},
                      HeadingBoundCase{"OnUpLeft", kUpLeftBound, kLeft},
                      HeadingBoundCase{"BelowLeftDown", std::nextafter(kLeftDownBound, 0.0), kLeft},
                      HeadingBoundCase{"OnLeftDown", kLeftDownBound, kDown},
                      HeadingBoundCase{"BelowDownRight", std::nextafter(kDownRightBound, 0.0), kDown},
                      HeadingBoundCase{"OnDownRight", kDownRightBound, kRight}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Sailing, FindsAnEnemyFartherAwayThanTheScreenIsWide) {
    // Opposite corners of 800 x 600 are 880 pixels apart.
    for (bool redAtOrigin : {true, false}) {
        SCOPED_TRACE(redAtOrigin);
        Battle b = MakeBattle(1, 1);
        Put(b, 1, redAtOrigin ? 0 : 683, redAtOrigin ? 0 : 556);
        Put(b, 2, redAtOrigin ? 683 : 0, redAtOrigin ? 556 : 0);
        ASSERT_GT(Distance(b.shipPos[1], b.shipPos[2]), 800.0);
        ScriptedRandom none;
        StepShip(b, 1, none);
        EXPECT_EQ(b.shipStat[1].target, 2);
        EXPECT_EQ(b.shipStat[1].dir, redAtOrigin ? kRight : kLeft);  // flatter than a diagonal
        EXPECT_EQ(b.shipPos[1], redAtOrigin ? (PosRec{9, 7}) : (PosRec{674, 549}));
    }
}

TEST(Sailing, EqualDistancesPickTheLowerNumber) {
    for (int32_t lowerAt : {+200, -200}) {
        Battle b = MakeBattle(1, 2);
        Put(b, 1, 400, 300);
        Put(b, 2, 400 + lowerAt, 300);
        Put(b, 3, 400 - lowerAt, 300);
        ScriptedRandom none;
        StepShip(b, 1, none);
        EXPECT_EQ(b.shipStat[1].target, 2);
        EXPECT_EQ(b.shipPos[1].x, 400 + (lowerAt > 0 ? 12 : -12));
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
    b.shipStat[3].hit = c.nearHit;
    Put(b, 4, 400, 40);
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.shipStat[1].target, c.target);
}

INSTANTIATE_TEST_SUITE_P(Sailing, Eligibility,
                         ::testing::Values(EligibilityCase{"SailingCounts", kSailing, 0, 3},
                                           EligibilityCase{"FiringCounts", kFiring, 0, 3},
                                           EligibilityCase{"PlacingSkipped", kPlacing, 0, 4},
                                           EligibilityCase{"ExplodingSkipped", kExploding, 0, 4},
                                           EligibilityCase{"HitSkipped", kSailing, -1, 4},
                                           EligibilityCase{"UnknownModeSkipped", 7, 0, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

struct EdgeCase {
    const char* name;
    PosRec ship, target, after;
};

class Edges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(Edges, KeepTheShipOnTheScreen) {
    const EdgeCase& c = GetParam();
    Battle b = MakeBattle(1, 1);  // largest corner (683, 556)
    Put(b, 1, c.ship.x, c.ship.y);
    Put(b, 2, c.target.x, c.target.y);
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.shipPos[1], c.after);
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
    Put(b, 1, 300, 300, kFiring, 2);
    Put(b, 2, 400, 300);
    ScriptedRandom random{c.r};
    StepShip(b, 1, random);
    EXPECT_EQ(b.shipStat[2].hit, c.sinks ? -1 : 0);
    EXPECT_EQ(b.shipStat[1].mode, c.sinks ? kSailing : kFiring);
    EXPECT_EQ(b.shipStat[1].flash, c.sinks ? 0 : -1);
}

// 0.7f * 10 is 6.99999988 in double but rounds to 7 in single precision: a miss.
INSTANTIATE_TEST_SUITE_P(Firing, ShotRoll,
                         ::testing::Values(RollCase{"JustBelowSix", 0.5999999f, false},
                                           RollCase{"Six", 0.6f, true},
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
        pictures.push_back(PictureNumber(b.shipStat[1]));
    }
    EXPECT_EQ(pictures, (std::vector<int>{1, 2, 1, 2, 1}));
    EXPECT_EQ(b.shipPos[1], (PosRec{300, 300}));
}

TEST(Firing, KeepsFiringAtATargetThatSailedOutOfRange) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, kFiring, 2);
    Put(b, 2, 650, 500);
    ScriptedRandom random{0.0f, 0.0f};
    StepShip(b, 1, random);
    StepShip(b, 1, random);
    EXPECT_EQ(b.shipStat[1].mode, kFiring);
    EXPECT_EQ(b.shipPos[1], (PosRec{300, 300}));
}

TEST(Firing, AtAnExplodingTargetDropsToSailingButStillShoots) {
    for (float r : {0.0f, 0.65f}) {
        const bool hits = r == 0.65f;
        Battle b = MakeBattle(1, 1);
        Put(b, 1, 300, 300, kFiring, 2);
        b.shipStat[1].flash = -1;
        Put(b, 2, 400, 300, kExploding);
        b.shipStat[2].expCount = 2;
        ScriptedRandom random{r};
        StepShips(b, random);
        EXPECT_EQ(random.Left(), 0u);
        EXPECT_EQ(b.shipStat[1].mode, kSailing);
        EXPECT_EQ(b.shipStat[1].flash, 0);
        // A second sinking restarts the explosion in the target's own step.
        EXPECT_EQ(b.shipStat[2].expCount, hits ? 3 : 1) << r;
    }
}

TEST(Firing, AtATargetAlreadyHitDropsToSailing) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, kFiring, 2);
    Put(b, 2, 400, 300, kFiring, 1);
    b.shipStat[2].hit = -1;
    ScriptedRandom random{0.0f};
    StepShip(b, 1, random);
    EXPECT_EQ(b.shipStat[1].mode, kSailing);
}

TEST(Firing, AFiringShipWithoutATargetIsASubscriptError) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, kFiring, -1);
    ScriptedRandom none;
    EXPECT_THROW(StepShip(b, 1, none), platform::RuntimeError);
}

TEST(Duel, AHigherNumberSunkExplodesInTheSameTickWithoutDrawing) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, kFiring, 2);
    Put(b, 2, 400, 300, kFiring, 1);
    ScriptedRandom random{0.65f};  // ship 1 draws first and sinks 2; 2 draws nothing
    StepShips(b, random);
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(b.shipStat[1].mode, kSailing);
    EXPECT_EQ(b.shipStat[2].mode, kExploding);
    EXPECT_EQ(b.shipStat[2].expCount, 3);
    EXPECT_EQ(b.shipStat[2].hit, 0);
    EXPECT_EQ(b.shipStat[2].flash, 0);
}

TEST(Duel, ALowerNumberSunkExplodesOnTheNextTick) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, kFiring, 2);
    Put(b, 2, 400, 300, kFiring, 1);
    ScriptedRandom random{0.0f, 0.65f};  // 1 misses, 2 sinks 1
    StepShips(b, random);
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(b.shipStat[1].hit, -1);
    EXPECT_EQ(b.shipStat[1].mode, kFiring);  // still drawn as a ship this frame
    StepShips(b, random);  // 1 turns to kExploding, 2 finds no enemy: no draws at all
    EXPECT_EQ(b.shipStat[1].mode, kExploding);
    EXPECT_EQ(b.shipStat[1].expCount, 3);
    EXPECT_EQ(b.shipStat[2].mode, kSailing);
    EXPECT_EQ(b.shipStat[2].target, -1);
    EXPECT_EQ(b.shipPos[2], (PosRec{400, 300}));  // without an enemy it stays where it is
}

TEST(Sinking, ExplodesThreeFramesIsAbsentOneAndIsThenPlacedAnew) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 100, 100);
    Put(b, 2, 150, 150);
    b.shipStat[2].hit = -1;
    b.shipStat[2].dir = kLeft;
    ScriptedRandom random{0.5f, 0.5f};  // the one placement: (342, 279)
    std::vector<int16_t> modes;
    for (int tick = 0; tick < 5; ++tick) {
        StepShips(b, random);
        modes.push_back(b.shipStat[2].mode);
        if (tick < 3) {
            EXPECT_EQ(b.shipPos[2], (PosRec{150, 150}));
        }
    }
    EXPECT_EQ(modes, (std::vector<int16_t>{kExploding, kExploding, kExploding, kPlacing, kSailing}));
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(b.shipPos[2], (PosRec{342, 279}));
    EXPECT_EQ(b.shipStat[2].dir, kLeft);  // the heading it sank with, until it moves
}

TEST(Stepping, AnUnknownModeIsLeftAlone) {
    Battle b = MakeBattle(1, 1);
    Put(b, 1, 300, 300, 9);
    ScriptedRandom none;
    StepShip(b, 1, none);
    EXPECT_EQ(b.shipStat[1].mode, 9);
    EXPECT_EQ(b.shipPos[1], (PosRec{300, 300}));
}

}  // namespace
}  // namespace battle
