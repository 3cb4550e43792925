// The twips-per-pixel factors: each axis takes its own dots per inch, a missing figure counts as
// 96 dots per inch, and the horizontal figure is the one the sprite scale follows.
#include "platform/screen_metrics.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct TwipsCase {
    const char* name;
    int dpiX, dpiY;
    float twipsPerPixelX, twipsPerPixelY;
    int dpi;  // the horizontal figure, which the sprite scale follows
};

class ScreenTwipsTest : public testing::TestWithParam<TwipsCase> {};

TEST_P(ScreenTwipsTest, EachAxisUsesItsOwnFactor) {
    const TwipsCase& c = GetParam();
    const ScreenTwips t = ScreenTwipsFor(c.dpiX, c.dpiY);
    EXPECT_FLOAT_EQ(t.twipsPerPixelX, c.twipsPerPixelX);
    EXPECT_FLOAT_EQ(t.twipsPerPixelY, c.twipsPerPixelY);
    EXPECT_EQ(t.dpi, c.dpi);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ScreenTwipsTest,
    testing::Values(TwipsCase{"UnequalAxes", 96, 144, 15, 10, 96}, TwipsCase{"UnequalTheOtherWay", 144, 96, 10, 15, 144},
                    TwipsCase{"NoFigureCountsAs96", 0, -1, 15, 15, 96}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace platform
