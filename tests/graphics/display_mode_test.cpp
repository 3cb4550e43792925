// The display mode is switched only when the primary is not already in the one asked for,
// and a primary whose size changed since the saver looked keeps its size.
#include "graphics/display_mode.h"

#include <gtest/gtest.h>

namespace graphics {
namespace {

using Mode = std::optional<DisplayMode>;

TEST(ModeToSwitchTo, OnlyWhatDiffersAndNeverTheSizeOfAPrimaryThatKeepsIt) {
    const DisplayMode wanted{1024, 768, 32};
    struct Case {
        Mode current;
        Mode switched;  // SizeRule::kSwitch
        Mode kept;      // SizeRule::kKeep
    };
    const Case cases[] = {
        {DisplayMode{1024, 768, 32}, std::nullopt, std::nullopt},
        {DisplayMode{1023, 768, 32}, wanted, std::nullopt},
        {DisplayMode{1025, 768, 32}, wanted, std::nullopt},
        {DisplayMode{1024, 767, 32}, wanted, std::nullopt},
        {DisplayMode{1024, 769, 32}, wanted, std::nullopt},
        {DisplayMode{768, 1024, 32}, wanted, std::nullopt},
        {DisplayMode{1024, 768, 24}, wanted, wanted},
        {DisplayMode{800, 600, 16}, wanted, DisplayMode{800, 600, 32}},
        {DisplayMode{1024, 600, 31}, wanted, DisplayMode{1024, 600, 32}},
        {std::nullopt, wanted, wanted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.current ? c.current->width : -1) << "x"
                                        << (c.current ? c.current->height : -1) << "x"
                                        << (c.current ? c.current->bitsPerPixel : -1));
        EXPECT_EQ(ModeToSwitchTo(c.current, wanted), c.switched);
        EXPECT_EQ(ModeToSwitchTo(c.current, wanted, SizeRule::kKeep), c.kept);
    }
}

}  // namespace
}  // namespace graphics
