// Number reading, halves-to-even rounding and the overflow rule of the fixed widths.
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/runtime_error.h"

namespace platform {
namespace {

struct LeadingCase {
    const char* name;
    const char* text;
    double value;
};

class LeadingNumberTest : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberTheTextBeginsWith) {
    EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().value) << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    testing::Values(LeadingCase{"Empty", "", 0}, LeadingCase{"Letters", "abc", 0},
                    LeadingCase{"Integer", "42", 42}, LeadingCase{"LeadingBlanks", "  \t7", 7},
                    LeadingCase{"TrailingJunk", "7abc", 7}, LeadingCase{"Fraction", "3.4", 3.4},
                    LeadingCase{"BareFraction", ".5", 0.5}, LeadingCase{"Negative", "-3", -3},
                    LeadingCase{"PlusSign", "+12", 12}, LeadingCase{"Exponent", "1.5e2", 150},
                    LeadingCase{"UpperCaseExponent", "1E2", 100}, LeadingCase{"SignedExponent", "25E-1", 2.5},
                    LeadingCase{"NegativeExponent", "-1e9", -1e9}, LeadingCase{"HugeExponent", "1e40", 1e40},
                    LeadingCase{"ExponentWithoutDigits", "3e", 3}, LeadingCase{"ExponentThenLetter", "4ex", 4},
                    LeadingCase{"BlanksInsideNumber", "1 2 3", 123}, LeadingCase{"SignOnly", "-", 0},
                    LeadingCase{"TwoPoints", "1.2.3", 1.2}, LeadingCase{"HandleAfterColon", ":123", 0},
                    LeadingCase{"BlanksAfterSign", "- 3", -3}, LeadingCase{"BlanksAfterPlus", "+\t 4", 4},
                    LeadingCase{"PlusExponent", "1e+1", 10}, LeadingCase{"BlanksInExponent", "2e + 1", 20},
                    LeadingCase{"PlusExponentWithoutDigits", "6e+", 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(11.7), 12);
    EXPECT_EQ(RoundHalfEven(-11.7), -12);
    EXPECT_EQ(RoundHalfEven(2.4999999), 2);
}

TEST(ToInt, RoundsIntoTheWidthOrRaisesOverflow) {
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768.5), -32768);  // rounds to the even -32768, still fits
    EXPECT_THROW(ToInt16(32767.5), RuntimeError);
    EXPECT_THROW(ToInt16(-32769), RuntimeError);
    EXPECT_THROW(ToInt16(1e40), RuntimeError);
    EXPECT_THROW(ToInt16(std::nan("")), RuntimeError);
    EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
    EXPECT_THROW(ToInt32(2147483647.5), RuntimeError);
    EXPECT_THROW(ToInt32(HUGE_VAL), RuntimeError);
    try {
        ToInt16(40000);
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.ErrorNumber(), RuntimeError::kOverflow);
        EXPECT_EQ(e.Description(), "Overflow");
    }
}

TEST(ParseStoredInt16, AcceptsOnlyAWholeNumberThatFits) {
    EXPECT_EQ(ParseStoredInt16("20"), 20);
    EXPECT_EQ(ParseStoredInt16("7.5"), 8);
    EXPECT_EQ(ParseStoredInt16("6.5"), 6);
    EXPECT_EQ(ParseStoredInt16(" 5 "), 5);
    EXPECT_EQ(ParseStoredInt16("-3"), -3);
    EXPECT_EQ(ParseStoredInt16("1e1"), 10);
    EXPECT_EQ(ParseStoredInt16("1E2"), 100);
    EXPECT_EQ(ParseStoredInt16("5e"), std::nullopt);  // an exponent without digits is no whole number
    EXPECT_EQ(ParseStoredInt16("5e+"), std::nullopt);
    EXPECT_EQ(ParseStoredInt16(""), std::nullopt);
    EXPECT_EQ(ParseStoredInt16("abc"), std::nullopt);
    EXPECT_EQ(ParseStoredInt16("12abc"), std::nullopt);
    EXPECT_EQ(ParseStoredInt16("99999"), std::nullopt);
    EXPECT_EQ(ParseStoredInt16("1e400"), std::nullopt);
}

TEST(CheckedArithmetic, RaisesOverflowAtTheWidthLimits) {
    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_THROW(Add16(32767, 1), RuntimeError);
    EXPECT_THROW(Sub16(-32768, 1), RuntimeError);
    EXPECT_THROW(Mul16(200, 200), RuntimeError);
    EXPECT_EQ(Mul16(-128, 256), -32768);
    EXPECT_EQ(Add32(2147483646, 1), 2147483647);
    EXPECT_THROW(Add32(2147483647, 1), RuntimeError);
    EXPECT_THROW(Sub32(-2147483647 - 1, 1), RuntimeError);
    EXPECT_THROW(Mul32(1920, 2000000), RuntimeError);
    EXPECT_EQ(Mul32(1920, 100), 192000);
    EXPECT_EQ(Abs32(-5), 5);
    EXPECT_THROW(Abs32(-2147483647 - 1), RuntimeError);
    EXPECT_THROW(Add32(int64_t{1} << 40, 0), RuntimeError);  // operands must be 32-bit values too
}

TEST(At, RaisesSubscriptOutOfRange) {
    std::vector<int> v(3);
    EXPECT_NO_THROW(At(v, 2));
    EXPECT_THROW(At(v, 3), RuntimeError);
    EXPECT_THROW(At(v, -1), RuntimeError);
}

}  // namespace
}  // namespace platform
