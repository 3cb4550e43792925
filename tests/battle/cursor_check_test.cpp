// The cursor jump rule: per axis, strictly more than 10 x the twips-per-pixel factor.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "battle/cursor_check.h"
#include "platform/runtime_error.h"

namespace battle {
namespace {

struct JumpCase {
    const char* name;
    int32_t dx, dy;
    float tppX, tppY;
    bool exits;
};

class CursorJump : public ::testing::TestWithParam<JumpCase> {};

TEST_P(CursorJump, ExitsOnlyBeyondTheLimitOnOneAxis) {
    const JumpCase& c = GetParam();
    const CursorPoint last{500, 400};
    EXPECT_EQ(CursorMovedTooFar(last, {500 + c.dx, 400 + c.dy}, c.tppX, c.tppY), c.exits);
}

INSTANTIATE_TEST_SUITE_P(
    CursorMovedTooFar, CursorJump,
    ::testing::Values(JumpCase{"Still", 0, 0, 15, 15, false},
                      JumpCase{"Right150", 150, 0, 15, 15, false},
                      JumpCase{"Right151", 151, 0, 15, 15, true},
                      JumpCase{"Left151", -151, 0, 15, 15, true},
                      JumpCase{"Down150", 0, 150, 15, 15, false},
                      JumpCase{"Up151", 0, -151, 15, 15, true},
                      JumpCase{"Diagonal140", 140, -140, 15, 15, false},
                      JumpCase{"DiagonalOneAxisOver", 20, 151, 15, 15, true},
                      JumpCase{"At120Dpi120", 120, 0, 12, 12, false},
                      JumpCase{"At120Dpi121", 0, 121, 12, 12, true},
                      JumpCase{"AxesWithOwnFactors", 140, 121, 15, 12, true}),
    [](const auto& info) { return std::string(info.param.name); });

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
