// Shared helpers of the battle tests: scripted and counting random sources, and a battle
// built from the supplied sprite size (117 x 44, diagonal 125) on a screen of any size.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <stdexcept>

#include "battle/battle_state.h"
#include "battle/battle_tick.h"

namespace battle::testing {

// Hands out exactly the draws a test scripts; one draw too many is a test failure.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom(std::initializer_list<float> draws = {}) : draws_(draws) {}
    void Add(float r) { draws_.push_back(r); }
    size_t Left() const { return draws_.size(); }
    float Next() override {
        if (draws_.empty()) throw std::logic_error("the tick drew more numbers than scripted");
        const float r = draws_.front();
        draws_.pop_front();
        return r;
    }

private:
    std::deque<float> draws_;
};

class CountingRandom final : public RandomSource {
public:
    explicit CountingRandom(uint64_t seed) : random_(seed) {}
    float Next() override { ++count; return random_.Next(); }
    long count = 0;

private:
    platform::Random random_;
};

inline Battle MakeBattle(int16_t red, int16_t blue, int32_t width = 800, int32_t height = 600) {
    return SetUpBattle({red, blue, settings::kPlainBlue}, MeasurementsFor(width, height, 15, 15));
}

// Puts ship k at (x, y) in `mode`; `target` matters for kFiring ships only.
inline void Put(Battle& b, int k, int32_t x, int32_t y, int16_t mode = kSailing, int16_t target = -1) {
    b.shipPos.at(size_t(k)) = {x, y};
    b.shipStat.at(size_t(k)).mode = mode;
    b.shipStat.at(size_t(k)).target = target;
}

}  // namespace battle::testing
