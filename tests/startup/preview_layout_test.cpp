// The preview's size inside hosts around the fixed 155 x 114.
#include "startup/preview_layout.h"

#include <gtest/gtest.h>

namespace startup {
namespace {

struct HostCase {
    int hostWidth, hostHeight;
    int width, height;
    bool scaled;
};

TEST(PreviewSizeFor, FixedUpToTheOwnSizeAndFillingAnythingLarger) {
    const HostCase cases[] = {
        {155, 114, 155, 114, false},  // the classic monitor picture
        {154, 113, 155, 114, false},  // a smaller host still gets the whole picture's size
        {0, 0, 155, 114, false},
        {156, 114, 156, 114, true},   // one pixel wider
        {155, 115, 155, 115, true},   // one pixel taller
        {200, 100, 200, 100, true},   // wider though lower
    };
    for (const HostCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hostWidth << "x" << c.hostHeight);
        PreviewSize s = PreviewSizeFor(c.hostWidth, c.hostHeight);
        EXPECT_EQ(s.width, c.width);
        EXPECT_EQ(s.height, c.height);
        EXPECT_EQ(s.scaled, c.scaled);
    }
}

}  // namespace
}  // namespace startup
