// The desktop without windows: where each wallpaper style puts the picture on a monitor
// (exact bounds, odd sizes, rounding, negative coordinates, span), the pixels composed from
// it, the style read from the user's settings, and when the snapshot is kept.
#include <gtest/gtest.h>

#include "desktop/desktop_view.h"

namespace desktop {
namespace {

using enum WallpaperStyle;
constexpr Rect kPrimary{0, 0, 1024, 768};
constexpr Rect kRight{1024, 0, 800, 600};
constexpr Rect kBothBounds{0, 0, 1824, 768};

struct PlaceCase {
    const char* name;
    WallpaperStyle style;
    Rect monitor;
    int32_t pw, ph;
    Placement expected;
};

const PlaceCase kPlaceCases[] = {
    {"CentreSmallOddGapsRoundLeftAndUp", kCenter, kPrimary, 101, 51, {{461, 358, 101, 51}}},
    {"CentreLargerIsCroppedOnBothSides", kCenter, {0, 0, 800, 600}, 1001, 601, {{-101, -1, 1001, 601}}},
    {"CentreOnMonitorLeftOfAndAbovePrimary", kCenter, {-1280, -200, 1280, 1024}, 100, 100, {{-690, 262, 100, 100}}},
    {"StretchTakesTheMonitor", kStretch, {-800, 0, 800, 600}, 3, 7, {{-800, 0, 800, 600}}},
    {"FitWideLetterboxed", kFit, kPrimary, 1600, 900, {{0, 96, 1024, 576}}},
    {"FitTallPillarboxedRounded", kFit, {0, 0, 1000, 500}, 333, 999, {{416, 0, 167, 500}}},
    {"FitHalfPixelRoundsUp", kFit, {0, 0, 3, 3}, 2, 1, {{0, 0, 3, 2}}},
    {"FitSameAspectExact", kFit, {0, 0, 1280, 720}, 1920, 1080, {{0, 0, 1280, 720}}},
    {"FitNeverBelowOnePixel", kFit, kPrimary, 1, 10000, {{511, 0, 1, 768}}},
    {"FillWideCroppedLeftAndRight", kFill, kPrimary, 1600, 900, {{-171, 0, 1365, 768}}},
    {"FillSmallEnlargedOnSecondMonitor", kFill, kRight, 40, 40, {{1024, -100, 800, 800}}},
    {"SpanFillsBothMonitorsAsOne", kSpan, kRight, 912, 192, {{-912, 0, 3648, 768}}},
    {"TileAnchoredAtPrimaryOrigin", kTile, {-800, -600, 800, 600}, 64, 48, {{0, 0, 64, 48}, true}},
    {"NoPicturePlacesNothing", kFill, kPrimary, 0, 10, {}},
};

TEST(WallpaperPlacement, EachStyleHasExactBounds) {
    for (const PlaceCase& c : kPlaceCases) {
        const Placement p = PlaceWallpaper(c.style, c.monitor, kBothBounds, c.pw, c.ph);
        EXPECT_EQ(p.picture, c.expected.picture) << c.name;
        EXPECT_EQ(p.tiled, c.expected.tiled) << c.name;
    }
}

TEST(WallpaperPlacement, BoundsCoverMonitorsOnEverySide) {
    EXPECT_EQ(Bounds({kPrimary, kRight}), kBothBounds);
    EXPECT_EQ(Bounds({kPrimary, {-1280, -200, 1280, 1024}}), (Rect{-1280, -200, 2304, 1024}));
    EXPECT_EQ(Bounds({}), Rect{});
}

// A 2 x 2 picture A B / C D on desktop colour K, composed per monitor.
constexpr uint32_t A = 0xA, B = 0xB, C = 0xC, D = 0xD, K = 0x123456;
const Picture kPicture{2, 2, {A, B, C, D}};

TEST(DesktopComposition, StylesGivePixelsMonitorByMonitor) {
    const std::vector<Rect> sideBySide{{-3, 0, 3, 2}, {0, 0, 3, 2}};
    // The pattern carries on from the primary's origin into the monitor left of it.
    EXPECT_EQ(ComposeDesktop({-3, 0, 6, 2}, sideBySide, &kPicture, kTile, K),
              (std::vector<uint32_t>{B, A, B, A, B, A, D, C, D, C, D, C}));
    EXPECT_EQ(ComposeDesktop({0, 0, 4, 3}, {{0, 0, 4, 3}}, &kPicture, kCenter, K),
              (std::vector<uint32_t>{K, A, B, K, K, C, D, K, K, K, K, K}));
    EXPECT_EQ(ComposeDesktop({0, 0, 4, 2}, {{0, 0, 4, 2}}, &kPicture, kStretch, K),
              (std::vector<uint32_t>{A, A, B, B, C, C, D, D}));
    // Shrunk, every picture pixel a screen pixel covers counts, each channel rounded.
    const Picture wide{3, 1, {0x300000, 0x000600, 0x000009}};
    EXPECT_EQ(ComposeDesktop({0, 0, 1, 1}, {{0, 0, 1, 1}}, &wide, kStretch, K), (std::vector<uint32_t>{0x100203}));
    const Picture odd{3, 1, {0x000001, 0x000002, 0x000004}};
    EXPECT_EQ(ComposeDesktop({0, 0, 2, 1}, {{0, 0, 2, 1}}, &odd, kStretch, K), (std::vector<uint32_t>{2, 3}));
    // Span: each monitor shows its own half of one picture.
    const Picture twoWide{2, 1, {A, B}};
    const std::vector<Rect> pair{{0, 0, 2, 2}, {2, 0, 2, 2}};
    EXPECT_EQ(ComposeDesktop({2, 0, 2, 2}, pair, &twoWide, kSpan, K), (std::vector<uint32_t>{B, B, B, B}));
    // Fill on the same monitors: each crops the picture on its own.
    EXPECT_EQ(ComposeDesktop({2, 0, 2, 2}, pair, &twoWide, kFill, K), (std::vector<uint32_t>{A, B, A, B}));
    // Outside every monitor, and without a picture, the colour.
    EXPECT_EQ(ComposeDesktop({3, 1, 2, 1}, pair, &twoWide, kStretch, K), (std::vector<uint32_t>{B, K}));
    EXPECT_EQ(ComposeDesktop({0, 0, 2, 1}, pair, nullptr, kFill, 0xFF123456), (std::vector<uint32_t>{K, K}));
    const Picture broken{2, 2, {A}};
    EXPECT_EQ(ComposeDesktop({0, 0, 1, 1}, pair, &broken, kFill, K), (std::vector<uint32_t>{K}));
}

TEST(WallpaperStyleSettings, ReadLikeWindows) {
    using S = std::optional<std::string_view>;
    const struct { S style, tile; WallpaperStyle expected; } cases[] = {
        {"0", "1", kTile},      {"0", "0", kCenter},    {S{}, "1", kTile},   {S{}, S{}, kCenter},
        {"2", "1", kStretch},   {" 6 ", S{}, kFit},     {"10", "0", kFill},  {"22", S{}, kSpan},
        {"0", "junk", kCenter}, {"junk", "1", kFill},   {"7", S{}, kFill},   {"", "1", kFill},
        {"0x2", S{}, kFill},    {"99999999999", S{}, kFill},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StyleFromSettings(c.style, c.tile), c.expected) << c.style.value_or("-") << "/" << c.tile.value_or("-");
}

TEST(DesktopChoice, SnapshotOnlyWhenTakenOnTheUsersDesktopAndNotBlank) {
    EXPECT_TRUE(OnUserDesktop("Default", "Default"));
    EXPECT_TRUE(OnUserDesktop("default", "DEFAULT"));
    EXPECT_TRUE(OnUserDesktop("Default", std::nullopt));
    EXPECT_FALSE(OnUserDesktop("Screen-saver", "Screen-saver"));
    EXPECT_FALSE(OnUserDesktop("screen-SAVER", std::nullopt));
    EXPECT_FALSE(OnUserDesktop("Winlogon", "Winlogon"));
    EXPECT_FALSE(OnUserDesktop("Default", "Winlogon"));

    EXPECT_FALSE(IsBlank({7, 7, 7, 8}));
    EXPECT_FALSE(IsBlank({8, 7, 7, 7}));
    EXPECT_TRUE(IsBlank({7, 7, 7, 7}));
    EXPECT_TRUE(IsBlank({}));
}

}  // namespace
}  // namespace desktop
