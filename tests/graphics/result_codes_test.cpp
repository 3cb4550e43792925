// Result codes in error texts (the name with the number, or the number alone) and the set-up
// failure's log line. Which codes mean the user took the screen back is the session's test.
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

}  // namespace
}  // namespace graphics
