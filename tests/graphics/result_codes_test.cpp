// Result codes in error texts (the name with the number, or the number alone), the codes
// that mean the user took the screen back, and the set-up failure's log line.
#include "graphics/result_codes.h"

#include <gtest/gtest.h>

namespace graphics {
namespace {

TEST(DescribeResult, NamesKnownCodesWithTheirNumberAndPrintsOthersInHex) {
    EXPECT_EQ(DescribeResult(0x887601C2u), "DDERR_SURFACELOST (0x887601C2)");
    EXPECT_EQ(DescribeResult(0x887601C1u), "0x887601C1");  // one below: not a name of ours
    EXPECT_EQ(DescribeResult(0x80004005u), "DDERR_GENERIC (0x80004005)");
    EXPECT_EQ(DescribeResult(0), "0x00000000");
    EXPECT_EQ((SetupFailure{"DirectDrawCreateEx", 0x88760233u}).Describe(),
              "DirectDrawCreateEx failed: DDERR_NODIRECTDRAWHW (0x88760233)");
}

// Exactly the two codes of a taken-away screen; their neighbours and the other failures of
// a flip or a blit stay faults.
TEST(IsDisplayLost, OnlyALostSurfaceOrExclusiveMode) {
    struct Case {
        uint32_t result;
        bool lost;
    };
    for (const Case& c : {Case{0x887601C2u, true}, Case{0x887600E1u, true}, Case{0x887601C1u, false},
                          Case{0x887601C3u, false}, Case{0x887600E0u, false}, Case{0x887600E2u, false},
                          Case{0x88760245u, false}, Case{0x8876024Bu, false}, Case{0x80004005u, false},
                          Case{0, false}})
        EXPECT_EQ(IsDisplayLost(c.result), c.lost) << std::hex << c.result;
}

}  // namespace
}  // namespace graphics
