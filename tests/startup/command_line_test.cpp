// How the host's command line selects the mode and names the preview's host window.
#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace startup {
namespace {

struct SwitchCase {
    const char* name;
    const char* argumentText;
    Mode mode;
};

class DecideModeTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(DecideModeTest, FollowsTheDecisionTable) { EXPECT_EQ(DecideMode(GetParam().argumentText), GetParam().mode); }

INSTANTIATE_TEST_SUITE_P(
    Switches, DecideModeTest,
    testing::Values(SwitchCase{"Empty", "", Mode::kConfig}, SwitchCase{"SaverLower", "/s", Mode::kSaver},
                    SwitchCase{"SaverUpper", "/S", Mode::kSaver}, SwitchCase{"SaverWithNumber", "/s 1234", Mode::kSaver},
                    SwitchCase{"SaverWithLetter", "/sx", Mode::kSaver}, SwitchCase{"ConfigLower", "/c", Mode::kConfig},
                    SwitchCase{"ConfigUpper", "/C", Mode::kConfig},
                    SwitchCase{"ConfigWithHostHandle", "/c:1234", Mode::kConfig},
                    SwitchCase{"PreviewLower", "/p 1234", Mode::kPreview},
                    SwitchCase{"PreviewUpper", "/P 1234", Mode::kPreview},
                    SwitchCase{"PreviewBare", "/p", Mode::kPreview}, SwitchCase{"OtherLetter", "/x", Mode::kNone},
                    SwitchCase{"Hyphen", "-s", Mode::kNone}, SwitchCase{"BareLetter", "s", Mode::kNone},
                    SwitchCase{"SlashOnly", "/", Mode::kNone}, SwitchCase{"LeadingBlank", " /s", Mode::kNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArgumentText, DropsTheProgramPathAndTheBlanksAfterIt) {
    EXPECT_EQ(ArgumentText(R"("C:\Windows\Brackmer Saver.scr" /s)"), "/s");
    EXPECT_EQ(ArgumentText(R"(C:\BrackmerSaver.scr /p 1234)"), "/p 1234");
    EXPECT_EQ(ArgumentText(R"("C:\x.scr"   /c:99)"), "/c:99");
    EXPECT_EQ(ArgumentText(R"("C:\x.scr")"), "");
    EXPECT_EQ(ArgumentText(R"(x.scr)"), "");
    EXPECT_EQ(ArgumentText(R"("C:\x.scr"/S)"), "/S");
    EXPECT_EQ(ArgumentText(R"("unterminated)"), "");
}

TEST(ConfigOwnerHandle, ReadsOneUnsignedDecimalAfterTheSwitchOrNone) {
    struct Case {
        const char* argumentText;
        std::optional<uint32_t> handle;
    } cases[] = {
        {"/c:1234", 1234u}, {"/c 1234", 1234u}, {"-c:1234", 1234u}, {"/c: 77 ", 77u},
        {"/c:1", 1u}, {"/c:4294967295", 4294967295u}, {"/c:4294967296", std::nullopt},
        {"/c:99999999999999999999", std::nullopt}, {"/c", std::nullopt}, {"", std::nullopt},
        {"/c:", std::nullopt}, {"/c:0", std::nullopt}, {"/c:abc", std::nullopt}, {"/c:12ab", std::nullopt},
        {"/c:-5", std::nullopt}, {"/c:+5", std::nullopt}, {"/c::5", std::nullopt}, {"/c:1 2", std::nullopt},
        {"/c:0x10", std::nullopt}, {"/c:1.5", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ConfigOwnerHandle(c.argumentText), c.handle) << c.argumentText;
}

TEST(PreviewHandle, ReadsTheNumberAfterTheLetterPAndNoneWhereItNamesNoWindow) {
    struct Case {
        const char* argumentText;
        std::optional<uint32_t> handle;
    } cases[] = {
        {"/p 1234", 1234u}, {"/P 1234", 1234u}, {"/p 12.5", 12u}, {"/p 13.5", 14u},  // halves to even
        {"/p 0.5", std::nullopt}, {"/p 0.51", 1u}, {"/p", std::nullopt}, {"/p junk", std::nullopt},
        {"/p 0", std::nullopt}, {"/p -0", std::nullopt}, {"/p  ", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(PreviewHandle(c.argumentText), c.handle) << c.argumentText;
}

TEST(PreviewHandle, TakesUnsignedHandlesAndRejectsWhatExceeds32Bits) {
    EXPECT_EQ(PreviewHandle("/p 2147483647"), 2147483647u);
    EXPECT_EQ(PreviewHandle("/p 2147483648"), 2147483648u);
    EXPECT_EQ(PreviewHandle("/p 4294967295"), 4294967295u);
    EXPECT_EQ(PreviewHandle("/p -1"), 4294967295u);
    EXPECT_EQ(PreviewHandle("/p -2147483648"), 2147483648u);
    EXPECT_EQ(PreviewHandle("/p 4294967296"), std::nullopt);
    EXPECT_EQ(PreviewHandle("/p 1e40"), std::nullopt);
    EXPECT_EQ(PreviewHandle("/p -2147483649"), std::nullopt);
}

}  // namespace
}  // namespace startup
