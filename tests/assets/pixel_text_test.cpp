// The pixel-text reader: what a drawing may contain, and the slips in an edited drawing that
// must stop the build's tests instead of shifting pixels.
#include <gtest/gtest.h>

#include <string>

#include "assets/pixel_text.h"

namespace {

using assets::ParsePixelText;
using assets::Rgb;

TEST(PixelText, ReadsLegendAndRows) {
    const std::string text =
        "# two by three\r\n"
        "colour . 255 255 255  white, see-through\r\n"
        "\r\n"
        "colour # 0 0 0\r\n"
        "colour R 255 0 0 flag\r\n"
        "pixels 2 3\r\n"
        ".#\r\n"
        "R.\r\n"
        "##\r\n"
        "\r\n";
    const assets::Picture image = ParsePixelText(text, "tiny");
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 3);
    EXPECT_EQ(image.At(0, 0), Rgb(255, 255, 255));
    EXPECT_EQ(image.At(1, 0), Rgb(0, 0, 0));
    EXPECT_EQ(image.At(0, 1), Rgb(255, 0, 0));
    EXPECT_EQ(image.At(1, 2), Rgb(0, 0, 0));
}

struct Slip {
    const char* what;
    const char* text;
};

class PixelTextSlip : public testing::TestWithParam<Slip> {};

TEST_P(PixelTextSlip, IsRejected) {
    EXPECT_THROW(ParsePixelText(GetParam().text, GetParam().what), assets::PixelTextError);
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, PixelTextSlip,
    testing::Values(Slip{"short_row", "colour . 1 2 3\npixels 3 2\n...\n..\n"},
                    Slip{"long_row", "colour . 1 2 3\npixels 3 2\n...\n....\n"},
                    Slip{"missing_row", "colour . 1 2 3\npixels 3 2\n...\n"},
                    Slip{"extra_row", "colour . 1 2 3\npixels 3 1\n...\n...\n"},
                    Slip{"unknown_character", "colour . 1 2 3\npixels 3 1\n.x.\n"},
                    Slip{"character_defined_twice",
                         "colour . 1 2 3\ncolour . 4 5 6\npixels 1 1\n.\n"},
                    Slip{"value_above_255", "colour . 1 2 256\npixels 1 1\n.\n"},
                    Slip{"missing_value", "colour . 1 2\npixels 1 1\n.\n"},
                    Slip{"no_pixels_line", "colour . 1 2 3\n"},
                    Slip{"unknown_keyword", "color . 1 2 3\npixels 1 1\n.\n"}),
    [](const testing::TestParamInfo<Slip>& info) { return std::string(info.param.what); });

TEST(PixelText, ErrorNamesTheDrawingLineAndWord) {
    const struct {
        const char* text;
        const char* named;
    } cases[] = {{"colour . 1 2 3\npixels 2 2\n..\n.\n", "ship_side line 4"},
                 {"colour . 1 2 3\ncolor , 4 5 6\n", "ship_side line 2: unknown keyword 'color'"},
                 {"colour . 1 2 3\npixels 3 1\n.x.\n", "ship_side line 3: character 'x' is not in the legend"},
                 {"colour . 1 2 3\npixels 0 1\n\n", "ship_side line 2: expected 'pixels"},
                 {"colour . 1 2 3\npixels 1 0\n", "ship_side line 2: expected 'pixels"}};
    for (const auto& c : cases) {
        try {
            ParsePixelText(c.text, "ship_side");
            ADD_FAILURE() << c.text << " accepted";
        } catch (const assets::PixelTextError& e) {
            EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
        }
    }
}

}  // namespace
