// The wallpaper read's rules; see wallpaper_read.h.
#include "desktop/wallpaper_read.h"

#include <algorithm>
#include <new>
#include <tuple>

#include "graphics/soft_display.h"

namespace desktop {
namespace {

using platform::Rect;

wchar_t Folded(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c; }

bool SameMonitors(std::vector<Rect> a, std::vector<Rect> b) {
    auto order = [](const Rect& x, const Rect& y) {
        return std::tie(x.left, x.top, x.width, x.height) < std::tie(y.left, y.top, y.width, y.height);
    };
    std::sort(a.begin(), a.end(), order);
    std::sort(b.begin(), b.end(), order);
    return a == b;
}

std::vector<Rect> ScreensOf(const Rect& area, const std::vector<Rect>& monitors) {
    return monitors.empty() ? std::vector<Rect>{area} : monitors;
}

platform::Picture Compose(const Rect& area, const std::vector<Rect>& screens, const std::vector<Piece>& pieces,
                          uint32_t gdiColour) {
    const uint32_t colour = graphics::SoftDisplay::ColorToSurfacePixel(gdiColour);
    platform::Picture picture{area.width, area.height,
                              ComposeDesktop(area, screens, nullptr, WallpaperStyle::kFill, colour)};
    for (const Piece& piece : pieces) PaintPiece(picture.pixels, area, piece);
    return picture;
}

}  // namespace

// Checked before any product could overflow: each side is at most 2^32, the bits few.
bool FitsBudget(uint64_t width, uint64_t height, uint64_t bits) {
    const uint64_t row = (width * bits + 7) / 8;
    return row > 0 && row <= kDecodeBudgetBytes && height <= kDecodeBudgetBytes / row;
}

std::vector<std::wstring> PicturesOf(const RecordedPictures& facts, size_t monitors) {
    std::vector<std::wstring> pictures(monitors);
    for (size_t i = 0; i < monitors; ++i) {
        const std::wstring* recorded = nullptr;
        if (facts.recorded.size() == 1) recorded = &facts.recorded[0];
        else if (facts.recorded.size() == monitors) recorded = &facts.recorded[i];
        if (i < facts.shell.size() && !facts.shell[i].empty()) pictures[i] = facts.shell[i];
        else if (recorded && !recorded->empty()) pictures[i] = *recorded;
        else pictures[i] = facts.setting;
    }
    return pictures;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return Folded(x) == Folded(y); });
}

std::vector<std::vector<std::wstring>> FilesPerMonitor(const std::vector<Rect>& monitors,
                                                       const std::vector<std::wstring>& pictures,
                                                       const FoundFiles& found) {
    std::vector<std::vector<std::wstring>> files(monitors.size());
    const bool shared = std::all_of(pictures.begin(), pictures.end(),
                                    [&](const std::wstring& p) { return SamePath(p, pictures.front()); });
    for (size_t i = 0; i < monitors.size() && i < pictures.size(); ++i) {
        const std::wstring& picture = pictures[i];
        // The copy cached for a size is of one picture: another shown at that size makes it unsure.
        bool sizeIsOurs = true;
        for (size_t j = 0; j < monitors.size() && j < pictures.size(); ++j)
            if (monitors[j].width == monitors[i].width && monitors[j].height == monitors[i].height &&
                !SamePath(pictures[j], picture))
                sizeIsOurs = false;
        const std::wstring monitorCopy = sizeIsOurs ? found.monitorCopy(monitors[i]) : std::wstring();
        const std::wstring ownCopy = shared ? std::wstring() : found.ownCopy(i);
        WallpaperFacts facts;
        facts.original = picture.empty() ? OriginalFacts{} : found.original(picture);
        facts.sharedPicture = shared;
        facts.monitorCopy = !monitorCopy.empty();
        facts.transcoded = !found.transcoded.empty();
        facts.ownCopy = !ownCopy.empty();
        for (PictureFile file : FilesToTry(facts)) {
            switch (file) {
                case PictureFile::kOriginal: files[i].push_back(picture); break;
                case PictureFile::kMonitorCopy: files[i].push_back(monitorCopy); break;
                case PictureFile::kTranscoded: files[i].push_back(found.transcoded); break;
                case PictureFile::kOwnCopy: files[i].push_back(ownCopy); break;
            }
        }
    }
    return files;
}

DecodeChoice ChooseDecode(const ImageHeader& header, std::optional<PixelSize> offer) {
    if (offer && offer->width > 0 && offer->height > 0 && offer->width <= header.width &&
        offer->height <= header.height && FitsBudget(offer->width, offer->height, 32))
        return {false, true, *offer};
    if (FitsBudget(header.width, header.height, header.bitsPerPixel))
        return {false, false, {header.width, header.height}};
    return {};
}

bool WorthOpening(const ImageHeader& header, bool reducedJpeg) {
    if (FitsBudget(header.width, header.height, header.bitsPerPixel)) return true;
    return reducedJpeg && header.kind == ImageKind::kJpeg &&
           FitsBudget((uint64_t(header.width) + 7) / 8, (uint64_t(header.height) + 7) / 8, 32);
}

bool LoaderFits(const ImageHeader& header) {
    return header.kind == ImageKind::kBmp && FitsBudget(header.width, header.height, 2 * 32);
}

