// The generator's sequence is pinned: a seed plus N ticks must replay the same battle on
// every build, so a change of algorithm has to show up here.
#include "platform/random.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Random, SequenceForSeedOneIsPinned) {
    Random r(1);
    const float expected[] = {0.56656152f, 0.74578172f, 0.971002698f, 0.444359183f, 0.44426465f};
    for (float e : expected) EXPECT_FLOAT_EQ(r.Next(), e);
}

// Seeded from the clock, a generator does not play the unseeded one's battle (the chance
// that its first draw is the same is one in 2^24).
TEST(Random, FromTheClockIsNotTheUnseeded) { EXPECT_NE(Random::FromClock().Next(), Random().Next()); }

TEST(Random, StaysInUnitIntervalAndReseedingReplays) {
    Random a(12345), b(12345);
    float lo = 1, hi = 0;
    for (int i = 0; i < 100000; ++i) {
        float x = a.Next();
        ASSERT_EQ(x, b.Next());
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
        lo = std::min(lo, x);
        hi = std::max(hi, x);
    }
    EXPECT_LT(lo, 0.001f);
    EXPECT_GT(hi, 0.999f);
}

}  // namespace
}  // namespace platform
