// Battles beside the primary: which monitors get one (overlaps to the pixel, wherever they
// lie), monitors too small for a sprite, and which display changes count as a new layout.
// Their sizes and scales are the start-up plan's (startup_plan_test.cpp).
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cstdint>
#include <vector>

#include "battle/frame_composer.h"
#include "battle/monitor_layout.h"
#include "battle/saver_session.h"
#include "battle_test_support.h"
#include "graphics/soft_display.h"
#include "support/properties.h"

namespace battle {
namespace {

const MonitorInfo kPrimary{{0, 0, 1024, 768}, true};

TEST(MonitorLayout, AMonitorOverlappingACoveredOneGetsNoWindowOneTouchingItDoes) {
    const struct {
        platform::Rect rect;
        bool window;
    } beside[] = {
        {{1024, 0, 800, 600}, true}, {{1023, 0, 800, 600}, false}, {{0, 768, 800, 600}, true},
        {{0, 767, 800, 600}, false}, {{-800, 0, 800, 600}, true},  {{-799, 0, 800, 600}, false},
        {{0, -600, 800, 600}, true}, {{0, -599, 800, 600}, false}, {{-9, -9, 9, 9}, true},
        {{-8, -8, 9, 9}, false},     {{0, 0, 1280, 1024}, false},  // a mirror of another size
    };
    for (const auto& c : beside) {
        EXPECT_EQ(OtherBattleMonitors({kPrimary, {c.rect, false}}).size(), c.window ? 1u : 0u)
            << c.rect.left << "," << c.rect.top;
    }
    // Covered means given a battle, wherever the primary is listed: a monitor over the first
    // one is left out, one over a monitor that was itself left out is not.
    const auto battles = OtherBattleMonitors({{{1024, 0, 800, 600}, false}, {{1823, 599, 50, 50}, false},
                                              {{500, 700, 1000, 200}, false}, kPrimary, {{600, 850, 100, 100}, false}});
    ASSERT_EQ(battles.size(), 2u);
    EXPECT_EQ(battles[1].rect, (platform::Rect{600, 850, 100, 100}));
    EXPECT_TRUE(platform::Overlap({INT32_MAX - 99, 0, 100, 100}, {INT32_MAX - 50, 50, 50, 50}));  // past 32 bits
}

// Monitors narrower or lower than a sprite (117 x 44) leave negative placement ranges; the
// ticks must still end, raise nothing and draw only inside the monitor.
TEST(MonitorLayout, AMonitorSmallerThanASpriteNeitherHangsNorRaises) {
    const std::vector<MonitorInfo> monitors = {
        kPrimary, {{1024, 0, 116, 43}, false}, {{1024, 43, 60, 700}, false}, {{1140, 0, 800, 30}, false},
        {{1940, 0, 1, 1}, false}};
    const auto others = OtherBattleMonitors(monitors);
    ASSERT_EQ(others.size(), 4u);

    Battle primary = SetUpBattle({15, 15, settings::kPlainBlue}, MeasurementsFor(1024, 768, 15, 15));
    graphics::SoftDisplay primaryDisplay(primary.scrWidth, primary.scrHeight);
    std::vector<Battle> battles;
    std::vector<graphics::SoftDisplay> displays;
    for (const MonitorInfo& m : others) {
        battles.push_back(SetUpBattle({15, 15, settings::kPlainBlue}, MeasurementsFor(m.rect.width, m.rect.height, 15, 15)));
        displays.emplace_back(m.rect.width, m.rect.height);
    }
    std::vector<BattleScreen> screens{{&primary, &primaryDisplay}};
    for (size_t i = 0; i < battles.size(); ++i) {
        battles[i].seaColor = 0x0000AA;
        screens.push_back({&battles[i], &displays[i]});
    }
    for (auto& d : displays) {
        for (int n = 1; n <= graphics::kExplosionSurface; ++n)
            d.SetSurface(n, platform::Picture::Filled(117, 44, 0xFFFFFF));
    }
    for (int n = 1; n <= graphics::kExplosionSurface; ++n)
        primaryDisplay.SetSurface(n, platform::Picture::Filled(117, 44, 0xFFFFFF));

    testing::CountingRandom random(11);
    SaverSession session(random, 15, 15, nullptr, {});
    session.Start(screens, monitors, CursorPoint{});
    for (int t = 0; t < 20; ++t) ASSERT_EQ(session.OnTick(CursorPoint{}, monitors), Decision::kContinue) << t;

    EXPECT_EQ(displays[0].FlipCount(), 20);
    for (size_t i = 0; i < battles.size(); ++i) {
        const Battle& b = battles[i];
        for (int k = 1; k <= b.totalCount; ++k) {
            if (b.shipStat[size_t(k)].mode != kSailing) continue;
            // Sailing ships sit at the clamp: never right of or below the monitor's far edge.
            EXPECT_LE(b.shipPos[size_t(k)].x, std::max(0, b.scrWidth - b.charWidth)) << i << " ship " << k;
            EXPECT_LE(b.shipPos[size_t(k)].y, std::max(0, b.scrHeight - b.charHeight)) << i << " ship " << k;
        }
    }
    // A 116 x 43 monitor has no spot 125 pixels from the corner: nothing is ever placed there.
    for (int k = 1; k <= battles[0].totalCount; ++k) EXPECT_EQ(battles[0].shipStat[size_t(k)].mode, kPlacing);
    // On the 60-pixel-wide monitor ships are placed (and drawn cut off) at corners left of
    // the monitor's own left edge; a move clamps them to -57.
    int placed = 0;
    for (int k = 1; k <= battles[1].totalCount; ++k) {
        if (battles[1].shipStat[size_t(k)].mode == kPlacing) continue;
        ++placed;
        EXPECT_GE(battles[1].shipPos[size_t(k)].x, 60 - 117) << "ship " << k;
        EXPECT_LE(battles[1].shipPos[size_t(k)].x, 1) << "ship " << k;
    }
    EXPECT_GT(placed, 0);
    EXPECT_NE(primary.shipStat[1].mode, kPlacing);
}

TEST(MonitorLayout, OnlyMovedAddedRemovedOrResizedMonitorsMakeANewLayout) {
    const std::vector<MonitorInfo> start = {kPrimary, {{1024, 0, 800, 600}, false}};
    // Two monitors stacked below the primary, alike but for their top: order still does not
    // matter, and swapping their heights does.
    const std::vector<MonitorInfo> stacked = {kPrimary, {{0, 768, 800, 600}, false}, {{0, 1368, 800, 600}, false}};
    EXPECT_FALSE(LayoutChanged(stacked, {stacked[2], stacked[0], stacked[1]}));
    EXPECT_TRUE(LayoutChanged(stacked, {kPrimary, {{0, 768, 800, 600}, false}, {{0, 1369, 800, 600}, false}}));
    EXPECT_TRUE(LayoutChanged(start, {kPrimary}));
    EXPECT_TRUE(LayoutChanged(start, {kPrimary, start[1], {{-800, 0, 800, 600}, false}}));
    EXPECT_TRUE(LayoutChanged(start, {kPrimary, {{1025, 0, 800, 600}, false}}));
    EXPECT_TRUE(LayoutChanged(start, {kPrimary, {{1024, 0, 800, 601}, false}}));
    EXPECT_TRUE(LayoutChanged(start, {kPrimary, {{1024, 0, 800, 600}, false, 192}}));  // rescaled
    EXPECT_TRUE(LayoutChanged(start, {{{0, 0, 1280, 1024}, true}, start[1]}));
    // The other monitor became the primary.
    EXPECT_TRUE(LayoutChanged(start, {{{0, 0, 1024, 768}, false}, {{1024, 0, 800, 600}, true}}));
}

// Up to five monitors close together (so they overlap often), one or none of them the
// primary, each at some DPI.
rc::Gen<std::vector<MonitorInfo>> GenMonitors() {
    const auto monitor = rc::gen::apply([](platform::Rect r, int dpi) { return MonitorInfo{r, false, dpi}; },
                                        support::GenRect(8, 0, 10), rc::gen::element(96, 144, 192));
    return rc::gen::apply(
        [](std::vector<MonitorInfo> monitors, size_t primary) {
            if (primary < monitors.size()) monitors[primary].primary = true;
            return monitors;
        },
        rc::gen::container<std::vector<MonitorInfo>>(size_t(5), monitor), support::Uniform<size_t>(0, 5));
}

std::vector<MonitorInfo> Each(std::vector<MonitorInfo> monitors, auto change) {
    for (MonitorInfo& m : monitors) m.rect = change(m.rect);
    return monitors;
}

RC_GTEST_PROP(MonitorLayout, BattlesNeverOverlapAndShiftAndSwapWithTheDesktop, ()) {
    const std::vector<MonitorInfo> monitors = *GenMonitors();
    const std::vector<MonitorInfo> battles = OtherBattleMonitors(monitors);
    // Every monitor with pixels, but a primary, gets a battle unless one already shows there.
    std::vector<platform::Rect> shown;
    for (const MonitorInfo& m : monitors)
        if (m.primary) shown.push_back(m.rect);
    for (const MonitorInfo& b : battles) {
        RC_ASSERT(!b.primary);
        RC_ASSERT(b.rect.width > 0 && b.rect.height > 0);
        for (const platform::Rect& r : shown) RC_ASSERT(!platform::Overlap(r, b.rect));
        shown.push_back(b.rect);
    }
    for (const MonitorInfo& m : monitors) {
        const bool hasBattle = std::find(battles.begin(), battles.end(), m) != battles.end();
        if (!m.primary && !hasBattle && m.rect.width > 0 && m.rect.height > 0)
            RC_ASSERT(std::any_of(shown.begin(), shown.end(), [&](const platform::Rect& r) { return platform::Overlap(r, m.rect); }));
    }
    const int32_t dx = *support::GenShift(), dy = *support::GenShift();
    const auto shift = [&](platform::Rect r) { return support::Shifted(r, dx, dy); };
    RC_ASSERT(OtherBattleMonitors(Each(monitors, shift)) == Each(battles, shift));
    RC_ASSERT(OtherBattleMonitors(Each(monitors, support::Transposed)) == Each(battles, support::Transposed));
    // Listed in another order the layout is the same; moved it is not.
    std::vector<MonitorInfo> reordered = monitors;
    std::rotate(reordered.begin(), reordered.begin() + *support::Uniform<size_t>(0, monitors.size() - 1), reordered.end());
    RC_ASSERT(!LayoutChanged(monitors, reordered));
    RC_PRE(dx != 0);
    RC_ASSERT(LayoutChanged(monitors, Each(monitors, shift)));
}

}  // namespace
}  // namespace battle
