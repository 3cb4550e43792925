// Blit clipping: what is left is where the blit, the destination and the source meet, for
// every request and with the axes swapped; and the overflow error of its arithmetic.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <climits>
#include <optional>

#include "graphics/clip.h"
#include "platform/geometry.h"
#include "platform/runtime_error.h"
#include "support/properties.h"

namespace graphics {
namespace {

// What is left of a blit is where three rectangles meet: the blit's own at (x, y), the
// destination from its corner to its limits, and the source's pixels from its corner to its
// limits, seen from the destination (a limit of 0: unlimited). Small numbers make edges meet
// often.
constexpr int32_t kUnlimited = 1 << 20;
std::optional<ClippedBlit> Expected(const BlitRequest& r) {
    const auto limit = [](int32_t l) { return l == 0 ? kUnlimited : l; };
    const platform::Rect source{r.x - r.sx, r.y - r.sy, limit(r.sw), limit(r.sh)};
    const platform::Rect drawn = platform::Intersect(
        platform::Intersect({r.x, r.y, r.w, r.h}, {0, 0, limit(r.dw), limit(r.dh)}), source);
    if (drawn.width <= 0 || drawn.height <= 0) return std::nullopt;
    const int32_t left = drawn.left - source.left, top = drawn.top - source.top;
    return ClippedBlit{drawn.left, drawn.top, left, top, left + drawn.width, top + drawn.height};
}

bool Same(const std::optional<ClippedBlit>& a, const std::optional<ClippedBlit>& b) {
    if (!a || !b) return !a && !b;
    return a->x == b->x && a->y == b->y && a->left == b->left && a->top == b->top && a->right == b->right &&
           a->bottom == b->bottom;
}

BlitRequest Transposed(const BlitRequest& r) {
    return {r.y, r.x, r.h, r.w, r.dh, r.dw, r.sy, r.sx, r.sh, r.sw};
}

RC_GTEST_PROP(ClipBlit, LeavesWhereTheBlitTheDestinationAndTheSourceMeet, ()) {
    const auto place = support::Uniform(-12, 12);
    const auto size = support::Uniform(-2, 12);  // 0 and below: nothing to draw
    const auto limit = support::Uniform(0, 12);
    const BlitRequest r{*place, *place, *size, *size, *limit, *limit, *place, *place, *limit, *limit};
    const std::optional<ClippedBlit> got = ClipBlit(r);
    RC_ASSERT(Same(got, Expected(r)));
    // The same with the axes swapped.
    const std::optional<ClippedBlit> swapped = ClipBlit(Transposed(r));
    RC_ASSERT(Same(swapped, got ? std::optional<ClippedBlit>({got->y, got->x, got->top, got->left, got->bottom,
                                                                 got->right})
                                : std::nullopt));
}

TEST(ClipBlitOverflow, RaisesOverflowError) {
    auto expectOverflow = [](BlitRequest r) {
        try {
            ClipBlit(r);
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.ErrorNumber(), platform::RuntimeError::kOverflow);
        }
    };
    expectOverflow({.x = INT32_MIN, .w = 117, .h = 44});                       // sx - x
    expectOverflow({.x = INT32_MAX, .w = 117, .h = 44, .dw = 5});              // x + w
    expectOverflow({.w = 117, .h = 44, .sy = INT32_MAX});                      // sy + h
}

}  // namespace
}  // namespace graphics
