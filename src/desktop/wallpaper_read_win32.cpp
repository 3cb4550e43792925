// The wallpaper as Windows shows it, read off the window's thread: the facts about each
// monitor's picture and Windows' own copies of it (wallpaper_source decides which file is
// tried), each decoded straight to the part its monitor draws. The saver window starts the
// read early and takes the pixels through WallpaperPixels, and LateWallpaperPixels for a
// monitor whose picture was not ready then.
#include "desktop/wallpaper_read_win32.h"

#include <windows.h>
#include <shlobj.h>
#include <wincodec.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <tuple>

#include "desktop/desktop_pixels_win32.h"
#include "desktop/wallpaper_source.h"
#include "graphics/gdi_frame_display_win32.h"
#include "graphics/smooth_scale.h"
#include "platform/dib_win32.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"

namespace desktop {
namespace {

// The fallback decoder holds the whole bitmap; past 64 megapixels (8k x 8k) it is left out
// rather than risk the memory of a saver. The imaging component streams and needs no limit.
constexpr uint64_t kMaxBitmapPixels = 64ull * 1024 * 1024;

// Cloud placeholders (the Windows 10 names; older SDK headers lack them).
// How long the worker waits for Windows to name each monitor's picture before it draws the
// one picture the desktop setting names. Explorer answers in a few milliseconds; where
// nothing answers (Wine 8 keeps the call waiting for seconds) every monitor still gets the
// setting's picture without a long delay.
constexpr std::chrono::milliseconds kPerMonitorAnswer{300};

constexpr DWORD kRecallOnOpen = 0x00040000;
constexpr DWORD kRecallOnDataAccess = 0x00400000;

// IDesktopWallpaper (Windows 8 and later, shobjidl_core.h), declared here because the
// headers offer it only to programs that require Windows 8. Only the first five methods are
// called; the rest of the table follows them in the documented order.
const IID kIidDesktopWallpaper = {0xb92b56a9, 0x8b55, 0x4e14, {0x9a, 0x89, 0x01, 0x99, 0xbb, 0xb6, 0xf9, 0x3b}};
const CLSID kClsidDesktopWallpaper = {0xc2cf3110, 0x460e, 0x4fc1, {0xb9, 0xd0, 0x8a, 0x1c, 0x0c, 0x9c, 0xc4, 0xbd}};
struct IDesktopWallpaperPrefix : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetWallpaper(LPCWSTR monitorId, LPCWSTR wallpaper) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWallpaper(LPCWSTR monitorId, LPWSTR* wallpaper) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathAt(UINT index, LPWSTR* monitorId) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathCount(UINT* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorRECT(LPCWSTR monitorId, RECT* rect) = 0;
};

class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() { if (SUCCEEDED(result_)) CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

// A string the shell allocated for us.
std::wstring TakeComString(LPWSTR text) {
    std::wstring value = text ? text : L"";
    CoTaskMemFree(text);
    return value;
}

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) throw platform::RuntimeError(platform::RuntimeError::kPlatformCall, what, uint32_t(result));
}

std::optional<Piece> DecodeWithImaging(const std::wstring& path, WallpaperStyle style, Rect monitor, Rect desktop) {
    ComApartment apartment;
    platform::ComPtr<IWICImagingFactory> factory;
    platform::ComPtr<IWICBitmapDecoder> decoder;
    platform::ComPtr<IWICBitmapFrameDecode> frame;
    platform::ComPtr<IWICFormatConverter> converter;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.PutVoid())) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return std::nullopt;
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > INT32_MAX ||
        height > INT32_MAX)
        return std::nullopt;
    Piece piece{monitor, PlaceWallpaper(style, monitor, desktop, int32_t(width), int32_t(height)), {}, {}};
    piece.part = PartShown(piece.place, monitor, monitor);
    if (piece.part.width == 0) return piece;
    // Row by row from the decoder into the scaler: the whole picture is never held here.
    const graphics::SourceRows rows = [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
        const WICRect rect{first, row, count, 1};
        Check(converter->CopyPixels(&rect, UINT(count) * 4, UINT(count) * 4, reinterpret_cast<BYTE*>(out)),
              "The wallpaper could not be decoded.");
        // B, G, R, unused in memory: 0x00RRGGBB once the unused byte is cleared.
        for (int32_t i = 0; i < count; ++i) out[i] &= 0x00FFFFFF;
    };
    const Rect& p = piece.place.picture;
    piece.pixels = graphics::ScaleSmooth(int32_t(width), int32_t(height), rows, p.width, p.height,
                                         {piece.part.left, piece.part.top, piece.part.width, piece.part.height});
    return piece;
}

