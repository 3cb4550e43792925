// The start-up plan: which screens run with which rectangle, sprite scale, cell and
// background, for one monitor, monitors at different DPIs, a primary whose own DPI differs
// from the system's, a secure desktop and junk settings; which picture a screen starts from;
// and a screen set up from its entry, whose first frame matches the window's stand-in paint.
#include "battle/startup_plan.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <string>
#include <vector>

#include "battle/frame_composer.h"
#include "graphics/soft_display.h"
#include "support/properties.h"

namespace battle {
namespace {

using Source = BackgroundSource;
constexpr uint32_t kNoFill = 0;

struct Expected {
    platform::Rect rect;
    int scale;
    int32_t cellWidth, cellHeight;  // of the battle set up from the entry
};

struct PlanCase {
    const char* name;
    int16_t background;
    bool onUserDesktop;
    int systemDpi;
    std::vector<MonitorInfo> monitors;
    Source source;
    uint32_t fill;
    std::vector<Expected> screens;
};

class Plan : public ::testing::TestWithParam<PlanCase> {};

TEST_P(Plan, ScreensTakeTheirOwnScaleAndTheSystemsTwips) {
    const PlanCase& c = GetParam();
    StartupFacts facts;
    facts.settings = {5, 5, settings::BackgroundMode{c.background}};
    facts.monitors = c.monitors;
    facts.screenWidth = 1024;
    facts.screenHeight = 768;
    facts.system = platform::ScreenTwipsFor(c.systemDpi, c.systemDpi);
    facts.onUserDesktop = c.onUserDesktop;
    const std::vector<ScreenPlan> plan = PlanScreens(facts);
    ASSERT_EQ(plan.size(), c.screens.size());
    for (size_t i = 0; i < plan.size(); ++i) {
        SCOPED_TRACE(i);
        const Expected& e = c.screens[i];
        EXPECT_EQ(plan[i].rect, e.rect);
        EXPECT_EQ(plan[i].spriteScale, e.scale);
        EXPECT_EQ(plan[i].background, c.source);
        EXPECT_EQ(plan[i].fillGdiColour, c.fill);
        // The cursor rule's twips are the system's on every screen.
        EXPECT_EQ(plan[i].measurements.twipsPerPixelX, facts.system.twipsPerPixelX);
        EXPECT_EQ(plan[i].measurements.twipsPerPixelY, facts.system.twipsPerPixelY);
        const Battle b = SetUpBattle(facts.settings, plan[i].measurements);
        EXPECT_EQ((std::vector<int32_t>{b.scrWidth, b.scrHeight, b.charWidth, b.charHeight}),
                  (std::vector<int32_t>{e.rect.width, e.rect.height, e.cellWidth, e.cellHeight}));
    }
}

const MonitorInfo kPrimary96{{0, 0, 1024, 768}, true, 96};
const MonitorInfo kPrimary192{{0, 0, 1024, 768}, true, 192};
const MonitorInfo kRight96{{1024, 0, 800, 600}, false, 96};
const MonitorInfo kRight192{{1024, 0, 800, 600}, false, 192};
const MonitorInfo kLeft288{{-1920, -100, 1920, 1080}, false, 288};
const Expected kPrimaryAt1{{0, 0, 1024, 768}, 1, 117, 44};
const Expected kPrimaryAt2{{0, 0, 1024, 768}, 2, 234, 88};

INSTANTIATE_TEST_SUITE_P(
    StartupPlan, Plan,
    ::testing::Values(
        PlanCase{"OneMonitorOnTheDesktop", 0, true, 96, {kPrimary96}, Source::kSnapshot, kNoFill, {kPrimaryAt1}},
        PlanCase{"TwoMonitorsAtDifferentDpis", 1, true, 96, {kLeft288, kPrimary96, kRight192}, Source::kSea, kSeaGdiColor,
                 {kPrimaryAt1, {kLeft288.rect, 3, 351, 132}, {kRight192.rect, 2, 234, 88}}},
        // The primary follows its own DPI, not the system's fixed at sign-in, either way.
        PlanCase{"System96With192DpiPrimary", 1, true, 96, {kPrimary192, kRight96}, Source::kSea, kSeaGdiColor,
                 {kPrimaryAt2, {kRight96.rect, 1, 117, 44}}},
        PlanCase{"System192With96DpiPrimary", 1, true, 192, {kPrimary96, kRight192}, Source::kSea, kSeaGdiColor,
                 {kPrimaryAt1, {kRight192.rect, 2, 234, 88}}},
        // No monitor flagged primary (the list failed): the system's DPI.
        PlanCase{"NoPrimaryListedTakesTheSystemDpi", 1, true, 192, {}, Source::kSea, kSeaGdiColor, {kPrimaryAt2}},
        // 1440 / 125 is not exact in single precision: sizes still survive the twips round trip.
        PlanCase{"OddSizesAt125Dpi", 1, true, 125, {kPrimary96, {{1024, 0, 1921, 1079}, false, 125}}, Source::kSea,
                 kSeaGdiColor, {kPrimaryAt1, {{1024, 0, 1921, 1079}, 1, 117, 44}}},
        PlanCase{"MirrorGetsNoScreen", 1, true, 96, {kPrimary96, {{0, 0, 1024, 768}, false, 96}}, Source::kSea,
                 kSeaGdiColor, {kPrimaryAt1}},
        PlanCase{"DesktopOnASecureDesktop", 0, false, 96, {kPrimary96, kRight96}, Source::kWallpaper, kNoFill,
                 {kPrimaryAt1, {kRight96.rect, 1, 117, 44}}},
        PlanCase{"JunkBackgroundIsBlack", 2, true, 96, {kPrimary96}, Source::kBlack, kNoFill, {kPrimaryAt1}}),
    [](const auto& info) { return std::string(info.param.name); });

platform::Picture Filled(const platform::Rect& r, uint32_t colour) { return platform::Picture::Filled(r.width, r.height, colour); }

TEST(BackgroundPicture, ABlankSnapshotFallsToTheWallpaperAndFillsTakeNoPicture) {
    const platform::Rect rect{0, 0, 4, 2};
    platform::Picture busy = Filled(rect, 0x111111);
    busy.At(3, 1) = 0x222222;
    const struct {
        Source source;
        platform::Picture snapshot;
        bool wallpaperLate;
        const char* calls;  // c: capture, w: wallpaper
        Background shown;
    } cases[] = {
        {Source::kSnapshot, busy, true, "c", {busy, false}},
        {Source::kSnapshot, Filled(rect, 0x111111), false, "cw", {Filled(rect, 0x333333), false}},
        {Source::kSnapshot, {}, true, "cw", {Filled(rect, 0x333333), true}},
        {Source::kWallpaper, busy, true, "w", {Filled(rect, 0x333333), true}},
        {Source::kSea, busy, true, "", {}},
        {Source::kBlack, busy, true, "", {}},
    };
    for (const auto& c : cases) {
        ScreenPlan screen;
        screen.rect = rect;
        screen.background = c.source;
        std::string calls;
        const Background shown = BackgroundPicture(
            screen, [&] { return calls += 'c', c.snapshot; },
            [&] { return calls += 'w', Background{Filled(rect, 0x333333), c.wallpaperLate}; });
        EXPECT_EQ(calls, c.calls) << int(c.source);
        EXPECT_EQ(shown.picture, c.shown.picture) << int(c.source);
        EXPECT_EQ(shown.late, c.shown.late) << int(c.source);
    }
}

// Before a display takes the screen the saver window paints the entry's fill, or the desktop
// picture: the first frame composed on the set-up screen must show exactly that.
TEST(SetUpScreen, TheFirstFrameShowsWhatTheWindowPaintedWhileItWaited) {
    for (int16_t stored : {0, 1, 2, -1, 32767}) {
        SCOPED_TRACE(stored);
        StartupFacts facts;
        facts.settings = {0, 0, settings::BackgroundMode{stored}};
        facts.screenWidth = 8;
        facts.screenHeight = 4;
        const ScreenPlan screen = PlanScreens(facts).front();
        platform::Picture desktop = Filled(screen.rect, 0x123456);
        desktop.At(7, 3) = 0x654321;
        graphics::SoftDisplay display(8, 4);
        Battle b = SetUpScreen(screen, facts.settings, desktop, assets::ArtSprites(), display);
        ComposeFrame(b, display);
        if (screen.background == Source::kSnapshot)
            EXPECT_EQ(display.FrontBuffer().pixels, desktop.pixels);
        else
            EXPECT_EQ(display.FrontBuffer().At(7, 3), graphics::SoftDisplay::ColorToSurfacePixel(screen.fillGdiColour));
    }
}

TEST(SetUpScreen, ADesktopPictureOfAnotherSizeShowsBlackAndTheSpritesAreTheGivenOnes) {
    StartupFacts facts;
    facts.settings = {1, 0, settings::kDesktop};
    facts.screenWidth = 300;
    facts.screenHeight = 100;
    facts.system = platform::ScreenTwipsFor(192, 192);
    const ScreenPlan screen = PlanScreens(facts).front();
    ASSERT_EQ(screen.spriteScale, 2);
    graphics::SoftDisplay display(300, 100);
    Battle b = SetUpScreen(screen, facts.settings, Filled({0, 0, 300, 99}, 0x123456), assets::ArtSprites(2), display);
    b.shipStat[1].mode = kSailing;
    ComposeFrame(b, display);
    EXPECT_EQ(display.FrontBuffer().At(299, 99), 0u);
    // Ship 1 at the origin, picture 1 enlarged twice: every pixel of its art that is not the
    // see-through white shows as a 2 x 2 block.
    const assets::Picture art = assets::ShipPicture(1);
    int wrong = 0, drawn = 0;
    for (int32_t y = 0; y < art.height; ++y)
        for (int32_t x = 0; x < art.width; ++x) {
            if (art.At(x, y) == assets::kWhite) continue;
            ++drawn;
            wrong += display.FrontBuffer().At(2 * x + 1, 2 * y + 1) != art.At(x, y);
        }
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(wrong, 0);
}

// Wherever the platform lists the monitors, the primary's screen is its own size at (0, 0);
// every other screen's rectangle moves with its monitor and swaps with the axes, and its measurements swap with the twips factors.
RC_GTEST_PROP(StartupPlan, OtherScreensShiftWithTheirMonitorsAndSwapWithTheAxes, ()) {
    StartupFacts facts;
    facts.monitors.push_back({{0, 0, 1024, 768}, true, *support::Uniform(96, 480)});
    const int others = *support::Uniform(0, 3);
    for (int i = 0; i < others; ++i)
        facts.monitors.push_back({*support::GenRect(3000, 1, 2000), false, *support::Uniform(96, 480)});
    facts.screenWidth = 1024;
    facts.screenHeight = 768;
    const int dpiX = *support::Uniform(96, 480), dpiY = *support::Uniform(96, 480);
    facts.system = platform::ScreenTwipsFor(dpiX, dpiY);
    const std::vector<ScreenPlan> plan = PlanScreens(facts);

    const int32_t dx = *support::GenShift(), dy = *support::GenShift();
    StartupFacts shifted = facts, swapped = facts;
    for (size_t i = 0; i < facts.monitors.size(); ++i) {
        shifted.monitors[i].rect = support::Shifted(facts.monitors[i].rect, dx, dy);
        swapped.monitors[i].rect = support::Transposed(facts.monitors[i].rect);
    }
    std::swap(swapped.screenWidth, swapped.screenHeight);
    swapped.system = platform::ScreenTwipsFor(dpiY, dpiX);
    const std::vector<ScreenPlan> moved = PlanScreens(shifted), turned = PlanScreens(swapped);
    RC_ASSERT(moved.size() == plan.size());
    RC_ASSERT(turned.size() == plan.size());
    for (size_t i = 0; i < plan.size(); ++i) {
        const Measurements& m = plan[i].measurements;
        ScreenPlan expected = plan[i];
        if (i > 0) expected.rect = support::Shifted(plan[i].rect, dx, dy);
        RC_ASSERT(moved[i] == expected);
        RC_ASSERT(turned[i].rect == support::Transposed(plan[i].rect));
        RC_ASSERT(turned[i].spriteScale == plan[i].spriteScale);
        // The cell is the art's 117 x 44 on either screen: only the screen and factors swap.
        RC_ASSERT(turned[i].measurements.screenWidthTw == m.screenHeightTw);
        RC_ASSERT(turned[i].measurements.screenHeightTw == m.screenWidthTw);
        RC_ASSERT(turned[i].measurements.twipsPerPixelX == m.twipsPerPixelY);
        RC_ASSERT(turned[i].measurements.twipsPerPixelY == m.twipsPerPixelX);
    }
}

}  // namespace
}  // namespace battle
