// What the user's desktop looks like without any window on it: the wallpaper placed by the
// user's style on each monitor, over the desktop colour; and the rules that tell a snapshot
// showing nothing and a desktop the user does not see. Portable; desktop_pixels_win32 feeds
// it the system's values, the saver's start-up plan applies the rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/picture.h"

namespace desktop {

enum class WallpaperStyle { kCenter, kTile, kStretch, kFit, kFill, kSpan };

// The style from the two strings under the user's desktop settings, "WallpaperStyle" and
// "TileWallpaper" (either may be missing). Tiling needs style 0; a style Windows does not
// know, or junk, counts as fill, what current Windows sets for a new picture.
WallpaperStyle StyleFromSettings(std::optional<std::string_view> wallpaperStyle,
                                 std::optional<std::string_view> tileWallpaper);

// Where the whole picture lands for one monitor. For every style but tile it is drawn once,
// scaled to `picture`, and only what falls inside the monitor shows; for tile `picture` is
// the one tile at the anchor and the pattern repeats from there in every direction.
struct Placement {
    platform::Rect picture;
    bool tiled = false;
};

// `desktop` is the rectangle around all monitors (what span covers). Pictures with no
// pixels place nothing (an empty rectangle).
Placement PlaceWallpaper(WallpaperStyle style, platform::Rect monitor, platform::Rect desktop, int32_t pictureWidth,
                         int32_t pictureHeight);

// What one monitor shows of a picture placed on it, in the placed picture's own pixels
// ((0, 0) its top-left, scaled to the placement's size): the part worth decoding, clipped
// to `area` and the monitor. For tile it is the part of the one tile the monitor's share
// of `area` repeats (the whole tile when that share wraps around it). Empty where the
// monitor shows none of it.
platform::Rect PartShown(const Placement& place, platform::Rect area, platform::Rect monitor);

// One monitor's share of the wallpaper: `part` (see PartShown) of the picture as placed,
// decoded, 0x00RRGGBB, top row first.
struct Piece {
    platform::Rect monitor;
    Placement place;
    platform::Rect part;
    std::vector<uint32_t> pixels;
};

// Paints the piece over the pixels of `area` (top row first), on its own monitor only and
// only where its part reaches; the rest of `area` keeps what it had.
void PaintPiece(std::vector<uint32_t>& pixels, platform::Rect area, const Piece& piece);

// The pixels of `area`, top row first: the colour (0x00RRGGBB) everywhere, then on each
// monitor that meets the area its own placement of the picture, scaled smoothly to it and
// clipped to that monitor. No picture: colour only.
std::vector<uint32_t> ComposeDesktop(platform::Rect area, const std::vector<platform::Rect>& monitors,
                                     const platform::Picture* picture, WallpaperStyle style, uint32_t colour);

// A snapshot in which every pixel has one colour shows neither windows nor a wallpaper: what
// a saver started on a desktop of its own captures. An empty snapshot counts as blank too.
bool IsBlank(const std::vector<uint32_t>& pixels);

// Whether the saver's thread runs where the user's windows are. Windows runs a saver that
// locks the session on a desktop of its own ("Screen-saver"), and the logon desktop is
// "Winlogon"; a desktop other than the one that has the input (when it can be named) is
// not what the user sees either. Names compare without regard to case.
bool OnUserDesktop(std::string_view threadDesktop, std::optional<std::string_view> inputDesktop);

}  // namespace desktop
