// The cursor jump rule's arithmetic error; its limit at every DPI, per axis, is held with the
// sprite scale (sprite_scale_test.cpp, EveryDpi).
#include <gtest/gtest.h>

#include <climits>

#include "battle/cursor_check.h"
#include "platform/runtime_error.h"

namespace battle {
namespace {

TEST(CursorMovedTooFar, ADifferenceBeyond32BitsIsAnOverflowError) {
    for (auto [last, current] : {std::pair{CursorPoint{-1, 0}, CursorPoint{INT32_MAX, 0}},
                                 std::pair{CursorPoint{0, 0}, CursorPoint{0, INT32_MIN}}}) {
        try {
            CursorMovedTooFar(last, current, 15, 15);
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.ErrorNumber(), platform::RuntimeError::kOverflow);
        }
    }
}

}  // namespace
}  // namespace battle
