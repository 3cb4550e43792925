// Blit clipping: the twelve steps in their order, against the destination's corner and
// limits, then the source's corner and limits, and the overflow error of its arithmetic.
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "graphics/clip.h"
#include "platform/runtime_error.h"

namespace graphics {
namespace {

struct Drawn {
    int32_t x, y, left, top, right, bottom;
};

struct ClipCase {
    const char* name;
    BlitRequest request;
    std::optional<Drawn> drawn;  // nullopt: nothing left to draw
};

// A 117 x 44 sprite on a 1024 x 768 screen unless a case says otherwise.
constexpr BlitRequest Sprite(int32_t x, int32_t y) {
    return {.x = x, .y = y, .w = 117, .h = 44, .dw = 1024, .dh = 768, .sx = 0, .sy = 0, .sw = 117, .sh = 44};
}
constexpr BlitRequest With(BlitRequest r, auto change) { change(r); return r; }

const ClipCase kCases[] = {
    {"Inside", Sprite(100, 50), Drawn{100, 50, 0, 0, 117, 44}},
    {"NegativeXTakesStripFromSourceColumn", Sprite(-10, 0), Drawn{0, 0, 10, 0, 117, 44}},
    {"OnePixelLeftOfTheScreen", Sprite(-1, 0), Drawn{0, 0, 1, 0, 117, 44}},
    {"OnePixelAboveTheScreen", Sprite(0, -1), Drawn{0, 0, 0, 1, 117, 44}},
    {"NegativeYTakesStripFromSourceRow", Sprite(0, -5), Drawn{0, 0, 0, 5, 117, 44}},
    {"EntirelyLeftOfScreen", Sprite(-117, 0), std::nullopt},
    {"XAtWidthLimit", Sprite(1024, 0), std::nullopt},
    {"YAtHeightLimit", Sprite(0, 768), std::nullopt},
    {"RightEdgeCutAtLimit", Sprite(1000, 0), Drawn{1000, 0, 0, 0, 24, 44}},
    {"BottomEdgeCutAtLimit", Sprite(0, 750), Drawn{0, 750, 0, 0, 117, 18}},
    {"ZeroLimitsDoNotClip", With(Sprite(5000, 6000), [](BlitRequest& r) { r.dw = r.dh = r.sw = r.sh = 0; }),
     Drawn{5000, 6000, 0, 0, 117, 44}},
    {"ZeroWidth", With(Sprite(10, 10), [](BlitRequest& r) { r.w = 0; }), std::nullopt},
    {"NegativeHeight", With(Sprite(10, 10), [](BlitRequest& r) { r.h = -3; }), std::nullopt},
    {"NegativeSourceXMovesDestination", With(Sprite(10, 0), [](BlitRequest& r) { r.sx = -5; }),
     Drawn{15, 0, 0, 0, 112, 44}},
    {"NegativeSourceYMovesDestination", With(Sprite(0, 10), [](BlitRequest& r) { r.sy = -4; }),
     Drawn{0, 14, 0, 0, 117, 40}},
    {"SourceOnePixelBeforeItsCorner", With(Sprite(10, 10), [](BlitRequest& r) { r.sx = -1; r.sy = -1; }),
     Drawn{11, 11, 0, 0, 116, 43}},
    {"SourceWidthLimit", With(Sprite(0, 0), [](BlitRequest& r) { r.sx = 100; }), Drawn{0, 0, 100, 0, 117, 44}},
    {"SourceHeightLimit", With(Sprite(0, 0), [](BlitRequest& r) { r.sy = 40; }), Drawn{0, 0, 0, 40, 117, 44}},
    {"SourceStartsAtItsLimit", With(Sprite(0, 0), [](BlitRequest& r) { r.sx = 117; }), std::nullopt},
    // The destination shift comes first, so it can push the source past its limit.
    {"DestinationShiftPushesSourcePastLimit", With(Sprite(-10, 0), [](BlitRequest& r) { r.sx = 110; r.w = 20; }),
     std::nullopt},
};

class ClipBlitTest : public testing::TestWithParam<ClipCase> {};

TEST_P(ClipBlitTest, LeavesExpectedRectangle) {
    const ClipCase& c = GetParam();
    std::optional<ClippedBlit> got = ClipBlit(c.request);
    ASSERT_EQ(got.has_value(), c.drawn.has_value());
    if (!got) return;
    EXPECT_EQ(got->x, c.drawn->x);
    EXPECT_EQ(got->y, c.drawn->y);
    EXPECT_EQ(got->left, c.drawn->left);
    EXPECT_EQ(got->top, c.drawn->top);
    EXPECT_EQ(got->right, c.drawn->right);
    EXPECT_EQ(got->bottom, c.drawn->bottom);
}

INSTANTIATE_TEST_SUITE_P(Steps, ClipBlitTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ClipCase>& info) { return std::string(info.param.name); });

TEST(ClipBlitOverflow, RaisesOverflowError) {
    auto expectOverflow = [](BlitRequest r) {
        try {
            ClipBlit(r);
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.ErrorNumber(), platform::RuntimeError::kOverflow);
        }
    };
    expectOverflow(Sprite(INT32_MIN, 0));                                        // sx - x
    expectOverflow(With(Sprite(INT32_MAX, 0), [](BlitRequest& r) { r.dw = 5; }));  // x + w
    expectOverflow(With(Sprite(0, 0), [](BlitRequest& r) { r.sy = INT32_MAX; }));   // sy + h
}

}  // namespace
}  // namespace graphics
