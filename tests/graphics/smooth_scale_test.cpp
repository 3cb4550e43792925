// The one smoothing scaler: exact at 1 : 1, whole enlargements and one colour; blends by the
// area covered at odd factors, each channel rounded to nearest; reads only what the asked
// part covers, each source row once and in order.
#include "graphics/smooth_scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

namespace graphics {
namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kSea = 0x040294;

struct ScaleCase {
    const char* name;
    int32_t sourceWidth, sourceHeight;
    std::vector<uint32_t> source;
    int32_t width, height;
    std::vector<uint32_t> expected;
};

TEST(ScaleSmooth, EveryFactorAveragesTheAreaCovered) {
    const ScaleCase cases[] = {
        {"OneToOne", 3, 2, {1, 2, 3, 4, 5, 6}, 3, 2, {1, 2, 3, 4, 5, 6}},
        {"OneColourAtAnOddFactor", 2, 2, {kSea, kSea, kSea, kSea}, 7, 5, std::vector<uint32_t>(35, kSea)},
        {"WholeEnlargementCopies", 2, 1, {kBlack, kWhite}, 4, 1, {kBlack, kBlack, kWhite, kWhite}},
        // Two to three: the middle pixel is half of each, 127.5 rounding up.
        {"HalfWayRoundsUp", 2, 1, {kBlack, kWhite}, 3, 1, {kBlack, 0x808080, kWhite}},
        // Two to five: only the middle pixel straddles both, so the pattern is centred.
        {"OddEnlargementBlendsOnlyTheStraddler", 2, 1, {0, 0xFE}, 5, 1, {0, 0, 0x7F, 0xFE, 0xFE}},
        // 150 %: a third of a step goes to each neighbour, down as across.
        {"ThirdsDown", 1, 2, {kBlack, 0x0000F0}, 1, 3, {kBlack, 0x000078, 0x0000F0}},
        {"QuarterOfACorner", 2, 2, {0, 0, 0, 0x900000}, 3, 3, {0, 0, 0, 0, 0x240000, 0x480000, 0, 0x480000, 0x900000}},
        // Halving averages each channel on its own; 127.5 up, 127 stays.
        {"ChannelsApart", 2, 1, {0xFF0000, 0x0000FE}, 1, 1, {0x80007F}},
        {"ThreeToOneExact", 3, 1, {0x300000, 0x000600, 0x000009}, 1, 1, {0x100203}},
        // Three to two: a source pixel split between two new ones counts half in each.
        {"ThreeToTwoWeighted", 3, 1, {1, 2, 4}, 2, 1, {1, 3}},
        {"ThirdRoundsDown", 3, 1, {0, 0, 1}, 1, 1, {0}},
        {"TwoThirdsRoundUp", 3, 1, {0, 1, 1}, 1, 1, {1}},
    };
    for (const ScaleCase& c : cases)
        EXPECT_EQ(ScaleSmooth(c.source, c.sourceWidth, c.sourceWidth, c.sourceHeight, c.width, c.height), c.expected)
            << c.name;
    // The named corner of a wider, taller picture only: the rest leaves no trace.
    EXPECT_EQ(ScaleSmooth({kSea, kSea, kWhite, kSea, kSea, kWhite, kWhite, kWhite, kWhite}, 3, 2, 2, 5, 3),
              std::vector<uint32_t>(15, kSea));
}

TEST(ScaleSmooth, APartReadsOnlyItsOwnRowsAndColumnsOnceInOrder) {
    // A 5 x 4 picture, each pixel its own number, doubled to 10 x 8; columns 3..6 of rows 1..4.
    std::vector<uint32_t> source(20);
    for (uint32_t i = 0; i < 20; ++i) source[i] = i;
    std::vector<std::tuple<int32_t, int32_t, int32_t>> asked;  // row, first column, count
    const SourceRows rows = [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
        asked.push_back({row, first, count});
        std::copy_n(source.begin() + row * 5 + first, count, out);
    };
    EXPECT_EQ(ScaleSmooth(5, 4, rows, 10, 8, {3, 1, 4, 4}),
              (std::vector<uint32_t>{1, 2, 2, 3, 6, 7, 7, 8, 6, 7, 7, 8, 11, 12, 12, 13}));
    EXPECT_EQ(asked, (std::vector<std::tuple<int32_t, int32_t, int32_t>>{{0, 1, 3}, {1, 1, 3}, {2, 1, 3}}));
    // A part reaching past the picture is cut to it; one wholly outside is nothing.
    EXPECT_EQ(ScaleSmooth(5, 4, rows, 5, 4, {3, 3, 9, 9}), (std::vector<uint32_t>{18, 19}));
    EXPECT_TRUE(ScaleSmooth(5, 4, rows, 5, 4, {5, 0, 2, 2}).empty());
    // No pixels on either side, in either direction, is nothing too.
    const std::tuple<int32_t, int32_t, int32_t, int32_t> empty[] = {{0, 4, 5, 4}, {5, 0, 5, 4}, {5, 4, 0, 4}, {5, 4, 5, 0}};
    for (const auto& [sw, sh, w, h] : empty)
        EXPECT_TRUE(ScaleSmooth(sw, sh, rows, w, h, {0, 0, 2, 2}).empty()) << sw << " " << sh << " " << w << " " << h;
}

// Several targets from one pass give what each gives alone, while every source row is read
// once, in order, across the columns all of them need.
TEST(ScaleSmooth, OnePassForManyTargetsIsEachAlone) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const int32_t sw = 1 + int32_t(random() % 9), sh = 1 + int32_t(random() % 9);
        std::vector<uint32_t> source(size_t(sw * sh));
        for (uint32_t& p : source) p = random() & 0xFFFFFF;
        std::vector<ScaleTarget> targets(1 + random() % 3);
        for (ScaleTarget& t : targets) {
            t.width = 1 + int32_t(random() % 12), t.height = 1 + int32_t(random() % 12);
            t.part = {int32_t(random() % 13) - 1, int32_t(random() % 13) - 1, int32_t(random() % 13),
                      int32_t(random() % 13)};
        }
        std::vector<int32_t> asked;
        int32_t lowest = sw, highest = -1;
        const SourceRows rows = [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
            asked.push_back(row);
            lowest = std::min(lowest, first), highest = std::max(highest, first + count - 1);
            std::copy_n(source.begin() + row * sw + first, count, out);
        };
        const auto all = ScaleSmoothAll(sw, sh, rows, targets);
        ASSERT_EQ(all.size(), targets.size());
        EXPECT_TRUE(std::is_sorted(asked.begin(), asked.end()) &&
                    std::adjacent_find(asked.begin(), asked.end()) == asked.end());
        EXPECT_TRUE(asked.empty() || (lowest >= 0 && highest < sw));
        const SourceRows plain = [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
            std::copy_n(source.begin() + row * sw + first, count, out);
        };
        for (size_t i = 0; i < targets.size(); ++i)
            EXPECT_EQ(all[i], ScaleSmooth(sw, sh, plain, targets[i].width, targets[i].height, targets[i].part))
                << round << " " << i;
    }
}

}  // namespace
}  // namespace graphics