// Where the imaging component is missing, a BMP still loads through USER.
std::optional<Piece> DecodeBitmapFile(const std::wstring& path, WallpaperStyle style, Rect monitor, Rect desktop) {
    platform::UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap) return std::nullopt;
    BITMAP info{};
    if (!GetObjectW(bitmap.get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0 ||
        uint64_t(info.bmWidth) * uint64_t(std::abs(info.bmHeight)) > kMaxBitmapPixels)
        return std::nullopt;
    SIZE size{};
    const Picture picture{0, 0, platform::ReadBitmapPixels(bitmap.get(), &size)};
    bitmap.reset();
    Piece piece{monitor, PlaceWallpaper(style, monitor, desktop, size.cx, size.cy), {}, {}};
    piece.part = PartShown(piece.place, monitor, monitor);
    if (piece.part.width == 0) return piece;
    const graphics::SourceRows rows = [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
        std::copy_n(picture.pixels.begin() + int64_t(row) * size.cx + first, count, out);
    };
    const Rect& p = piece.place.picture;
    piece.pixels = graphics::ScaleSmooth(size.cx, size.cy, rows, p.width, p.height,
                                         {piece.part.left, piece.part.top, piece.part.width, piece.part.height});
    return piece;
}

std::optional<std::string> UserDesktopValue(const wchar_t* name) {
    wchar_t text[64]{};
    DWORD bytes = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return platform::Narrow(text);
}

std::wstring SingleWallpaperPath() {
    wchar_t path[MAX_PATH + 1]{};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return {};
    path[MAX_PATH] = L'\0';
    return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

// IsRemotePath, with the drive letters the system knows mapped to a share.
bool IsRemote(const std::wstring& path) {
    return IsRemotePath(path, [](wchar_t drive) {
        const wchar_t root[] = {drive, L':', L'\\', L'\0'};
        return GetDriveTypeW(root) == DRIVE_REMOTE;
    });
}

bool Exists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

OriginalFacts FactsAbout(const std::wstring& path) {
    OriginalFacts facts;
    facts.named = !path.empty();
    if (!facts.named) return facts;
    facts.remote = IsRemote(path);
    if (facts.remote) return facts;  // asking a share about the file may not answer either
    const DWORD attributes = GetFileAttributesW(path.c_str());
    facts.found = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!facts.found) return facts;
    facts.offline = (attributes & FILE_ATTRIBUTE_OFFLINE) != 0;
    facts.placeholder = (attributes & (kRecallOnOpen | kRecallOnDataAccess)) != 0;
    return facts;
}

// %APPDATA%\Microsoft\Windows\Themes, where Windows keeps the pictures it shows.
std::wstring ThemesFolder() {
    wchar_t appData[MAX_PATH]{};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return {};
    return std::wstring(appData) + L"\\Microsoft\\Windows\\Themes";
}

// Windows' copy of the picture prepared for a monitor of this size:
// CachedFiles\CachedImage_<width>_<height>_POS<style>.jpg.
std::wstring MonitorCopy(const std::wstring& themes, Rect monitor) {
    if (themes.empty()) return {};
    const std::wstring folder = themes + L"\\CachedFiles\\";
    const std::wstring pattern =
        folder + L"CachedImage_" + std::to_wstring(monitor.width) + L"_" + std::to_wstring(monitor.height) + L"_POS*.jpg";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return folder + found.cFileName;
}

// Each monitor's own picture where Windows can tell it (a picture per monitor, a
// slideshow), matched by rectangle; an empty path where it cannot.
std::vector<std::wstring> PicturesPerMonitor(const std::vector<Rect>& monitors) {
    std::vector<std::wstring> paths(monitors.size());
    platform::ComPtr<IDesktopWallpaperPrefix> wallpaper;
    if (FAILED(CoCreateInstance(kClsidDesktopWallpaper, nullptr, CLSCTX_ALL, kIidDesktopWallpaper,
                                wallpaper.PutVoid())))
        return paths;
    UINT count = 0;
    if (FAILED(wallpaper->GetMonitorDevicePathCount(&count))) return paths;
    for (UINT i = 0; i < count; ++i) {
        LPWSTR id = nullptr;
        if (FAILED(wallpaper->GetMonitorDevicePathAt(i, &id))) continue;
        const std::wstring monitorId = TakeComString(id);
        RECT r{};
        if (FAILED(wallpaper->GetMonitorRECT(monitorId.c_str(), &r))) continue;  // detached
        const Rect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
        const auto match = std::find(monitors.begin(), monitors.end(), rect);
        LPWSTR path = nullptr;
        if (match == monitors.end() || FAILED(wallpaper->GetWallpaper(monitorId.c_str(), &path))) continue;
        paths[size_t(match - monitors.begin())] = TakeComString(path);
    }
    return paths;
}

