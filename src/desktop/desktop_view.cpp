// The desktop without windows: style rules, placement arithmetic and composition of the
// wallpaper, and the rules of the snapshot. Used by desktop_pixels_win32, the start-up plan
// and the native tests.
#include "desktop/desktop_view.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <utility>

#include "graphics/smooth_scale.h"

namespace desktop {
namespace {

std::optional<int> ParseNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\0')) text.remove_suffix(1);
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// Floor division and modulo: tiles left of or above the anchor continue the same pattern.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }
int32_t RoundDiv(int64_t a, int64_t b) { return static_cast<int32_t>((2 * a + b) / (2 * b)); }

// The picture's size scaled to `area` keeping its aspect: the side that limits (`cover`
// false: fits inside, true: covers it) takes the area's length exactly, the other is
// rounded, and never below one pixel.
platform::Rect ScaleAndCentre(platform::Rect area, int32_t pw, int32_t ph, bool cover) {
    const int64_t across = int64_t(area.width) * ph;  // compares area.width / pw
    const int64_t down = int64_t(area.height) * pw;   // with area.height / ph
    const bool widthLimits = cover ? across >= down : across <= down;
    int32_t w = area.width;
    int32_t h = area.height;
    if (widthLimits)
        h = std::max(1, RoundDiv(int64_t(ph) * area.width, pw));
    else
        w = std::max(1, RoundDiv(int64_t(pw) * area.height, ph));
    return {area.left + int32_t(FloorDiv(int64_t(area.width) - w, 2)),
            area.top + int32_t(FloorDiv(int64_t(area.height) - h, 2)), w, h};
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

using platform::Intersect;

}  // namespace

WallpaperStyle StyleFromSettings(std::optional<std::string_view> wallpaperStyle,
                                 std::optional<std::string_view> tileWallpaper) {
    // A missing style is the classic desktop's 0, which tiles or centres.
    const std::optional<int> style = wallpaperStyle ? ParseNumber(*wallpaperStyle) : std::optional<int>(0);
    switch (style.value_or(-1)) {
        case 0:
            return (tileWallpaper && ParseNumber(*tileWallpaper) == 1) ? WallpaperStyle::kTile
                                                                      : WallpaperStyle::kCenter;
        case 2: return WallpaperStyle::kStretch;
        case 6: return WallpaperStyle::kFit;
        case 22: return WallpaperStyle::kSpan;
        default: return WallpaperStyle::kFill;
    }
}

Placement PlaceWallpaper(WallpaperStyle style, platform::Rect monitor, platform::Rect desktop, int32_t pictureWidth,
                         int32_t pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return {};
    switch (style) {
        case WallpaperStyle::kTile:
            // Windows starts the pattern at the primary's top-left and carries it on over
            // every monitor, so neighbouring monitors continue each other's tiles.
            return {{0, 0, pictureWidth, pictureHeight}, true};
        case WallpaperStyle::kStretch:
            return {monitor, false};
        case WallpaperStyle::kFit:
            return {ScaleAndCentre(monitor, pictureWidth, pictureHeight, false), false};
        case WallpaperStyle::kFill:
            return {ScaleAndCentre(monitor, pictureWidth, pictureHeight, true), false};
        case WallpaperStyle::kSpan:
            return {ScaleAndCentre(desktop, pictureWidth, pictureHeight, true), false};
        case WallpaperStyle::kCenter:
        default:
            return {{monitor.left + int32_t(FloorDiv(int64_t(monitor.width) - pictureWidth, 2)),
                     monitor.top + int32_t(FloorDiv(int64_t(monitor.height) - pictureHeight, 2)), pictureWidth,
                     pictureHeight},
                    false};
    }
}

platform::Rect PartShown(const Placement& place, platform::Rect area, platform::Rect monitor) {
    const platform::Rect seen = Intersect(area, monitor);
    const platform::Rect& p = place.picture;
    if (seen.width == 0 || p.width <= 0 || p.height <= 0) return {};
    if (!place.tiled) {
        const platform::Rect drawn = Intersect(seen, p);
        if (drawn.width == 0) return {};
        return {drawn.left - p.left, drawn.top - p.top, drawn.width, drawn.height};
    }
    // The tile columns (or rows) under [from, from + length): one run, or all of them where
    // the run wraps past the tile's end.
    auto run = [](int64_t from, int64_t length, int64_t origin, int64_t size) -> std::pair<int32_t, int32_t> {
        const int64_t first = FloorMod(from - origin, size);
        if (first + length > size) return {0, int32_t(size)};
        return {int32_t(first), int32_t(length)};
    };
    const auto [left, width] = run(seen.left, seen.width, p.left, p.width);
    const auto [top, height] = run(seen.top, seen.height, p.top, p.height);
    return {left, top, width, height};
}

void PaintPiece(std::vector<uint32_t>& pixels, platform::Rect area, const Piece& piece) {
    const platform::Rect& p = piece.place.picture;
    const platform::Rect& part = piece.part;
    if (pixels.size() != size_t(std::max(area.width, 0)) * size_t(std::max(area.height, 0)) || part.width <= 0 ||
        part.height <= 0 || piece.pixels.size() != size_t(part.width) * size_t(part.height))
        return;
    const platform::Rect seen = piece.place.tiled ? Intersect(area, piece.monitor)
                                        : Intersect(Intersect(area, piece.monitor), p);
    // Where screen pixel d falls in the piece along one axis, or -1 outside it.
    auto at = [&](int64_t d, int64_t origin, int64_t size, int64_t first, int64_t length) -> int64_t {
        int64_t i = d - origin;
        if (piece.place.tiled) i = FloorMod(i, size);
        i -= first;
        return (i >= 0 && i < length) ? i : -1;
    };
    std::vector<int64_t> columns(size_t(seen.width));
    for (int32_t x = 0; x < seen.width; ++x)
        columns[size_t(x)] = at(int64_t(seen.left) + x, p.left, p.width, part.left, part.width);
    for (int32_t y = 0; y < seen.height; ++y) {
        const int64_t row = at(int64_t(seen.top) + y, p.top, p.height, part.top, part.height);
        if (row < 0) continue;
        const uint32_t* from = piece.pixels.data() + row * part.width;
        uint32_t* to = pixels.data() + (size_t(seen.top - area.top) + size_t(y)) * size_t(area.width) +
                       size_t(seen.left - area.left);
        for (int32_t x = 0; x < seen.width; ++x)
            if (columns[size_t(x)] >= 0) to[x] = from[columns[size_t(x)]] & 0x00FFFFFF;
    }
}

std::vector<uint32_t> ComposeDesktop(platform::Rect area, const std::vector<platform::Rect>& monitors,
                                     const platform::Picture* picture, WallpaperStyle style, uint32_t colour) {
    if (area.width <= 0 || area.height <= 0) return {};
    std::vector<uint32_t> out(size_t(area.width) * size_t(area.height), colour & 0x00FFFFFF);
    if (!picture || picture->width <= 0 || picture->height <= 0 ||
        picture->pixels.size() != size_t(picture->width) * size_t(picture->height))
        return out;
    const platform::Rect desktop = platform::Bounds(monitors);
    const graphics::SourceRows rows = [picture](int32_t row, int32_t first, int32_t count, uint32_t* to) {
        std::copy_n(picture->pixels.begin() + int64_t(row) * picture->width + first, count, to);
    };
    for (const platform::Rect& monitor : monitors) {
        Piece piece{monitor, PlaceWallpaper(style, monitor, desktop, picture->width, picture->height), {}, {}};
        piece.part = PartShown(piece.place, area, monitor);
        if (piece.part.width == 0) continue;
        const platform::Rect& p = piece.place.picture;
        piece.pixels = graphics::ScaleSmooth(picture->width, picture->height, rows, p.width, p.height, piece.part);
        PaintPiece(out, area, piece);
    }
    return out;
}

bool IsBlank(const std::vector<uint32_t>& pixels) {
    return std::adjacent_find(pixels.begin(), pixels.end(), std::not_equal_to<>()) == pixels.end();
}

bool OnUserDesktop(std::string_view threadDesktop, std::optional<std::string_view> inputDesktop) {
    if (SameName(threadDesktop, "Screen-saver") || SameName(threadDesktop, "Winlogon")) return false;
    return !inputDesktop || SameName(threadDesktop, *inputDesktop);
}

}  // namespace desktop
