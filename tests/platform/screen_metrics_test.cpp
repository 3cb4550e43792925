// The screen in twips: each axis takes its own dots per inch, a missing figure counts as
// 96 dots per inch, and the horizontal figure is the one the sprite scale follows.
#include "platform/screen_metrics.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct TwipsCase {
    const char* name;
    int width, height, dpiX, dpiY;
    float twipsPerPixelX, twipsPerPixelY, widthTw, heightTw;
    int dpi;  // the horizontal figure, which the sprite scale follows
};

class ScreenTwipsTest : public testing::TestWithParam<TwipsCase> {};

TEST_P(ScreenTwipsTest, EachAxisUsesItsOwnFactor) {
    const TwipsCase& c = GetParam();
    const ScreenTwips t = ScreenTwipsFor(c.width, c.height, c.dpiX, c.dpiY);
    EXPECT_FLOAT_EQ(t.twipsPerPixelX, c.twipsPerPixelX);
    EXPECT_FLOAT_EQ(t.twipsPerPixelY, c.twipsPerPixelY);
    EXPECT_FLOAT_EQ(t.width, c.widthTw);
    EXPECT_FLOAT_EQ(t.height, c.heightTw);
    EXPECT_EQ(t.dpi, c.dpi);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ScreenTwipsTest,
    testing::Values(TwipsCase{"UnequalAxes", 800, 600, 96, 144, 15, 10, 12000, 6000, 96},
                    TwipsCase{"UnequalTheOtherWay", 800, 600, 144, 96, 10, 15, 8000, 9000, 144},
                    TwipsCase{"NoFigureCountsAs96", 640, 480, 0, -1, 15, 15, 9600, 7200, 96}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace platform
