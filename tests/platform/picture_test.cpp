// The picture every module hands around: when it is whole enough to show, at the bounds of
// each side and of its pixel count.
#include "platform/picture.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Picture, IsWholeWithPixelsOnBothSidesAndExactlyTheirCount) {
    const struct {
        Picture picture;
        bool whole;
    } cases[] = {{{1, 1, {7}}, true},     {{2, 1, {7, 7}}, true}, {{1, 2, {7, 7}}, true}, {{0, 1, {}}, false},
                 {{1, 0, {}}, false},     {{-1, -1, {7}}, false}, {{2, 1, {7}}, false},   {{1, 1, {7, 7}}, false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.picture.IsWhole(), c.whole)
            << c.picture.width << " x " << c.picture.height << ", " << c.picture.pixels.size() << " pixels";
}

}  // namespace
}  // namespace platform
