// Frame composition: the picture numbers, the exact display calls of a frame (what those
// calls show is the displays' own tests), and the window's stand-in colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/frame_composer.h"
#include "battle_test_support.h"
#include "graphics/soft_display.h"
#include "platform/runtime_error.h"

namespace battle {
namespace {

using graphics::PixelValue;
using testing::MakeBattle;
using testing::Put;

struct PictureCase {
    const char* name;
    int16_t side, dir, flash;
    int16_t picture;
};

class Pictures : public ::testing::TestWithParam<PictureCase> {};

TEST_P(Pictures, NumberBySideHeadingAndFlash) {
    const PictureCase& c = GetParam();
    StatRec s;
    s.side = c.side;
    s.dir = c.dir;
    s.flash = c.flash;
    EXPECT_EQ(PictureNumber(s), c.picture);
}

INSTANTIATE_TEST_SUITE_P(PictureNumber, Pictures,
                         ::testing::Values(PictureCase{"RedRightPlain", 0, kRight, 0, 1},
                                           PictureCase{"RedRightFiring", 0, kRight, -1, 2},
                                           PictureCase{"RedDown", 0, kDown, 0, 3},
                                           PictureCase{"RedLeftFiring", 0, kLeft, -1, 6},
                                           PictureCase{"RedUp", 0, kUp, 0, 7},
                                           PictureCase{"BlueRight", 1, kRight, 0, 9},
                                           PictureCase{"BlueDownFiring", 1, kDown, -1, 12},
                                           PictureCase{"BlueUpFiring", 1, kUp, -1, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureNumber, OutsideTheSixteenPicturesIsASubscriptError) {
    for (StatRec s : {StatRec{.side = 2}, StatRec{.side = -1}, StatRec{.side = 1, .dir = 4}, StatRec{.side = 1, .dir = -5},
                      StatRec{.side = 20000}}) {
        try {
            PictureNumber(s);
            ADD_FAILURE() << "side " << s.side << " dir " << s.dir;
        } catch (const platform::RuntimeError& e) {
            EXPECT_TRUE(e.ErrorNumber() == platform::RuntimeError::kSubscriptOutOfRange ||
                        e.ErrorNumber() == platform::RuntimeError::kOverflow);
        }
    }
}

// Writes down every call as text, so a frame's calls compare in one expectation.
class RecordingDisplay final : public graphics::FrameDisplay {
public:
    std::vector<std::string> calls;
    PixelValue SurfacePixel(uint32_t c) override { return c; }
    void SetSurface(int, const platform::Picture&) override {}
    int32_t FillBackBuffer(PixelValue v) override {
        calls.push_back("fill " + std::to_string(v));
        return 0;
    }
    int32_t BltToBackBuffer(int s, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh, int32_t sx,
                            int32_t sy, int32_t sw, int32_t sh, bool key) override {
        std::string c = "blt " + std::to_string(s);
        for (int32_t v : {x, y, w, h, dw, dh, sx, sy, sw, sh}) c += " " + std::to_string(v);
        calls.push_back(c + (key ? " key" : " nokey"));
        return 0;
    }
    void Flip() override { calls.push_back("flip"); }
};

TEST(ComposeFrame, DrawsTheBackgroundThenVisibleShipsInOrderThenFlips) {
    Battle b = MakeBattle(2, 2);
    b.background = BackgroundSource::kWallpaper;
    Put(b, 1, 10, 20);                   // red, right, plain
    Put(b, 2, 30, 40, kPlacing);          // not drawn
    Put(b, 3, 50, 60, kExploding);        // blue, left: its picture, then the explosion
    b.shipStat[3].dir = kLeft;
    Put(b, 4, 70, 80, kFiring, 1);        // blue, up, flash; hit but not yet exploding
    b.shipStat[4].dir = kUp;
    b.shipStat[4].flash = -1;
    b.shipStat[4].hit = -1;
    RecordingDisplay d;
    ComposeFrame(b, d);
    EXPECT_EQ(d.calls, (std::vector<std::string>{
                           "blt 0 0 0 800 600 800 600 0 0 800 600 nokey",
                           "blt 1 10 20 117 44 800 600 0 0 117 44 key",
                           "blt 13 50 60 117 44 800 600 0 0 117 44 key",
                           "blt 17 50 60 117 44 800 600 0 0 117 44 key",
                           "blt 16 70 80 117 44 800 600 0 0 117 44 key",
                           "flip",
                       }));
}

TEST(ComposeFrame, EitherDesktopSourceBlitsThePictureAndTheFillsFillWithTheSeaColour) {
    using Source = BackgroundSource;
    for (Source source : {Source::kSnapshot, Source::kWallpaper, Source::kSea, Source::kBlack}) {
        Battle b = MakeBattle(1, 1);
        b.background = source;
        b.seaColor = 0xAA;
        RecordingDisplay d;
        ComposeFrame(b, d);
        EXPECT_EQ(d.calls.front(), ShowsDesktop(source) ? "blt 0 0 0 800 600 800 600 0 0 800 600 nokey" : "fill 170")
            << int(source);
        EXPECT_EQ(d.calls.back(), "flip");
    }
}

}  // namespace
}  // namespace battle
