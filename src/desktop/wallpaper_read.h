// The wallpaper read's rules: which picture each monitor shows by what Windows records,
// which files it tries, how a file is decoded within a fixed memory budget and once for all
// monitors that show it, and how the pieces are handed to the screens (late, spent, moved or
// copied). Portable: wallpaper_read_win32 gathers the facts and runs the decoders on its
// worker; the native tests drive it with their own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "desktop/desktop_view.h"
#include "desktop/image_header.h"
#include "desktop/wallpaper_source.h"
#include "graphics/smooth_scale.h"
#include "platform/geometry.h"
#include "platform/picture.h"

namespace desktop {

// --- Which picture and which files ----------------------------------------------------------

// What Windows records about the pictures, per monitor in the saver's order.
struct RecordedPictures {
    std::wstring setting;               // the one picture the desktop setting names
    std::vector<std::wstring> shell;    // the shell's answer per monitor; empty: none in time
    std::vector<std::wstring> recorded; // the TranscodedImageCache_000, _001... paths in order
};

// Each monitor's picture: the shell's answer; where it gave none, the recorded path (the one
// recorded for all monitors, or one each where there are as many as monitors, in the
// monitors' order); else the desktop setting's picture.
std::vector<std::wstring> PicturesOf(const RecordedPictures& facts, size_t monitors);

// What the Win32 side finds for the files: each returns an empty path where there is none.
struct FoundFiles {
    std::function<OriginalFacts(const std::wstring& path)> original;
    std::function<std::wstring(const platform::Rect& monitor)> monitorCopy;  // cached for its size
    std::wstring transcoded;                                                 // of the one picture
    std::function<std::wstring(size_t monitor)> ownCopy;                     // of a monitor's own
};

// The paths each monitor tries, best first (FilesToTry of its facts).
std::vector<std::vector<std::wstring>> FilesPerMonitor(const std::vector<platform::Rect>& monitors,
                                                       const std::vector<std::wstring>& pictures,
                                                       const FoundFiles& found);

// Windows' paths compare without regard to case (ASCII letters).
bool SamePath(const std::wstring& a, const std::wstring& b);

// --- Decoding within the budget -----------------------------------------------------------

// The most a decoder may hold for one picture decoded whole. A picture that would take more
// and that the codec cannot decode at a reduced size is refused by its header: the colour.
constexpr uint64_t kDecodeBudgetBytes = 40ull << 20;

struct PixelSize {
    uint32_t width = 0;
    uint32_t height = 0;
    bool operator==(const PixelSize&) const = default;
};

// Whether width x height at `bits` a pixel fits in the budget.
bool FitsBudget(uint64_t width, uint64_t height, uint64_t bits);

struct DecodeChoice {
    bool refused = true;
    bool reduced = false;  // at the size the codec offered
    PixelSize size;        // decoded at
    bool operator==(const DecodeChoice&) const = default;
};

// `offer`: the reduced size the codec can decode to for the size the monitors need (JPEG
// through the imaging component), none where it cannot. A reduced decode counts 4 bytes a
// pixel, a whole one the header's bits.
DecodeChoice ChooseDecode(const ImageHeader& header, std::optional<PixelSize> offer);

// Whether the file is opened at all: its whole decode fits the budget, or it is a JPEG, the
// platform's codec decodes JPEGs at a reduced size (down to an eighth of each side), and it
// fits the budget so. Wine's codecs decode all of a picture as they open it, and offer no
// reduced size.
bool WorthOpening(const ImageHeader& header, bool reducedJpeg);

// Whether USER's bitmap loader may read the file (where the imaging component cannot be had):
// a BMP only, which it holds at 32 bits a pixel beside a copy of as many.
bool LoaderFits(const ImageHeader& header);

// Each monitor's placement and part of a picture of this size (pixels still empty).
std::vector<Piece> PlacePieces(WallpaperStyle style, const std::vector<platform::Rect>& monitors,
                               const platform::Rect& desktop, uint32_t width, uint32_t height);

// The largest placed picture among pieces that show a part: what a reduced decode must give.
PixelSize NeededSize(const std::vector<Piece>& pieces);

// Every piece's pixels from one pass over the source (the picture, or its reduced size).
void FillPieces(std::vector<Piece>& pieces, int32_t sourceWidth, int32_t sourceHeight, const graphics::SourceRows& rows);

// --- The read and its hand-out ----------------------------------------------------------

// One read of every monitor's wallpaper, shared by the worker that fills it and the window's
// thread that takes the pixels; safe to use from both.
class WallpaperRead {
public:
    explicit WallpaperRead(std::vector<platform::Rect> monitors);
    const std::vector<platform::Rect>& Monitors() const { return monitors_; }

