// The desktop without windows: style rules, placement arithmetic and composition of the
// wallpaper, and the rules of the snapshot. Used by desktop_pixels_win32, the start-up plan
// and the native tests.
#include "desktop/desktop_view.h"

#include <algorithm>
#include <charconv>
#include <functional>

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
Rect ScaleAndCentre(Rect area, int32_t pw, int32_t ph, bool cover) {
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

// Source pixels [first, last) along one axis.
struct Span {
    int64_t first = 0, last = 0;
    static Span One(int64_t at) { return {at, at + 1}; }
    bool Single() const { return last - first == 1; }
};

// The mean colour of a block of the picture, each channel rounded to nearest.
uint32_t Average(const Picture& picture, Span columns, Span rows) {
    uint64_t r = 0, g = 0, b = 0;
    for (int64_t y = rows.first; y < rows.last; ++y)
        for (int64_t x = columns.first; x < columns.last; ++x) {
            const uint32_t c = picture.pixels[size_t(y * picture.width + x)];
            r += (c >> 16) & 0xFF;
            g += (c >> 8) & 0xFF;
            b += c & 0xFF;
        }
    const uint64_t n = uint64_t(columns.last - columns.first) * uint64_t(rows.last - rows.first);
    return uint32_t(((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n));
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

Placement PlaceWallpaper(WallpaperStyle style, Rect monitor, Rect desktop, int32_t pictureWidth,
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

std::vector<uint32_t> ComposeDesktop(Rect area, const std::vector<Rect>& monitors, const Picture* picture,
                                     WallpaperStyle style, uint32_t colour) {
    if (area.width <= 0 || area.height <= 0) return {};
    std::vector<uint32_t> out(size_t(area.width) * size_t(area.height), colour & 0x00FFFFFF);
    if (!picture || picture->width <= 0 || picture->height <= 0 ||
        picture->pixels.size() != size_t(picture->width) * size_t(picture->height))
        return out;
    const Rect desktop = Bounds(monitors);
    const int64_t pw = picture->width, ph = picture->height;
    for (const Rect& monitor : monitors) {
        const Placement place = PlaceWallpaper(style, monitor, desktop, picture->width, picture->height);
        const Rect drawn = place.tiled ? Intersect(area, monitor) : Intersect(Intersect(area, monitor), place.picture);
        if (drawn.width == 0) continue;
        const Rect& p = place.picture;
        // The source pixels behind each destination column and row: the tile's offset; the
        // pixel under the destination pixel's centre where the picture is enlarged; every
        // pixel it covers where the picture is shrunk, so a large photo is averaged, not thinned.
        auto span = [&](int64_t d, int64_t origin, int64_t length, int64_t size) -> Span {
            if (place.tiled) return Span::One(FloorMod(d - origin, size));
            const int64_t i = d - origin;
            if (size <= length) return Span::One((2 * i + 1) * size / (2 * length));
            return {i * size / length, ((i + 1) * size + length - 1) / length};
        };
        std::vector<Span> columns(size_t(drawn.width));
        for (int32_t x = 0; x < drawn.width; ++x) columns[size_t(x)] = span(int64_t(drawn.left) + x, p.left, p.width, pw);
        for (int32_t y = 0; y < drawn.height; ++y) {
            const Span rows = span(int64_t(drawn.top) + y, p.top, p.height, ph);
            const uint32_t* row = picture->pixels.data() + rows.first * pw;
            uint32_t* dest = out.data() + (size_t(drawn.top - area.top) + size_t(y)) * size_t(area.width) +
                             size_t(drawn.left - area.left);
            for (int32_t x = 0; x < drawn.width; ++x) {
                const Span& c = columns[size_t(x)];
                dest[x] = (rows.Single() && c.Single()) ? row[c.first] & 0x00FFFFFF : Average(*picture, c, rows);
            }
        }
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
