// The ship state machine. Every width and rounding here is deliberate: positions are 32-bit
// and counts 16-bit with checked arithmetic, distances and headings are double, the shot
// roll is single precision, and float-to-integer conversions round halves to even.
#include "battle/battle_tick.h"

#include <cmath>

#include "platform/numbers.h"

namespace battle {

using platform::Add32;
using platform::At;
using platform::Sub32;

namespace {

// Int(r * range) + 1. A single times a 32-bit integer is a double product in the toolkit's
// arithmetic, so the product is not rounded to single precision before the floor.
int32_t RandomCoordinate(float r, int32_t range) {
    return Add32(platform::ToInt32(std::floor(double(r) * double(range))), 1);
}

void StepPlacing(Battle& b, int16_t k, RandomSource& random) {
    const int32_t xRange = Sub32(b.ScrWidth, b.CharWidth);
    const int32_t yRange = Sub32(b.ScrHeight, b.CharHeight);
    const double minimum = b.CharDiag;
    for (int attempt = 0; attempt < kPlacementAttempts; ++attempt) {
        PosRec candidate;
        candidate.X = RandomCoordinate(random.Next(), xRange);
        candidate.Y = RandomCoordinate(random.Next(), yRange);
        // Ship k's own position counts too: (0, 0) before its first placement, the wreck's
        // spot after a sinking. Stopping at the first conflict gives the same answer as
        // looking at them all, since the check draws nothing.
        bool free = true;
        for (int j = 1; j <= k && free; ++j) {
            if (Distance(candidate, At(b.ShipPos, j)) < minimum) free = false;
        }
        if (free) {
            At(b.ShipPos, k) = candidate;
            At(b.ShipStat, k).Mode = Sailing;
            return;
        }
    }
}

void StepSailing(Battle& b, int16_t k) {
    StatRec& self = At(b.ShipStat, k);
    PosRec& pos = At(b.ShipPos, k);
    double best = platform::Mul32(b.ScrWidth, 100);
    self.Target = -1;
    for (int j = 1; j <= b.TotalCount; ++j) {
        const StatRec& other = At(b.ShipStat, j);
        if (other.Side == self.Side || other.Mode <= Placing || other.Mode >= Exploding || other.Hit != 0) continue;
        const double d = Distance(pos, At(b.ShipPos, j));
        if (d < best) {
            self.Target = int16_t(j);
            best = d;
        }
    }
    if (self.Target == -1) return;
    if (best < double(b.CharDiag)) {
        self.Mode = Firing;
        return;
    }

    const PosRec& target = At(b.ShipPos, self.Target);
    double angle = std::acos(double(Sub32(target.X, pos.X)) / best);
    if (target.Y > pos.Y) angle = kFullTurn - angle;
    self.Dir = HeadingFor(angle);

    const double step = b.CharWidth / 10.0;
    pos.X = platform::ToInt32(pos.X + step * std::cos(angle));
    pos.Y = platform::ToInt32(pos.Y - step * std::sin(angle));

    const int32_t maxX = Sub32(b.ScrWidth, b.CharWidth);
    const int32_t maxY = Sub32(b.ScrHeight, b.CharHeight);
    if (pos.X < 0) pos.X = 0;
    if (pos.X > maxX) pos.X = maxX;
    if (pos.Y < 0) pos.Y = 0;
    if (pos.Y > maxY) pos.Y = maxY;
}

void StepFiring(Battle& b, int16_t k, RandomSource& random) {
    StatRec& self = At(b.ShipStat, k);
    self.Flash = int16_t(~self.Flash);
    StatRec& target = At(b.ShipStat, self.Target);
    if (target.Hit == -1 || target.Mode == Exploding) {
        self.Flash = 0;
        self.Mode = Sailing;
    }
    // The shot is fired even at a target already sunk: a hit restarts its explosion.
    const float roll = std::floor(random.Next() * 10.0f) + 1.0f;
    if (roll == 7.0f) {
        target.Hit = -1;
        self.Flash = 0;
        self.Mode = Sailing;
    }
}

void StepExploding(Battle& b, int16_t k) {
    StatRec& self = At(b.ShipStat, k);
    self.ExpCount = platform::Sub16(self.ExpCount, 1);
    if (self.ExpCount == 0) self.Mode = Placing;
}

}  // namespace

double Distance(const PosRec& a, const PosRec& b) {
    const double dx = Sub32(b.X, a.X);
    const double dy = Sub32(b.Y, a.Y);
    return std::sqrt(dx * dx + dy * dy);
}

int16_t HeadingFor(double angle) {
    if (angle < kRightUpBound) return Right;
    if (angle < kUpLeftBound) return Up;
    if (angle < kLeftDownBound) return Left;
    if (angle < kDownRightBound) return Down;
    return Right;
}

void StepShip(Battle& b, int16_t k, RandomSource& random) {
    StatRec& self = At(b.ShipStat, k);
    if (self.Hit != 0) {
        self.Mode = Exploding;
        self.ExpCount = 3;
        self.Flash = 0;
        self.Hit = 0;
        return;
    }
    switch (self.Mode) {
        case Placing: StepPlacing(b, k, random); break;
        case Sailing: StepSailing(b, k); break;
        case Firing: StepFiring(b, k, random); break;
        case Exploding: StepExploding(b, k); break;
        default: break;  // not a state a ship can be in; left alone
    }
}

void StepShips(Battle& b, RandomSource& random) {
    for (int k = 1; k <= b.TotalCount; ++k) StepShip(b, int16_t(k), random);
}

void StepShips(Battle& b, platform::Random& random) {
    PlatformRandomSource source(random);
    StepShips(b, source);
}

}  // namespace battle