    // The worker: a monitor's piece (none: the colour), then the end, after which every
    // monitor not given counts as the colour.
    void Give(size_t monitor, std::optional<Piece> piece);
    void End();

    // The pieces of every monitor that meets `area`; none while one of them is still being
    // read, and then nothing is taken. A piece goes out moved to an area that holds its whole
    // monitor (nothing of it is kept), copied to one that holds part of it.
    std::optional<std::vector<Piece>> Take(const platform::Rect& area);
    // Every monitor finished and its piece given out.
    bool Spent() const;

private:
    const std::vector<platform::Rect> monitors_;
    mutable std::mutex lock_;
    std::vector<bool> finished_;
    std::vector<std::optional<Piece>> pieces_;
};

// Which read a screen takes from: the one running for the same monitors (in any order), or
// a new one that `start` begins. One keeper per process, on the window's thread.
class ReadKeeper {
public:
    using Start = std::function<std::shared_ptr<WallpaperRead>(const std::vector<platform::Rect>& monitors)>;
    explicit ReadKeeper(Start start) : start_(std::move(start)) {}

    std::shared_ptr<WallpaperRead> For(const std::vector<platform::Rect>& monitors);
    // Never a new one: a late screen asking after its read was spent must not start the
    // files over on every frame.
    std::shared_ptr<WallpaperRead> Running(const std::vector<platform::Rect>& monitors);
    // A spent read is let go: the next For reads the wallpaper afresh.
    void LetGoIfSpent(const std::shared_ptr<WallpaperRead>& read);

private:
    Start start_;
    std::mutex lock_;
    std::shared_ptr<WallpaperRead> current_;
};

// One read's work: each file decoded once for every monitor whose next file it is; a
// monitor whose file gives nothing goes on to its next; monitors with no file left get the
// colour. `decode` gives one piece per monitor asked, or none when the file cannot be read.
using DecodeFile = std::function<std::optional<std::vector<Piece>>(const std::wstring& path,
                                                                   const std::vector<size_t>& monitors)>;
void RunRead(WallpaperRead& read, const std::vector<std::vector<std::wstring>>& files, const DecodeFile& decode);

// A screen's background from the read: the desktop colour over `area` with the pieces on it.
struct WallpaperShare {
    platform::Picture picture;  // not whole only when not even the colour fits in memory
    bool late = false;          // a monitor of the area was still being read: all colour
};
// `monitors` empty: the area is the one screen. `gdiColour` is the desktop colour as Windows
// gives it, 0x00BBGGRR.
WallpaperShare ShareOf(ReadKeeper& keeper, const platform::Rect& area, const std::vector<platform::Rect>& monitors,
                       uint32_t gdiColour);
// Asked again for an area that was late: none while still being read; an empty picture
// where no picture came (the colour shown stands); else the area as ShareOf gives it.
std::optional<platform::Picture> LateShareOf(ReadKeeper& keeper, const platform::Rect& area,
                                             const std::vector<platform::Rect>& monitors, uint32_t gdiColour);

}  // namespace desktop
