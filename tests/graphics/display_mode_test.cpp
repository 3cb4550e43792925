// The display mode is switched only when the primary is not already in the one asked for;
// a primary resized since it was planned for is told apart from one of another depth.
#include "graphics/display_mode.h"

#include <gtest/gtest.h>

namespace graphics {
namespace {

// Each depth keeps exactly its own low bits of the four bytes read, every one of them.
TEST(PixelOfDepth, KeepsTheDepthsLowBitsOnly) {
    for (const auto& [bits, kept] : {std::pair{1u, 0x1u}, std::pair{8u, 0xFFu}, std::pair{15u, 0x7FFFu},
                                     std::pair{16u, 0xFFFFu}, std::pair{24u, 0xFFFFFFu}, std::pair{31u, 0x7FFFFFFFu},
                                     std::pair{32u, 0xFFFFFFFFu}, std::pair{0u, 0xFFFFFFFFu}}) {
        EXPECT_EQ(PixelOfDepth(0xFFFFFFFFu, bits), kept) << bits;
        EXPECT_EQ(PixelOfDepth(0xA5C3E1F7u, bits), 0xA5C3E1F7u & kept) << bits;
    }
}

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
