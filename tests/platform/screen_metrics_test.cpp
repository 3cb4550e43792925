// The twips-per-pixel factors where the system cannot give a figure: it counts as 96 dots
// per inch on its own axis alone (any positive figure is kept), and the figure kept for the
// sprite scale is the horizontal one. The figures from 96 up are the every-DPI test's.
#include "platform/screen_metrics.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(ScreenTwips, AMissingFigureCountsAs96OnItsOwnAxis) {
    const struct {
        int dpiX, dpiY;
        float twipsPerPixelX, twipsPerPixelY;
        int dpi;
    } cases[] = {{0, 144, 15, 10, 96}, {1, -1, 1440, 15, 1}};  // 1 is a figure: the least there is
    for (const auto& c : cases) {
        const ScreenTwips t = ScreenTwipsFor(c.dpiX, c.dpiY);
        EXPECT_EQ((std::vector<float>{t.twipsPerPixelX, t.twipsPerPixelY}), (std::vector<float>{c.twipsPerPixelX, c.twipsPerPixelY}))
            << c.dpiX << " x " << c.dpiY;
        EXPECT_EQ(t.dpi, c.dpi) << c.dpiX;
    }
}

}  // namespace
}  // namespace platform
