// The dialog's rules without its window: how a count box is corrected when it loses the
// focus, which count OK then stores (for any number, typed in any width), where the dialog
// opens, and the version label.
#include "settings/config_rules.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <string>
#include <vector>

#include "support/properties.h"

namespace settings {
namespace {

struct CountCase {
    const char* name;
    const char* typed;
    const char* shown;  // the box's text after the correction
    int16_t stored;     // what OK stores from that text
};

class CountBoxTest : public testing::TestWithParam<CountCase> {};

TEST_P(CountBoxTest, CorrectsTheTextAndStoresItsNumber) {
    const CountCase& c = GetParam();
    std::string shown = ClampCountText(c.typed);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(CountFromText(shown), c.stored);
    // A second correction (OK after the box lost the focus) changes nothing.
    EXPECT_EQ(ClampCountText(shown), shown);
}

INSTANTIATE_TEST_SUITE_P(
    TypedTexts, CountBoxTest,
    testing::Values(
        // No number at all, or full-width digits the dialog did not fold: "2". (Any number
        // typed in either width, with blanks around it and letters after it, beyond 16 bits
        // too: CountBox below; how an exponent reads: LeadingNumber's test.)
        CountCase{"Empty", "", "2", 2}, CountCase{"Letters", "abc", "2", 2}, CountCase{"BlanksOnly", "   ", "2", 2},
        CountCase{"FullWidthDigits", "１５", "2", 2},
        // An exponent is left exactly as typed unless it takes the number out of the sizes.
        CountCase{"UpperCaseExponentAbove", "2E1", "15", 15}, CountCase{"Exponent", "1e1", "1e1", 10},
        // Blanks inside the number stay.
        CountCase{"BlankInside", "1 2", "1 2", 12},
        // Numbers no double can hold are corrected like any other out-of-range number.
        CountCase{"BeyondDouble", "1e999", "15", 15}, CountCase{"HugeNegativeExponent", "-1e999", "2", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FoldFullWidthNumber, ReadsWhatAnInputMethodTypesAsAscii) {
    struct Case {
        std::string_view typed;
        const char* folded;
        int16_t stored;  // through the dialog's reading: fold, correct, count
    } cases[] = {
        // Each digit, the minus and the full stop fold: CountBox below. Neighbours of the
        // folded range stay: ／ (U+FF0F), ： (U+FF1A), ， (U+FF0C), ｅ, and 、 (U+3001)
        // beside the ideographic space.
        {"／", "／", 2}, {"：", "：", 2}, {"，", "，", 2}, {"８ｅ", "8ｅ", 8}, {"、", "、", 2},
        // Broken UTF-8 passes through untouched, also a lead cut off at the end even where a
        // digit's last byte follows it in memory.
        {std::string_view("\xef\xbc\x91", 2), "\xef\xbc", 2}, {"5\xef", "5\xef", 5}, {"\xef\xbc\x91", "1", 2},
    };
    for (const Case& c : cases) {
        std::string folded = FoldFullWidthNumber(c.typed);
        EXPECT_EQ(folded, c.folded) << c.typed;
        EXPECT_EQ(CountFromText(ClampCountText(folded)), c.stored) << c.typed;
    }
}

TEST(PlaceOverOwner, CentresOnTheOwnerWithinTheWorkArea) {
    const platform::Rect area{0, 0, 1024, 738};  // a 1024 x 768 monitor above a 30-pixel task bar
    struct Case {
        platform::Rect owner;
        int x, y;  // where a 286 x 237 dialog opens
    } cases[] = {
        {{300, 200, 420, 360}, 367, 261},     // centred; an odd pixel left over goes below
        {{300, 200, 421, 361}, 367, 262},     // and right
        {{-100, 560, 300, 200}, 0, 501},      // pushed right onto the area, and up to its bottom
        {{900, -50, 300, 100}, 738, 0},       // pushed left to the right edge, and down
        {{1024, 0, 800, 600}, 738, 181},      // an owner off the area (another monitor's)
        {{-2147483647, 2147483600, 2147483647, 2147483647}, 0, 501},  // junk without overflow
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOverOwner(c.owner, 286, 237, area), (platform::Rect{c.x, c.y, 286, 237})) << c.owner.left;
    // Larger than the area: its top-left corner, where the caption is.
    EXPECT_EQ(PlaceOverOwner({0, 0, 100, 100}, 700, 500, {10, 20, 600, 400}), (platform::Rect{10, 20, 700, 500}));
}

TEST(PlaceDialog, OverAKnownOwnerElseCentredOnTheScreen) {
    const OwnerPlace owner{{300, 200, 420, 360}, {0, 0, 1024, 738}};
    EXPECT_EQ(PlaceDialog(286, 237, 1024, 768, owner), PlaceOverOwner(owner.window, 286, 237, owner.workArea));
    EXPECT_EQ(PlaceDialog(286, 237, 1024, 768, std::nullopt), (platform::Rect{369, 265, 286, 237}));
    EXPECT_EQ(PlaceDialog(287, 238, 1024, 768, std::nullopt), (platform::Rect{368, 265, 287, 238}));
    // Larger than the screen: the overhang is shared, the corner goes off the top-left.
    EXPECT_EQ(PlaceDialog(1031, 775, 1024, 768, std::nullopt), (platform::Rect{-3, -3, 1031, 775}));
}

TEST(StepCount, StepsFromTheNumberTheBoxShowsWithinTheFleetSizes) {
    struct Case {
        const char* shown;
        int delta;
        int16_t count;
    } cases[] = {// One step either way from any number typed in any width: CountBox below.
                 {"", 1, 3}, {"9", 0, 9}, {"9", 6, 15}, {"9", -7, 2}, {"9", 2147483647, 15}, {"9", -2147483647 - 1, 2}};
    for (const Case& c : cases) EXPECT_EQ(StepCount(c.shown, c.delta), c.count) << c.shown << " " << c.delta;
}

struct VersionCase {
    const char* name;
    int major, minor, revision;
    const char* label;
};

class VersionLabelTest : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionLabelTest, ShowsLetterAndHundredsOnlyAbove999) {
    const VersionCase& c = GetParam();
    // As the dialog asks for it, from the program's version resource.
    EXPECT_EQ(FormatVersionLabel(platform::VersionNumbers{int16_t(c.major), int16_t(c.minor), int16_t(c.revision)}),
              c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionLabelTest,
    testing::Values(VersionCase{"ThisProgram", 1, 0, 0, "ver.1.00"}, VersionCase{"Revision999", 1, 0, 999, "ver.1.00"},
                    VersionCase{"FirstThousand", 1, 0, 1000, "ver.1.00a"},
                    VersionCase{"FirstThousandTensHidden", 1, 0, 1099, "ver.1.00a"},
                    VersionCase{"FirstHundredShown", 1, 0, 1100, "ver.1.00a1"},
                    VersionCase{"SecondThousandHundreds", 1, 0, 2300, "ver.1.00b3"},
                    VersionCase{"LastOfAThousand", 1, 0, 2999, "ver.1.00b9"},
                    VersionCase{"LastLetter", 1, 0, 26900, "ver.1.00z9"},
                    VersionCase{"LastOneByteLetter", 1, 0, 31000, "ver.1.00\x7f"},
                    VersionCase{"TwoDigitMinor", 2, 5, 0, "ver.2.05"},
                    VersionCase{"MinorNine", 1, 9, 0, "ver.1.09"},
                    VersionCase{"MinorTen", 1, 10, 0, "ver.1.10"},
                    VersionCase{"MinorNeverCut", 1, 123, 0, "ver.1.123"},
                    VersionCase{"PastZStaysText", 1, 0, 32767, "ver.1.00\xc2\x80" "7"}),
    [](const auto& info) { return std::string(info.param.name); });

// Any number of quarters typed as an input method may type it: each character in ASCII or
// full width, ideographic or ASCII blanks around, and anything after it; the box stores the
// number rounded halves-to-even and kept within the fleet sizes, and its correction shows
// the same count.
RC_GTEST_PROP(CountBox, AnyNumberInAnyWidthStoresItsRoundedCountWithinTheFleetSizes, ()) {
    // Mostly near the fleet sizes, where rounding and every folded character count.
    const int64_t quarters = *rc::gen::weightedOneOf<int64_t>(
        {{1, support::Uniform<int64_t>(-200000, 200000)}, {4, support::Uniform<int64_t>(-20, 80)}});
    const char* fractions[] = {"", ".25", ".5", ".75"};
    const int64_t magnitude = quarters < 0 ? -quarters : quarters;
    const std::string ascii = (quarters < 0 ? "-" : "") + std::to_string(magnitude / 4) + fractions[magnitude % 4];
    const auto blank = rc::gen::element<std::string>(" ", "\t", "\xe3\x80\x80");
    std::string typed;
    for (const std::string& b : *rc::gen::resize(3, rc::gen::container<std::vector<std::string>>(blank))) typed += b;
    for (const char c : ascii) {
        const bool wide = *rc::gen::arbitrary<bool>();
        if (!wide) typed += c;
        else if (c == '-') typed += "\xef\xbc\x8d";
        else if (c == '.') typed += "\xef\xbc\x8e";
        else typed += std::string("\xef\xbc") + char(0x90 + (c - '0'));
    }
    for (const std::string& b : *rc::gen::resize(3, rc::gen::container<std::vector<std::string>>(blank))) typed += b;
    typed += *rc::gen::element<std::string>("", std::string(1, '\0'), "x", "\xef\xbc\x8f", "\xef\xbd\x85");
    const int64_t count = std::clamp<int64_t>(support::NearestHalfEven(quarters), kMinCount, kMaxCount);
    const std::string folded = FoldFullWidthNumber(typed);
    RC_ASSERT(CountFromText(folded) == count);
    // Shown as typed but for the blanks around it, unless it rounds outside the sizes; a
    // second correction changes nothing.
    const size_t first = folded.find_first_not_of(" \t"), last = folded.find_last_not_of(" \t");
    const int64_t rounded = support::NearestHalfEven(quarters);
    const std::string shown = ClampCountText(folded);
    RC_ASSERT(shown == (rounded < kMinCount   ? "2"
                        : rounded > kMaxCount ? "15"
                                              : folded.substr(first, last - first + 1)));
    RC_ASSERT(ClampCountText(shown) == shown);
    RC_ASSERT(CountFromText(shown) == count);
    for (const int delta : {-1, 1})
        RC_ASSERT(StepCount(folded, delta) == std::clamp<int64_t>(count + delta, kMinCount, kMaxCount));
}

// Where the dialog opens moves with its owner and work area and swaps with the axes; inside
// the area wherever it fits, at its top-left corner where it does not.
RC_GTEST_PROP(PlaceOverOwner, ShiftsWithTheDesktopSwapsWithItsAxesAndKeepsInsideTheArea, ()) {
    const platform::Rect owner = *support::GenRect(40, 0, 60), area = *support::GenRect(40, 1, 60);
    const int width = *support::Uniform(1, 70), height = *support::Uniform(1, 70);
    const platform::Rect at = PlaceOverOwner(owner, width, height, area);
    RC_ASSERT((at.width == width && at.height == height));
    RC_ASSERT(at.left == (width > area.width ? area.left : std::clamp(at.left, area.left, area.left + area.width - width)));
    RC_ASSERT(at.top == (height > area.height ? area.top : std::clamp(at.top, area.top, area.top + area.height - height)));
    const int32_t dx = *support::GenShift(), dy = *support::GenShift();
    RC_ASSERT((PlaceOverOwner(support::Shifted(owner, dx, dy), width, height, support::Shifted(area, dx, dy)) ==
               support::Shifted(at, dx, dy)));
    RC_ASSERT((PlaceOverOwner(support::Transposed(owner), height, width, support::Transposed(area)) ==
               support::Transposed(at)));
}

}  // namespace
}  // namespace settings
