// The wallpaper's placement, the part each monitor shows and the composed pixels hold for
// every monitor, area and picture: the same off the origin as at it (shifted with the
// desktop; tiles by whole tiles, since their pattern starts at the primary's corner) and the
// same with the axes swapped; and the style read from its settings under any blanks.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <string>

#include "desktop/desktop_view.h"
#include "support/properties.h"

namespace desktop {
namespace {

using platform::Picture;
using platform::Rect;
using support::GenRect;
using support::Shifted;
using support::Transposed;

const auto kStyles = rc::gen::element(WallpaperStyle::kCenter, WallpaperStyle::kTile, WallpaperStyle::kStretch,
                                      WallpaperStyle::kFit, WallpaperStyle::kFill, WallpaperStyle::kSpan);

bool operator==(const Placement& a, const Placement& b) { return a.picture == b.picture && a.tiled == b.tiled; }

Picture TransposedPicture(const Picture& p) {
    Picture t = Picture::Filled(p.height, p.width, 0);
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t x = 0; x < p.width; ++x) t.At(y, x) = p.At(x, y);
    return t;
}

std::vector<uint32_t> TransposedPixels(const std::vector<uint32_t>& pixels, int32_t width, int32_t height) {
    std::vector<uint32_t> t(pixels.size());
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) t[size_t(x) * size_t(height) + size_t(y)] = pixels[size_t(y) * size_t(width) + size_t(x)];
    return t;
}

RC_GTEST_PROP(WallpaperPlacement, ShiftsWithTheDesktopAndSwapsWithItsAxes, ()) {
    const WallpaperStyle style = *kStyles;
    const Rect monitor = *GenRect(3000, 1, 3000);
    const Rect desktop = *GenRect(3000, 1, 6000);
    const int32_t pw = *support::Uniform(1, 5000), ph = *support::Uniform(1, 5000);
    const int32_t dx = *support::GenShift(), dy = *support::GenShift();
    const Placement at = PlaceWallpaper(style, monitor, desktop, pw, ph);
    const Placement shifted = PlaceWallpaper(style, Shifted(monitor, dx, dy), Shifted(desktop, dx, dy), pw, ph);
    RC_ASSERT((shifted == Placement{at.tiled ? at.picture : Shifted(at.picture, dx, dy), at.tiled}));
    RC_ASSERT((PlaceWallpaper(style, Transposed(monitor), Transposed(desktop), ph, pw) ==
               Placement{Transposed(at.picture), at.tiled}));
}

// A placement as one of the styles gives it, or a tile anchored anywhere; now and then one
// without pixels.
rc::Gen<Placement> GenPlacement() {
    return rc::gen::apply([](Rect r, bool tiled) { return Placement{r, tiled}; }, GenRect(20, -1, 12),
                          rc::gen::arbitrary<bool>());
}

RC_GTEST_PROP(WallpaperPart, IsTheSameOffTheOriginAndSwapsWithTheAxes, ()) {
    const Placement place = *GenPlacement();
    const Rect area = *GenRect(20, 0, 30), monitor = *GenRect(20, 1, 30);
    const int32_t dx = *support::GenShift(), dy = *support::GenShift();
    const Rect part = PartShown(place, area, monitor);
    RC_ASSERT((PartShown({Shifted(place.picture, dx, dy), place.tiled}, Shifted(area, dx, dy),
                         Shifted(monitor, dx, dy)) == part));
    RC_ASSERT((PartShown({Transposed(place.picture), place.tiled}, Transposed(area), Transposed(monitor)) ==
               Transposed(part)));
    // Whatever shows lies inside the placed picture (one tile, for tile); nothing of none.
    if (place.picture.width <= 0 || place.picture.height <= 0) RC_ASSERT(part == Rect{});
    if (part.width != 0)
        RC_ASSERT((platform::Intersect(part, {0, 0, place.picture.width, place.picture.height}) == part));
}

RC_GTEST_PROP(DesktopComposition, ShiftsWithTheDesktopAndSwapsWithItsAxes, ()) {
    const WallpaperStyle style = *kStyles;
    const Picture picture = *rc::gen::mapcat(rc::gen::pair(support::Uniform(1, 6), support::Uniform(1, 6)),
                                             [](std::pair<int, int> size) {
                                                 return rc::gen::apply(
                                                     [size](std::vector<uint32_t> pixels) {
                                                         return Picture{size.first, size.second, std::move(pixels)};
                                                     },
                                                     rc::gen::container<std::vector<uint32_t>>(
                                                         size_t(size.first * size.second),
                                                         support::Uniform<uint32_t>(0, 0x00FFFFFF)));
                                             });
    const auto monitors = *rc::gen::container<std::vector<Rect>>(size_t(*support::Uniform(1, 3)), GenRect(10, 1, 14));
    const Rect area = *GenRect(12, 1, 24);
    // Tiles repeat from the primary's corner: shifted by whole tiles they look the same.
    int32_t dx = *support::GenShift(), dy = *support::GenShift();
    if (style == WallpaperStyle::kTile) {
        dx = dx / picture.width * picture.width;
        dy = dy / picture.height * picture.height;
    }
    std::vector<Rect> shifted, transposed;
    for (const Rect& m : monitors) {
        shifted.push_back(Shifted(m, dx, dy));
        transposed.push_back(Transposed(m));
    }
    const std::vector<uint32_t> pixels = ComposeDesktop(area, monitors, &picture, style, 0x123456);
    RC_ASSERT(pixels.size() == size_t(area.width) * size_t(area.height));
    RC_ASSERT(ComposeDesktop(Shifted(area, dx, dy), shifted, &picture, style, 0x123456) == pixels);
    const Picture swapped = TransposedPicture(picture);
    RC_ASSERT(ComposeDesktop(Transposed(area), transposed, &swapped, style, 0x123456) ==
              TransposedPixels(pixels, area.width, area.height));
}

// The two settings read the same with blanks and tabs before them and blanks, tabs and the
// NUL a hand-written value may end in after them.
RC_GTEST_PROP(WallpaperStyleSettings, ReadTheSameUnderBlanksTabsAndNul, ()) {
    const auto around = [](const std::string& bare) {
        const auto before = rc::gen::resize(3, rc::gen::container<std::string>(rc::gen::element(' ', '\t')));
        const auto after = rc::gen::resize(3, rc::gen::container<std::string>(rc::gen::element(' ', '\t', '\0')));
        return *before + bare + *after;
    };
    const std::string style = std::to_string(*rc::gen::oneOf(rc::gen::element(0, 2, 6, 10, 22), support::Uniform(-30, 30)));
    const std::string tile = *rc::gen::element<std::string>("0", "1", "2");
    RC_ASSERT(StyleFromSettings(around(style), around(tile)) == StyleFromSettings(style, tile));
}

}  // namespace
}  // namespace desktop
