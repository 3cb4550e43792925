// The version text recorded on every start.
#include "platform/version.h"

#include <gtest/gtest.h>

#include "platform/version_numbers.h"

namespace platform {
namespace {

TEST(FormatVersionText, PadsMinorAndRevisionWithoutCutting) {
    EXPECT_EQ(FormatVersionText({1, 0, 0}), "1.00.0000");
    EXPECT_EQ(FormatVersionText({1, 9, 999}), "1.09.0999");
    EXPECT_EQ(FormatVersionText({1, 123, 12345}), "1.123.12345");
    EXPECT_EQ(FormatVersionText({10, 10, 1000}), "10.10.1000");
}

// The build writes the version resource's text itself; it must be the text the program
// records from the resource's numbers.
TEST(FormatVersionText, IsTheTextTheBuildWritesIntoTheVersionResource) {
    EXPECT_EQ(FormatVersionText({BRACKMER_VERSION_MAJOR, BRACKMER_VERSION_MINOR, BRACKMER_VERSION_REVISION}),
              BRACKMER_VERSION_TEXT);
}

}  // namespace
}  // namespace platform
