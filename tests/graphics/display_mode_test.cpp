// The display mode is switched only when the primary is not already in the one asked for;
// a primary resized since it was planned for is told apart from one of another depth.
#include "graphics/display_mode.h"

#include <gtest/gtest.h>

namespace graphics {
namespace {

TEST(NeedsModeChange, OnlyWhenSizeOrDepthDiffersOrTheModeIsUnknown) {
    const DisplayMode wanted{1024, 768, 32};
    struct Case {
        std::optional<DisplayMode> current;
        bool change;
    };
    for (const Case& c : {Case{DisplayMode{1024, 768, 32}, false}, Case{DisplayMode{1023, 768, 32}, true},
                          Case{DisplayMode{1025, 768, 32}, true}, Case{DisplayMode{1024, 767, 32}, true},
                          Case{DisplayMode{1024, 769, 32}, true}, Case{DisplayMode{1024, 768, 24}, true},
                          Case{DisplayMode{768, 1024, 32}, true}, Case{std::nullopt, true}}) {
        EXPECT_EQ(NeedsModeChange(c.current, wanted), c.change)
            << (c.current ? c.current->width : -1) << "x" << (c.current ? c.current->height : -1) << "x"
            << (c.current ? c.current->bitsPerPixel : -1);
        // Resized: the size alone, never the depth, and never what cannot be told.
        const bool resized = c.current && c.change && c.current->bitsPerPixel == 32;
        EXPECT_EQ(ResizedSince(c.current, wanted), resized)
            << (c.current ? c.current->width : -1) << "x" << (c.current ? c.current->height : -1) << "x"
            << (c.current ? c.current->bitsPerPixel : -1);
    }
}

}  // namespace
}  // namespace graphics
