// The desktop without windows: where each wallpaper style puts the picture on a monitor
// (exact bounds, odd sizes, rounding, negative coordinates, span), the part each monitor
// needs and the pixels composed from it, the style read from the user's settings, and when
// the snapshot is kept.
#include <gtest/gtest.h>

#include "desktop/desktop_view.h"

namespace desktop {
namespace {

using enum WallpaperStyle;
constexpr platform::Rect kPrimary{0, 0, 1024, 768};
constexpr platform::Rect kRight{1024, 0, 800, 600};
constexpr platform::Rect kBothBounds{0, 0, 1824, 768};

struct PlaceCase {
    const char* name;
    WallpaperStyle style;
    platform::Rect monitor;
    int32_t pw, ph;
    Placement expected;
};

const PlaceCase kPlaceCases[] = {
    {"CentreSmallOddGapsRoundLeftAndUp", kCenter, kPrimary, 101, 51, {{461, 358, 101, 51}}},
    {"CentreLargerIsCroppedOnBothSides", kCenter, {0, 0, 800, 600}, 1001, 601, {{-101, -1, 1001, 601}}},
    {"StretchTakesTheMonitor", kStretch, {-800, 0, 800, 600}, 3, 7, {{-800, 0, 800, 600}}},
    {"FitTallPillarboxedRounded", kFit, {0, 0, 1000, 500}, 333, 999, {{416, 0, 167, 500}}},
    {"FitHalfPixelRoundsUp", kFit, {0, 0, 3, 3}, 2, 1, {{0, 0, 3, 2}}},
    {"FitSameAspectExact", kFit, {0, 0, 1280, 720}, 1920, 1080, {{0, 0, 1280, 720}}},
    {"FitNeverBelowOnePixel", kFit, kPrimary, 1, 10000, {{511, 0, 1, 768}}},
    {"FillWideCroppedLeftAndRight", kFill, kPrimary, 1600, 900, {{-171, 0, 1365, 768}}},
    {"SpanFillsBothMonitorsAsOne", kSpan, kRight, 912, 192, {{-912, 0, 3648, 768}}},
    {"TileAnchoredAtPrimaryOrigin", kTile, {-800, -600, 800, 600}, 64, 48, {{0, 0, 64, 48}, true}},
    {"NoPicturePlacesNothing", kFill, kPrimary, 0, 10, {}},
    {"NoRowsPlacesNothing", kFit, kPrimary, 10, 0, {}},
};

TEST(WallpaperPlacement, EachStyleHasExactBounds) {
    for (const PlaceCase& c : kPlaceCases) {
        const Placement p = PlaceWallpaper(c.style, c.monitor, kBothBounds, c.pw, c.ph);
        EXPECT_EQ(p.picture, c.expected.picture) << c.name;
        EXPECT_EQ(p.tiled, c.expected.tiled) << c.name;
    }
}

TEST(WallpaperPlacement, BoundsCoverMonitorsOnEverySide) {
    EXPECT_EQ(platform::Bounds({kPrimary, kRight}), kBothBounds);
    EXPECT_EQ(platform::Bounds({kPrimary, {-1280, -200, 1280, 1024}}), (platform::Rect{-1280, -200, 2304, 1024}));
    EXPECT_EQ(platform::Bounds({}), platform::Rect{});
}

// A 2 x 2 picture A B / C D on desktop colour K, composed per monitor.
constexpr uint32_t A = 0xA, B = 0xB, C = 0xC, D = 0xD, K = 0x123456;
const platform::Picture kPicture{2, 2, {A, B, C, D}};

TEST(DesktopComposition, StylesGivePixelsMonitorByMonitor) {
    const std::vector<platform::Rect> sideBySide{{-3, 0, 3, 2}, {0, 0, 3, 2}};
    // The pattern carries on from the primary's origin into the monitor left of it.
    EXPECT_EQ(ComposeDesktop({-3, 0, 6, 2}, sideBySide, &kPicture, kTile, K),
              (std::vector<uint32_t>{B, A, B, A, B, A, D, C, D, C, D, C}));
    EXPECT_EQ(ComposeDesktop({0, 0, 4, 3}, {{0, 0, 4, 3}}, &kPicture, kCenter, K),
              (std::vector<uint32_t>{K, A, B, K, K, C, D, K, K, K, K, K}));
    EXPECT_EQ(ComposeDesktop({0, 0, 4, 2}, {{0, 0, 4, 2}}, &kPicture, kStretch, K),
              (std::vector<uint32_t>{A, A, B, B, C, C, D, D}));
    // Span: each monitor shows its own half of one picture.
    const platform::Picture twoWide{2, 1, {A, B}};
    const std::vector<platform::Rect> pair{{0, 0, 2, 2}, {2, 0, 2, 2}};
    EXPECT_EQ(ComposeDesktop({2, 0, 2, 2}, pair, &twoWide, kSpan, K), (std::vector<uint32_t>{B, B, B, B}));
    // Fill on the same monitors: each crops the picture on its own.
    EXPECT_EQ(ComposeDesktop({2, 0, 2, 2}, pair, &twoWide, kFill, K), (std::vector<uint32_t>{A, B, A, B}));
    // Outside every monitor, and without a picture, the colour.
    EXPECT_EQ(ComposeDesktop({3, 1, 2, 1}, pair, &twoWide, kStretch, K), (std::vector<uint32_t>{B, K}));
    EXPECT_EQ(ComposeDesktop({0, 0, 2, 1}, pair, nullptr, kFill, 0xFF123456), (std::vector<uint32_t>{K, K}));
    // An area without pixels, a side 0 or negative, composes nothing.
    for (const platform::Rect& none : {platform::Rect{0, 0, -1, 2}, platform::Rect{0, 0, 0, 2}, platform::Rect{0, 0, 2, 0}})
        EXPECT_TRUE(ComposeDesktop(none, pair, &twoWide, kFill, K).empty()) << none.width << " x " << none.height;
    const platform::Picture broken{2, 2, {A}};
    EXPECT_EQ(ComposeDesktop({0, 0, 1, 1}, pair, &broken, kFill, K), (std::vector<uint32_t>{K}));
}

// Sizes that do not divide: each pins the pixel a one-off placement or a corner-sampled
// scale would move. Pictures are one row of blue levels; K is the desktop colour.
struct OddCase {
    const char* name;
    WallpaperStyle style;
    std::vector<platform::Rect> monitors;
    platform::Rect area;
    platform::Picture picture;
    std::vector<uint32_t> expected;
};

TEST(DesktopComposition, OddSizesLandOnExactPixels) {
    const platform::Picture two{2, 1, {0, 0xFE}}, three{3, 1, {1, 2, 3}}, four{4, 1, {A, B, C, D}};
    const OddCase cases[] = {
        // Two to five across: only the middle pixel straddles both picture pixels.
        {"StretchNotWhole", kStretch, {{0, 0, 5, 1}}, {0, 0, 5, 1}, two, {0, 0, 0x7F, 0xFE, 0xFE}},
        // Fill covers 3 x 2 with 6 x 2: three columns over, the odd one on the right.
        {"FillOddOverflow", kFill, {{0, 0, 3, 2}}, {0, 0, 3, 2}, three, {2, 2, 3, 2, 2, 3}},
        // Span over 3 + 2 columns: 5 wide from 3, the second and fourth straddle two.
        {"SpanOddWidth", kSpan, {{0, 0, 3, 1}, {3, 0, 2, 1}}, {0, 0, 5, 1}, three, {1, 1, 2, 3, 3}},
        // Centred and wider than its monitor, it stops at the monitor's edge in either order.
        {"CentreOverflowStaysHome", kCenter, {{0, 0, 2, 1}, {2, 0, 2, 1}}, {0, 0, 4, 1}, four, {B, C, B, C}},
        {"CentreOverflowOtherOrder", kCenter, {{2, 0, 2, 1}, {0, 0, 2, 1}}, {0, 0, 4, 1}, four, {B, C, B, C}},
        // Fit leaves one row, below (the odd pixel goes after); beside the monitor, colour.
        {"FitOddBarAndGap", kFit, {{0, 0, 4, 3}}, {0, 0, 5, 3}, two,
         {0, 0, 0xFE, 0xFE, K, 0, 0, 0xFE, 0xFE, K, K, K, K, K, K}},
    };
    for (const OddCase& c : cases)
        EXPECT_EQ(ComposeDesktop(c.area, c.monitors, &c.picture, c.style, K), c.expected) << c.name;
}

TEST(DesktopComposition, PartShownIsWhatTheMonitorNeedsOfThePicture) {
    const struct {
        const char* name;
        Placement place;
        platform::Rect area, monitor, expected;
    } cases[] = {
        {"CroppedByTheMonitor", {{-5, -1, 20, 10}}, {0, 0, 8, 8}, {0, 0, 8, 8}, {5, 1, 8, 8}},
        {"CroppedByTheArea", {{0, 0, 20, 10}}, {2, 3, 4, 4}, {0, 0, 8, 8}, {2, 3, 4, 4}},
        {"OffTheMonitor", {{8, 0, 4, 4}}, {0, 0, 16, 8}, {0, 0, 8, 8}, {}},
        {"TileRunInsideOneTile", {{0, 0, 8, 8}, true}, {-3, 0, 3, 2}, {-3, 0, 3, 2}, {5, 0, 3, 2}},
        {"TileRunEndingOnTheEdge", {{0, 0, 8, 8}, true}, {5, 6, 3, 2}, {5, 6, 3, 2}, {5, 6, 3, 2}},
        {"TileRunWrapping", {{0, 0, 8, 8}, true}, {-1, 0, 3, 1}, {-1, 0, 3, 1}, {0, 0, 8, 1}},
        {"TileLongerThanTheTile", {{0, 0, 8, 8}, true}, {0, 0, 9, 1}, {0, 0, 9, 1}, {0, 0, 8, 1}},
    };
    for (const auto& c : cases) EXPECT_EQ(PartShown(c.place, c.area, c.monitor), c.expected) << c.name;
}

// A part smaller than the monitor's share (a piece read for a smaller area) paints no pixel
// outside it, in either axis, placed or tiled.
TEST(DesktopComposition, PiecePaintsOnlyItsPart) {
    const platform::Rect area{0, 0, 4, 2};
    for (const bool tiled : {false, true}) {
        const Piece piece{area, {{0, 0, 4, 2}, tiled}, {1, 0, 2, 1}, {A, B}};
        std::vector<uint32_t> pixels(8, K);
        PaintPiece(pixels, area, piece);
        EXPECT_EQ(pixels, (std::vector<uint32_t>{K, A, B, K, K, K, K, K})) << tiled;
    }
}

TEST(WallpaperStyleSettings, ReadLikeWindows) {
    using S = std::optional<std::string_view>;
    const struct { S style, tile; WallpaperStyle expected; } cases[] = {
        {"0", "1", kTile},      {"0", "0", kCenter},    {S{}, "1", kTile},   {S{}, S{}, kCenter},
        {"2", "1", kStretch},   {"6", S{}, kFit},       {"10", "0", kFill},  {"22", S{}, kSpan},
        {"0", "junk", kCenter}, {"junk", "1", kFill},   {"7", S{}, kFill},   {"", "1", kFill},
        {"0x2", S{}, kFill},    {"99999999999", S{}, kFill},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StyleFromSettings(c.style, c.tile), c.expected) << c.style.value_or("-") << "/" << c.tile.value_or("-");
}

TEST(DesktopChoice, SnapshotOnlyWhenTakenOnTheUsersDesktopAndNotBlank) {
    EXPECT_TRUE(OnUserDesktop("Default", "Default"));
    EXPECT_TRUE(OnUserDesktop("default", "DEFAULT"));
    EXPECT_TRUE(OnUserDesktop("az", "AZ"));  // both ends of the letters fold
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
