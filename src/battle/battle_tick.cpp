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
    const int32_t xRange = Sub32(b.scrWidth, b.charWidth);
    const int32_t yRange = Sub32(b.scrHeight, b.charHeight);
    const double minimum = b.charDiag;
    for (int attempt = 0; attempt < kPlacementAttempts; ++attempt) {
        PosRec candidate;
        candidate.x = RandomCoordinate(random.Next(), xRange);
        candidate.y = RandomCoordinate(random.Next(), yRange);
        // Ship k's own position counts too: (0, 0) before its first placement, the wreck's
        // spot after a sinking. Stopping at the first conflict gives the same answer as
        // looking at them all, since the check draws nothing.
        bool free = true;
        for (int j = 1; j <= k && free; ++j) {
            if (Distance(candidate, At(b.shipPos, j)) < minimum) free = false;
        }
        if (free) {
            At(b.shipPos, k) = candidate;
            At(b.shipStat, k).mode = kSailing;
            return;
        }
    }
}

void StepSailing(Battle& b, int16_t k) {
    StatRec& self = At(b.shipStat, k);
    PosRec& pos = At(b.shipPos, k);
    double best = platform::Mul32(b.scrWidth, 100);
    self.target = -1;
    for (int j = 1; j <= b.totalCount; ++j) {
        const StatRec& other = At(b.shipStat, j);
        if (other.side == self.side || other.mode <= kPlacing || other.mode >= kExploding || other.hit != 0) continue;
        const double d = Distance(pos, At(b.shipPos, j));
        if (d < best) {
            self.target = int16_t(j);
            best = d;
        }
    }
    if (self.target == -1) return;
    if (best < double(b.charDiag)) {
        self.mode = kFiring;
        return;
    }

    const PosRec& target = At(b.shipPos, self.target);
    double angle = std::acos(double(Sub32(target.x, pos.x)) / best);
    if (target.y > pos.y) angle = kFullTurn - angle;
    self.dir = HeadingFor(angle);

    const double step = b.charWidth / 10.0;
    pos.x = platform::ToInt32(pos.x + step * std::cos(angle));
    pos.y = platform::ToInt32(pos.y - step * std::sin(angle));

    const int32_t maxX = Sub32(b.scrWidth, b.charWidth);
    const int32_t maxY = Sub32(b.scrHeight, b.charHeight);
    if (pos.x < 0) pos.x = 0;
    if (pos.x > maxX) pos.x = maxX;
    if (pos.y < 0) pos.y = 0;
    if (pos.y > maxY) pos.y = maxY;
}

void StepFiring(Battle& b, int16_t k, RandomSource& random) {
    StatRec& self = At(b.shipStat, k);
    self.flash = int16_t(~self.flash);
    StatRec& target = At(b.shipStat, self.target);
    if (target.hit == -1 || target.mode == kExploding) {
        self.flash = 0;
        self.mode = kSailing;
    }
    // The shot is fired even at a target already sunk: a hit restarts its explosion.
    const float roll = std::floor(random.Next() * 10.0f) + 1.0f;
    if (roll == 7.0f) {
        target.hit = -1;
        self.flash = 0;
        self.mode = kSailing;
    }
}

void StepExploding(Battle& b, int16_t k) {
    StatRec& self = At(b.shipStat, k);
    self.expCount = platform::Sub16(self.expCount, 1);
    if (self.expCount == 0) self.mode = kPlacing;
}

}  // namespace

double Distance(const PosRec& a, const PosRec& b) {
    const double dx = Sub32(b.x, a.x);
    const double dy = Sub32(b.y, a.y);
    return std::sqrt(dx * dx + dy * dy);
}

int16_t HeadingFor(double angle) {
    if (angle < kRightUpBound) return kRight;
    if (angle < kUpLeftBound) return kUp;
    if (angle < kLeftDownBound) return kLeft;
    if (angle < kDownRightBound) return kDown;
    return kRight;
}

void StepShip(Battle& b, int16_t k, RandomSource& random) {
    StatRec& self = At(b.shipStat, k);
    if (self.hit != 0) {
        self.mode = kExploding;
        self.expCount = 3;
        self.flash = 0;
        self.hit = 0;
        return;
    }
    switch (self.mode) {
        case kPlacing: StepPlacing(b, k, random); break;
        case kSailing: StepSailing(b, k); break;
        case kFiring: StepFiring(b, k, random); break;
        case kExploding: StepExploding(b, k); break;
        default: break;  // not a state a ship can be in; left alone
    }
}

void StepShips(Battle& b, RandomSource& random) {
    for (int k = 1; k <= b.totalCount; ++k) StepShip(b, int16_t(k), random);
}

void StepShips(Battle& b, platform::Random& random) {
    PlatformRandomSource source(random);
    StepShips(b, source);
}

}  // namespace battle