std::vector<Piece> PlacePieces(WallpaperStyle style, const std::vector<Rect>& monitors, const Rect& desktop,
                               uint32_t width, uint32_t height) {
    std::vector<Piece> pieces;
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) return pieces;
    for (const Rect& monitor : monitors) {
        Piece piece{monitor, PlaceWallpaper(style, monitor, desktop, int32_t(width), int32_t(height)), {}, {}};
        piece.part = PartShown(piece.place, monitor, monitor);
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

PixelSize NeededSize(const std::vector<Piece>& pieces) {
    PixelSize needed;
    for (const Piece& piece : pieces) {
        if (piece.part.width <= 0 || piece.part.height <= 0) continue;
        needed.width = std::max(needed.width, uint32_t(piece.place.picture.width));
        needed.height = std::max(needed.height, uint32_t(piece.place.picture.height));
    }
    return needed;
}

void FillPieces(std::vector<Piece>& pieces, int32_t sourceWidth, int32_t sourceHeight,
                const graphics::SourceRows& rows) {
    std::vector<graphics::ScaleTarget> targets;
    for (const Piece& piece : pieces) targets.push_back({piece.place.picture.width, piece.place.picture.height, piece.part});
    std::vector<std::vector<uint32_t>> pixels = graphics::ScaleSmoothAll(sourceWidth, sourceHeight, rows, targets);
    for (size_t i = 0; i < pieces.size(); ++i) pieces[i].pixels = std::move(pixels[i]);
}

WallpaperRead::WallpaperRead(std::vector<Rect> monitors)
    : monitors_(std::move(monitors)), finished_(monitors_.size(), false), pieces_(monitors_.size()) {}

void WallpaperRead::Give(size_t monitor, std::optional<Piece> piece) {
    std::lock_guard guard(lock_);
    if (monitor >= monitors_.size() || finished_[monitor]) return;
    pieces_[monitor] = std::move(piece);
    finished_[monitor] = true;
}

void WallpaperRead::End() {
    std::lock_guard guard(lock_);
    finished_.assign(finished_.size(), true);
}

std::optional<std::vector<Piece>> WallpaperRead::Take(const Rect& area) {
    std::lock_guard guard(lock_);
    for (size_t i = 0; i < monitors_.size(); ++i)
        if (!finished_[i] && platform::Overlap(area, monitors_[i])) return std::nullopt;
    std::vector<Piece> taken;
    for (size_t i = 0; i < monitors_.size(); ++i) {
        std::optional<Piece>& piece = pieces_[i];
        if (!piece || !platform::Overlap(area, monitors_[i])) continue;
        if (platform::Intersect(area, monitors_[i]) == monitors_[i]) {
            taken.push_back(std::move(*piece));
            piece.reset();
        } else {
            taken.push_back(*piece);
        }
    }
    return taken;
}

bool WallpaperRead::Spent() const {
    std::lock_guard guard(lock_);
    for (size_t i = 0; i < monitors_.size(); ++i)
        if (!finished_[i] || pieces_[i]) return false;
    return true;
}

std::shared_ptr<WallpaperRead> ReadKeeper::For(const std::vector<Rect>& monitors) {
    std::lock_guard guard(lock_);
    if (!current_ || !SameMonitors(current_->Monitors(), monitors)) current_ = start_(monitors);
    return current_;
}

std::shared_ptr<WallpaperRead> ReadKeeper::Running(const std::vector<Rect>& monitors) {
    std::lock_guard guard(lock_);
    return current_ && SameMonitors(current_->Monitors(), monitors) ? current_ : nullptr;
}

void ReadKeeper::LetGoIfSpent(const std::shared_ptr<WallpaperRead>& read) {
    std::lock_guard guard(lock_);
    if (read && current_ == read && read->Spent()) current_.reset();
}

void RunRead(WallpaperRead& read, const std::vector<std::vector<std::wstring>>& files, const DecodeFile& decode) {
    const size_t count = std::min(files.size(), read.Monitors().size());
    std::vector<size_t> next(count, 0);
    std::vector<bool> done(count, false);
    for (size_t first = 0; first < count; ++first) {
        while (!done[first]) {
            if (next[first] >= files[first].size()) {
                read.Give(first, std::nullopt);
                done[first] = true;
                break;
            }
            const std::wstring path = files[first][next[first]];
            std::vector<size_t> group;
            for (size_t j = first; j < count; ++j)
                if (!done[j] && next[j] < files[j].size() && SamePath(files[j][next[j]], path)) group.push_back(j);
            std::optional<std::vector<Piece>> pieces = decode(path, group);
            if (pieces && pieces->size() == group.size()) {
                for (size_t k = 0; k < group.size(); ++k) {
                    read.Give(group[k], std::move((*pieces)[k]));
                    done[group[k]] = true;
                }
            } else {
                for (size_t j : group) ++next[j];
            }
        }
    }
    read.End();
}

WallpaperShare ShareOf(ReadKeeper& keeper, const Rect& area, const std::vector<Rect>& monitors, uint32_t gdiColour) {
    try {
        const std::vector<Rect> screens = ScreensOf(area, monitors);
        const std::shared_ptr<WallpaperRead> read = keeper.For(screens);
        const std::optional<std::vector<Piece>> pieces = read->Take(area);
        keeper.LetGoIfSpent(read);
        return {Compose(area, screens, pieces ? *pieces : std::vector<Piece>{}, gdiColour), !pieces};
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::optional<platform::Picture> LateShareOf(ReadKeeper& keeper, const Rect& area, const std::vector<Rect>& monitors,
                                             uint32_t gdiColour) {
    try {
        const std::vector<Rect> screens = ScreensOf(area, monitors);
        const std::shared_ptr<WallpaperRead> read = keeper.Running(screens);
        if (!read) return platform::Picture{};
        const std::optional<std::vector<Piece>> pieces = read->Take(area);
        keeper.LetGoIfSpent(read);
        if (!pieces) return std::nullopt;
        if (pieces->empty()) return platform::Picture{};
        return Compose(area, screens, *pieces, gdiColour);
    } catch (const std::bad_alloc&) {
        return platform::Picture{};
    }
}

}  // namespace desktop
