// The uniform random generator of the battle: single-precision draws in [0, 1).
// The saver seeds it once from the clock at start; tests give it a fixed seed so that a
// seed plus N ticks always plays the same battle.
#pragma once

#include <cstdint>

namespace platform {

class Random {
public:
    explicit Random(uint64_t seed = 0) : state_(seed) {}

    // Seeded from the clock, so that each start plays another battle.
    static Random FromClock();

    // 24 random bits scaled by 2^-24: every value is exactly representable as a float, so
    // the result is always < 1 (a 32-bit draw converted to float could round up to 1.0).
    float Next();

private:
    uint64_t state_;
};

}  // namespace platform
