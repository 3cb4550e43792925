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
        {233, 171, 233, 171, true},   // 150 %
        {310, 228, 310, 228, true},   // 200 %
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

namespace startup {
namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kSea = 0x040294;

TEST(ScaleSmooth, OneToOneAndOneColourStayExact) {
    Pixels picture{3, 2, {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112}};
    EXPECT_EQ(ScaleSmooth(picture, 3, 2, 3, 2).values, picture.values);
    // Only the named corner is used: a third row left out leaves no trace.
    Pixels taller{2, 3, {kSea, kSea, kSea, kSea, kWhite, kWhite}};
    Pixels sea = ScaleSmooth(taller, 2, 2, 7, 5);
    EXPECT_EQ(sea.width, 7);
    EXPECT_EQ(sea.height, 5);
    EXPECT_EQ(sea.values, std::vector<uint32_t>(35, kSea));
}

TEST(ScaleSmooth, EdgesBlendByTheAreaTheyCover) {
    // Two pixels to three: the middle one is half black, half white (127.5 rounds up).
    Pixels pair{2, 1, {kBlack, kWhite}};
    EXPECT_EQ(ScaleSmooth(pair, 2, 1, 3, 1).values, (std::vector<uint32_t>{kBlack, 0x808080, kWhite}));
    // Doubling copies; halving averages; each channel alone.
    EXPECT_EQ(ScaleSmooth(pair, 2, 1, 4, 1).values, (std::vector<uint32_t>{kBlack, kBlack, kWhite, kWhite}));
    Pixels channels{2, 1, {0xFF0000, 0x0000FE}};
    EXPECT_EQ(ScaleSmooth(channels, 2, 1, 1, 1).values, (std::vector<uint32_t>{0x80007F}));
    // 155 -> 233 (150 %): a third of a step goes to each neighbour along both axes.
    Pixels column{1, 2, {kBlack, 0x0000F0}};
    EXPECT_EQ(ScaleSmooth(column, 1, 2, 1, 3).values, (std::vector<uint32_t>{kBlack, 0x000078, 0x0000F0}));
    Pixels square{2, 2, {kBlack, kBlack, kBlack, 0x900000}};
    EXPECT_EQ(ScaleSmooth(square, 2, 2, 3, 3).values[4], 0x240000u);  // a quarter of the corner
}

}  // namespace
}  // namespace startup