// PicturesPerMonitor on a thread of its own, given up after kPerMonitorAnswer: empty paths
// then, as where Windows cannot tell.
std::vector<std::wstring> PicturesPerMonitorInTime(const std::vector<Rect>& monitors) {
    struct Answer {
        std::mutex lock;
        std::condition_variable given;
        std::optional<std::vector<std::wstring>> paths;
    };
    auto answer = std::make_shared<Answer>();
    try {
        // Detached: a call that never returns keeps only this thread.
        std::thread([answer, monitors] {
            std::vector<std::wstring> paths;
            try {
                ComApartment apartment;
                paths = PicturesPerMonitor(monitors);
            } catch (...) {
                paths.assign(monitors.size(), std::wstring());
            }
            std::lock_guard guard(answer->lock);
            answer->paths = std::move(paths);
            answer->given.notify_all();
        }).detach();
        std::unique_lock guard(answer->lock);
        if (answer->given.wait_for(guard, kPerMonitorAnswer, [&] { return answer->paths.has_value(); }))
            return *answer->paths;
    } catch (const std::system_error&) {
    }
    return std::vector<std::wstring>(monitors.size());
}

// One read of every monitor's wallpaper, shared by the worker that fills it and the
// window's thread that takes the pixels; whichever is last lets it go.
struct Read {
    std::vector<Rect> monitors;
    WallpaperStyle style = WallpaperStyle::kFill;
    std::mutex lock;
    std::vector<bool> finished;              // one per monitor
    std::vector<std::optional<Piece>> pieces;  // one per monitor, until given out
};

void ReadEveryMonitor(const std::shared_ptr<Read>& read) {
    ComApartment apartment;
    const Rect desktop = Bounds(read->monitors);
    const std::wstring single = SingleWallpaperPath();
    const std::vector<std::wstring> own = PicturesPerMonitorInTime(read->monitors);
    const std::wstring themes = ThemesFolder();
    const std::wstring transcoded = themes.empty() ? std::wstring() : themes + L"\\TranscodedWallpaper";
    const bool haveTranscoded = !transcoded.empty() && Exists(transcoded);
    for (size_t i = 0; i < read->monitors.size(); ++i) {
        const Rect monitor = read->monitors[i];
        const std::wstring original = own[i].empty() ? single : own[i];
        const std::wstring copy = MonitorCopy(themes, monitor);
        WallpaperFacts facts;
        facts.original = FactsAbout(original);
        facts.sharedPicture = own[i].empty() || SamePath(own[i], single);
        facts.monitorCopy = !copy.empty();
        facts.transcoded = haveTranscoded;
        std::optional<Piece> piece;
        for (PictureFile file : FilesToTry(facts)) {
            const std::wstring& path =
                file == PictureFile::kOriginal ? original : file == PictureFile::kMonitorCopy ? copy : transcoded;
            piece = ReadPiece(path, read->style, monitor, desktop);
            if (piece) break;
        }
        std::lock_guard guard(read->lock);
        read->pieces[i] = std::move(piece);
        read->finished[i] = true;
    }
}

std::mutex currentLock;
std::shared_ptr<Read> current;  // the read the next WallpaperPixels takes from

std::shared_ptr<Read> Start(const std::vector<Rect>& monitors) {
    auto read = std::make_shared<Read>();
    read->monitors = monitors;
    read->style = StyleFromSettings(UserDesktopValue(L"WallpaperStyle"), UserDesktopValue(L"TileWallpaper"));
    read->finished.assign(monitors.size(), false);
    read->pieces.resize(monitors.size());
    try {
        // Detached: a share that never answers keeps the worker, never the saver, waiting;
        // the worker holds the read it fills, so the saver may end before it does.
        std::thread([read] {
            try {
                ReadEveryMonitor(read);
            } catch (...) {
            }
            // Whatever stopped it, nothing more comes: the rest is the colour.
            std::lock_guard guard(read->lock);
            read->finished.assign(read->finished.size(), true);
        }).detach();
    } catch (const std::system_error&) {
        read->finished.assign(monitors.size(), true);
    }
    return read;
}

bool SameMonitors(std::vector<Rect> a, std::vector<Rect> b) {
    auto order = [](const Rect& x, const Rect& y) {
        return std::tie(x.left, x.top, x.width, x.height) < std::tie(y.left, y.top, y.width, y.height);
    };
    std::sort(a.begin(), a.end(), order);
    std::sort(b.begin(), b.end(), order);
    return a == b;
}

