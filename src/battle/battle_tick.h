// The simulation pass of a frame tick: every ship takes one step of its state machine
// (placing, sailing, firing, exploding) in ship-number order. The saver session runs it in
// every tick between the cursor check and the frame composition; tests script the draws.
#pragma once

#include <cstdint>

#include "battle/battle_state.h"
#include "platform/random.h"

namespace battle {

// Where the pass takes its uniform draws in [0, 1) from. The saver uses the process's
// platform::Random; tests substitute scripted sequences.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float Next() = 0;
};

class PlatformRandomSource final : public RandomSource {
public:
    explicit PlatformRandomSource(platform::Random& random) : random_(random) {}
    float Next() override { return random_.Next(); }

private:
    platform::Random& random_;
};

// Candidate spots a kPlacing ship tries per tick. A crowded screen may hold no free spot at
// all; a ship that finds none in this many tries stays kPlacing (and is not drawn) and tries
// again on the next tick, so a tick always ends promptly.
inline constexpr int kPlacementAttempts = 1000;

// Heading sector bounds and the full turn from pi rounded to 13 decimals: that rounding puts
// each exact diagonal on a definite side of its bound, and the headings depend on it.
inline constexpr double kFullTurn = 6.2831853071796;
inline constexpr double kRightUpBound = 3.1415926535898 / 4;
inline constexpr double kUpLeftBound = 9.4247779607694 / 4;
inline constexpr double kLeftDownBound = 15.707963267949 / 4;
inline constexpr double kDownRightBound = 21.9911485751286 / 4;

// One step of ship k (1..totalCount), seeing the steps of lower-numbered ships this tick.
void StepShip(Battle& battle, int16_t k, RandomSource& random);

// Ships 1..totalCount in order. Raises platform::RuntimeError on an arithmetic overflow or a
// bad ship number; the saver session logs that and ends the saver.
void StepShips(Battle& battle, RandomSource& random);
void StepShips(Battle& battle, platform::Random& random);

// Corner-to-corner distance; the differences are checked 32-bit, the rest is double.
double Distance(const PosRec& a, const PosRec& b);

// Heading code for an angle in radians (counter-clockwise from screen right, up positive).
int16_t HeadingFor(double angle);

}  // namespace battle
