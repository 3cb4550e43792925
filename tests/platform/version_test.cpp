// The version text recorded on every start.
#include "platform/version.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(FormatVersionText, PadsMinorAndRevisionWithoutCutting) {
    EXPECT_EQ(FormatVersionText({1, 0, 0}), "1.00.0000");
    EXPECT_EQ(FormatVersionText({2, 5, 31}), "2.05.0031");
    EXPECT_EQ(FormatVersionText({1, 9, 999}), "1.09.0999");
    EXPECT_EQ(FormatVersionText({1, 123, 12345}), "1.123.12345");
    EXPECT_EQ(FormatVersionText({10, 10, 1000}), "10.10.1000");
}

}  // namespace
}  // namespace platform
