// The whole state of one battle (both fleets, the screen and sprite measurements, the sea
// colour and the last cursor position) and its set-up from the settings and the screen
// metrics. One per screen, owned by the ScreenWindow that shows it; the session's tick, the frame composer and the
// tests use it.
//
// The house's own words (give back, take, stand-in, screen, surface id, picture number,
// cell, form/load/unload, twips) are explained in the README's glossary (README.md,
// "Glossary"); those the battle keeps from the program it descends from:
//  - twips: 1/1440 inch, the unit the window toolkit measures in; the screen's twips-per-
//    pixel factors (15 at 96 dpi, one per axis) turn them into pixels;
//  - PosRec, StatRec: a ship's position (its cell's top-left corner) and its state record;
//  - the cell: one sprite's rectangle, 117 x 44 pixels at scale 1, whose diagonal (125) is
//    both the firing range and the least distance between ships;
//  - 0 / -1 flags: Flash and Hit are 16-bit booleans with True = -1; Target -1 is no target.
#pragma once

#include <cstdint>
#include <vector>

#include "settings/settings_store.h"

namespace battle {

// Values of StatRec::Mode.
enum ShipMode : int16_t { kPlacing = 0, kSailing = 1, kFiring = 2, kExploding = 3 };

// Values of StatRec::Dir, in screen terms (down = towards the bottom of the screen).
enum Heading : int16_t { kRight = 0, kDown = 1, kLeft = 2, kUp = 3 };

// Top-left corner of a ship's sprite cell, in screen pixels.
struct PosRec {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PosRec&) const = default;
};

// One ship's state. Flash and Hit are 0 or -1; Target is -1 or a ship number.
struct StatRec {
    int16_t side = 0;  // 0 red, 1 blue
    int16_t mode = kPlacing;
    int16_t flash = 0;
    int16_t expCount = 0;
    int16_t dir = kRight;
    int16_t target = 0;
    int16_t hit = 0;
    bool operator==(const StatRec&) const = default;
};

// A cursor position in screen pixels.
struct CursorPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const CursorPoint&) const = default;
};

// The sea colour of the plain background as a GDI colour (red 0, green 0, blue 170); a
// screen's set-up (SetUpScreen) turns it into the back buffer's raw pixel value in seaColor.
inline constexpr uint32_t kSeaGdiColor = 0x00AA0000;

// The largest fleet the battle sets up; defined beside the dialog's and the store's ranges.
using settings::kMaxFleetSize;

// Where a screen's background comes from, as the start-up plan decides it from the setting
// (the only place that reads the setting's values).
enum class BackgroundSource {
    kSnapshot,   // the screen as it was (the wallpaper instead where the snapshot is blank)
    kWallpaper,  // the desktop without windows: off the user's desktop nothing else shows it
    kSea,        // the plain blue sea
    kBlack,      // a stored background value that is neither setting
};

// A picture of the desktop behind the ships, rather than a fill.
inline bool ShowsDesktop(BackgroundSource source) {
    return source == BackgroundSource::kSnapshot || source == BackgroundSource::kWallpaper;
}

struct Battle {
    int16_t redCount = 0;
    int16_t blueCount = 0;
    int16_t totalCount = 0;
    BackgroundSource background = BackgroundSource::kSea;  // the plan's; SetUpScreen sets it
    int32_t scrWidth = 0;
    int32_t scrHeight = 0;
    int32_t charWidth = 0;
    int32_t charHeight = 0;
    int32_t charDiag = 0;
    int32_t seaColor = 0;  // raw back-buffer pixel; set by SetUpScreen only for the sea
    // Indexed 0..totalCount; entry 0 holds no ship and stays zero.
    std::vector<PosRec> shipPos;
    std::vector<StatRec> shipStat;
    CursorPoint lastCursor;

    bool operator==(const Battle&) const = default;
};

// How many times the sprites are enlarged on a screen of `dpi` dots per inch: one more for
// every whole 96 dpi, never less than 1 (1 up to 191 dpi, 2 from 192, 3 from 288). Every
// ship picture and the explosion are enlarged by it and the cell grows with them, so the
// step, the firing range and the spacing all grow with the ships.
int SpriteScaleForDpi(int dpi);

// What the set-up needs to know of the screen and the first ship picture, all in twips as
// the window toolkit reports them. A picture box showing an image reports its size as the
// image's pixels times the twips-per-pixel factor (117 * 15 = 1755 twips at 96 dpi).
struct Measurements {
    float screenWidthTw = 0;
    float screenHeightTw = 0;
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
    float charWidthTw = 0;
    float charHeightTw = 0;
    bool operator==(const Measurements&) const = default;
};

// The one way measurements are made: a screen of width x height pixels, the twips factors,
// and the cell of the ship pictures enlarged `spriteScale` times (117 x 44 pixels each time).
Measurements MeasurementsFor(int32_t width, int32_t height, float twipsPerPixelX, float twipsPerPixelY,
                             int spriteScale = 1);

// One screen's battle from the settings and its measurements: counts from the settings
// (negative ones as 0, large ones cut to kMaxFleetSize), screen and sprite sizes in pixels
// (rounded halves to even), the sprite diagonal, and both fleets allocated with every ship
// kPlacing at (0, 0), red ships first. The background stays the sea, seaColor and lastCursor
// 0 (SetUpScreen and the session fill them in). Raises platform::RuntimeError (overflow) for sizes that do not fit,
// e.g. a twips-per-pixel of 0.
Battle SetUpBattle(const settings::SaverSettings& settings, const Measurements& m);

}  // namespace battle