// The read for these monitors (in any order): the one running, or a new one.
std::shared_ptr<Read> ReadFor(const std::vector<Rect>& monitors) {
    std::lock_guard guard(currentLock);
    if (!current || !SameMonitors(current->monitors, monitors)) current = Start(monitors);
    return current;
}

// The running read for these monitors, never a new one: a late screen asking after its
// read was spent must not start the files over on every frame.
std::shared_ptr<Read> RunningReadFor(const std::vector<Rect>& monitors) {
    std::lock_guard guard(currentLock);
    return current && SameMonitors(current->monitors, monitors) ? current : nullptr;
}

// The whole monitor lies in the area (a monitor always has pixels).
bool Contains(Rect outer, Rect inner) { return platform::Intersect(outer, inner) == inner; }

// The pieces of every monitor that meets `area`, taken out of the read; none while one of
// those monitors is still being read, and then nothing is taken, so a later call finds all.
std::optional<std::vector<Piece>> TakePieces(const std::shared_ptr<Read>& read, const Rect& area) {
    std::vector<Piece> taken;
    bool spent = true;
    {
        std::lock_guard guard(read->lock);
        for (size_t i = 0; i < read->monitors.size(); ++i)
            if (!read->finished[i] && platform::Overlap(area, read->monitors[i])) return std::nullopt;
        for (size_t i = 0; i < read->monitors.size(); ++i) {
            std::optional<Piece>& piece = read->pieces[i];
            if (piece && platform::Overlap(area, read->monitors[i])) {
                // The monitor has its pixels: nothing of it is kept beyond this.
                if (Contains(area, read->monitors[i])) {
                    taken.push_back(std::move(*piece));
                    piece.reset();
                } else {
                    taken.push_back(*piece);
                }
            }
            spent = spent && read->finished[i] && !piece;
        }
    }
    // Every monitor had its pixels: a later call reads the wallpaper afresh.
    if (spent) {
        std::lock_guard guard(currentLock);
        if (current == read) current.reset();
    }
    return taken;
}

std::vector<Rect> ScreensOf(const Rect& area, const std::vector<Rect>& monitors) {
    return monitors.empty() ? std::vector<Rect>{area} : monitors;
}

// The desktop colour over `area` with `pieces` painted on it.
std::vector<uint32_t> Compose(const Rect& area, const std::vector<Rect>& screens, const std::vector<Piece>& pieces) {
    const uint32_t colour = graphics::SoftDisplay::ColorToSurfacePixel(GetSysColor(COLOR_DESKTOP));
    std::vector<uint32_t> pixels = ComposeDesktop(area, screens, nullptr, WallpaperStyle::kFill, colour);
    for (const Piece& piece : pieces) PaintPiece(pixels, area, piece);
    return pixels;
}

}  // namespace

std::optional<Piece> ReadPiece(const std::wstring& path, WallpaperStyle style, Rect monitor, Rect desktop,
                               Decoders decoders) {
    try {
        if (decoders == Decoders::kAll)
            if (std::optional<Piece> piece = DecodeWithImaging(path, style, monitor, desktop)) return piece;
        return DecodeBitmapFile(path, style, monitor, desktop);
    } catch (const std::bad_alloc&) {
    } catch (const platform::RuntimeError&) {
    }
    return std::nullopt;
}

void StartWallpaperRead(const std::vector<Rect>& monitors) { ReadFor(monitors); }

WallpaperShare WallpaperPixels(const Rect& area, const std::vector<Rect>& monitors) {
    try {
        const std::vector<Rect> screens = ScreensOf(area, monitors);
        const std::optional<std::vector<Piece>> pieces = TakePieces(ReadFor(screens), area);
        return {Compose(area, screens, pieces ? *pieces : std::vector<Piece>{}), !pieces};
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::optional<std::vector<uint32_t>> LateWallpaperPixels(const Rect& area, const std::vector<Rect>& monitors) {
    try {
        const std::vector<Rect> screens = ScreensOf(area, monitors);
        const std::shared_ptr<Read> read = RunningReadFor(screens);
        if (!read) return std::vector<uint32_t>{};
        const std::optional<std::vector<Piece>> pieces = TakePieces(read, area);
        if (!pieces) return std::nullopt;
        if (pieces->empty()) return std::vector<uint32_t>{};
        return Compose(area, screens, *pieces);
    } catch (const std::bad_alloc&) {
        return std::vector<uint32_t>{};
    }
}

}  // namespace desktop
