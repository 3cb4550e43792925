// Number reading, halves-to-even rounding and the overflow rule of the fixed widths.
#include "platform/numbers.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <climits>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime_error.h"
#include "support/properties.h"

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
                    LeadingCase{"BareFraction", ".5", 0.5},
                    LeadingCase{"PlusSign", "+12", 12}, LeadingCase{"Exponent", "1.5e2", 150},
                    LeadingCase{"UpperCaseExponent", "1E2", 100}, LeadingCase{"SignedExponent", "25E-1", 2.5},
                    LeadingCase{"HugeExponent", "1e40", 1e40},
                    LeadingCase{"ExponentWithoutDigits", "3e", 3}, LeadingCase{"ExponentThenLetter", "4ex", 4},
                    LeadingCase{"SignOnly", "-", 0},
                    LeadingCase{"TwoPoints", "1.2.3", 1.2}, LeadingCase{"HandleAfterColon", ":123", 0},
                    LeadingCase{"BlanksAfterPlus", "+\t 4", 4},
                    LeadingCase{"PlusExponent", "1e+1", 10}, LeadingCase{"BlanksInExponent", "2e + 1", 20},
                    LeadingCase{"PlusExponentWithoutDigits", "6e+", 6}),
    [](const auto& info) { return std::string(info.param.name); });

// Halves, either sign: NumberReading below, over every quarter.
TEST(RoundHalfEven, NonHalvesGoToTheNearest) {
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
    EXPECT_EQ(ParseStoredInt16("1e1"), 10);
    EXPECT_EQ(ParseStoredInt16("5e"), std::nullopt);  // an exponent without digits is no whole number
    EXPECT_EQ(ParseStoredInt16(""), std::nullopt);
    EXPECT_EQ(ParseStoredInt16("abc"), std::nullopt);
    EXPECT_EQ(ParseStoredInt16("1e400"), std::nullopt);
}

// Any operands, each paired with every limit too: the exact result where it fits the width,
// the Overflow error where it (or a 32-bit operation's operand) does not.
void CheckArithmetic(int64_t a, int64_t b) {
    const auto fits32 = [](int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
    const auto fits16 = [](int64_t v) { return v >= -32768 && v <= 32767; };
    const auto when = [](bool fits, int64_t v) { return fits ? std::optional<int64_t>(v) : std::nullopt; };
    const auto expect = [](auto op, std::optional<int64_t> exact) {
        try {
            const int64_t got = op();
            RC_ASSERT(exact == std::optional<int64_t>(got));
        } catch (const RuntimeError& e) {
            RC_ASSERT(!exact);
            RC_ASSERT(e.ErrorNumber() == RuntimeError::kOverflow);
        }
    };
    const bool operands32 = fits32(a) && fits32(b);
    expect([&] { return Add32(a, b); }, when(operands32 && fits32(a + b), a + b));
    expect([&] { return Sub32(a, b); }, when(operands32 && fits32(a - b), a - b));
    expect([&] { return Mul32(a, b); }, when(operands32 && fits32(a * b), a * b));
    if (!operands32) return;
    expect([&] { return Add16(int32_t(a), int32_t(b)); }, when(fits16(a + b), a + b));
    expect([&] { return Sub16(int32_t(a), int32_t(b)); }, when(fits16(a - b), a - b));
    expect([&] { return Mul16(int32_t(a), int32_t(b)); }, when(fits16(a * b), a * b));
    expect([&] { return Abs32(int32_t(a)); }, when(fits32(a < 0 ? -a : a), a < 0 ? -a : a));
}

RC_GTEST_PROP(CheckedArithmetic, GivesTheExactResultOrOverflow, ()) {
    const std::vector<int64_t> limits = {INT32_MIN, INT32_MIN + 1, -32769, -32768, -1, 0, 1, 32767, 32768,
                                         INT32_MAX - 1, INT32_MAX, int64_t{INT32_MAX} + 1, int64_t{INT32_MIN} - 1};
    const auto operand = rc::gen::oneOf(support::Uniform<int64_t>(INT32_MIN, INT32_MAX), support::Uniform<int64_t>(-400, 400));
    std::vector<int64_t> as = limits, bs = limits;
    as.push_back(*operand);
    bs.push_back(*operand);
    for (const int64_t a : as)
        for (const int64_t b : bs) CheckArithmetic(a, b);
}

TEST(At, RaisesSubscriptOutOfRange) {
    std::vector<int> v(3);
    EXPECT_NO_THROW(At(v, 2));
    EXPECT_THROW(At(v, 3), RuntimeError);
    EXPECT_THROW(At(v, -1), RuntimeError);
}

// A number of quarters, k / 4, as decimal text with blanks (space, tab, CR, LF) anywhere
// around and inside it, the way a hand edit or another program may have stored it.
struct WrittenNumber {
    int64_t quarters;
    std::string text;
};

rc::Gen<std::string> GenBlanks() {
    return rc::gen::resize(4, rc::gen::container<std::string>(rc::gen::element(' ', '\t', '\r', '\n')));
}

rc::Gen<WrittenNumber> GenWrittenNumber() {
    return rc::gen::mapcat(support::Uniform<int64_t>(-160000, 160000), [](int64_t k) {
        const int64_t whole = (k < 0 ? -k : k) / 4;
        const char* fractions[] = {"", ".25", ".5", ".75"};
        const std::string digits = std::to_string(whole) + fractions[(k < 0 ? -k : k) % 4];
        return rc::gen::apply(
            [k, digits](std::vector<std::string> blanks) {
                std::string text = blanks[0] + (k < 0 ? "-" : "") + blanks[1];
                for (size_t i = 0; i < digits.size(); ++i) text += digits[i] + (i + 2 < blanks.size() ? blanks[i + 2] : "");
                return WrittenNumber{k, text};
            },
            rc::gen::container<std::vector<std::string>>(digits.size() + 2, GenBlanks()));
    });
}

RC_GTEST_PROP(NumberReading, AStoredNumberReadsTheSameUnderAnyBlanks, ()) {
    const WrittenNumber n = *GenWrittenNumber();
    const std::string text = n.text + *GenBlanks();
    const int64_t rounded = support::NearestHalfEven(n.quarters);
    const std::optional<int16_t> read = ParseStoredInt16(text);
    RC_ASSERT(read == (rounded >= -32768 && rounded <= 32767 ? std::optional<int16_t>(int16_t(rounded)) : std::nullopt));
    RC_ASSERT(LeadingNumber(text) == double(n.quarters) / 4);
    // Whatever follows that cannot continue the number (NUL, a letter, a full-width digit)
    // ends the leading number there, and leaves no stored whole number.
    const std::string after = *rc::gen::element<std::string>(std::string(1, '\0'), "x", ":", "\xEF\xBC\x91", ",5");
    const std::string junk = text + after + *rc::gen::container<std::string>(rc::gen::arbitrary<char>());
    RC_ASSERT(LeadingNumber(junk) == double(n.quarters) / 4);
    RC_ASSERT(!ParseStoredInt16(junk));
}

}  // namespace
}  // namespace platform
