// Result codes in error texts: the name with the number, or the number alone.
#include "graphics/result_codes.h"

#include <gtest/gtest.h>

namespace graphics {
namespace {

TEST(DescribeResult, NamesKnownCodesWithTheirNumberAndPrintsOthersInHex) {
    EXPECT_EQ(DescribeResult(0x887601C2u), "DDERR_SURFACELOST (0x887601C2)");
    EXPECT_EQ(DescribeResult(0x887601C1u), "0x887601C1");  // one below: not a name of ours
    EXPECT_EQ(DescribeResult(0x80004005u), "DDERR_GENERIC (0x80004005)");
    EXPECT_EQ(DescribeResult(0), "0x00000000");
}

}  // namespace
}  // namespace graphics
