// The Win32 side of the desktop background: the saver thread's desktop and the user's
// wallpaper (path, style, desktop colour) decoded with the system's imaging component. The
// rules are desktop_view's; the saver window asks per screen with the monitors it enumerated.
#include "desktop/desktop_pixels_win32.h"

#include <windows.h>
#include <wincodec.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "desktop/desktop_view.h"
#include "graphics/soft_display.h"
#include "platform/dib_win32.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"

namespace desktop {
namespace {

// Larger pictures (beyond 64 megapixels, 8k x 8k) are left out rather than risk running out
// of memory in a saver; no real wallpaper comes near.
constexpr uint64_t kMaxPicturePixels = 64ull * 1024 * 1024;

class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() { if (SUCCEEDED(result_)) CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

std::optional<Picture> DecodeWithImaging(const std::wstring& path) {
    ComApartment apartment;
    platform::ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.PutVoid())))
        return std::nullopt;
    platform::ComPtr<IWICBitmapDecoder> decoder;
    platform::ComPtr<IWICBitmapFrameDecode> frame;
    platform::ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)))
        return std::nullopt;
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
        uint64_t(width) * height > kMaxPicturePixels)
        return std::nullopt;
    Picture picture{int32_t(width), int32_t(height), std::vector<uint32_t>(size_t(width) * height)};
    // B, G, R, unused in memory: 0x00RRGGBB once the unused byte is cleared.
    if (FAILED(converter->CopyPixels(nullptr, width * 4, UINT(picture.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(picture.pixels.data()))))
        return std::nullopt;
    for (uint32_t& p : picture.pixels) p &= 0x00FFFFFF;
    return picture;
}

// Where the imaging component is missing, a BMP still loads through USER.
std::optional<Picture> DecodeBitmapFile(const std::wstring& path) {
    platform::UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap) return std::nullopt;
    try {
        SIZE size{};
        std::vector<uint32_t> pixels = platform::ReadBitmapPixels(bitmap.get(), &size);
        if (size.cx <= 0 || size.cy <= 0 || uint64_t(size.cx) * uint64_t(size.cy) > kMaxPicturePixels)
            return std::nullopt;
        return Picture{size.cx, size.cy, std::move(pixels)};
    } catch (const platform::RuntimeError&) {
        return std::nullopt;
    }
}

std::optional<std::string> UserDesktopValue(const wchar_t* name) {
    wchar_t text[64]{};
    DWORD bytes = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return platform::Narrow(text);
}

std::wstring WallpaperPath() {
    wchar_t path[MAX_PATH + 1]{};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return {};
    path[MAX_PATH] = L'\0';
    return path;
}

std::string DesktopName(HDESK desk) {
    wchar_t name[256]{};
    DWORD needed = 0;
    if (!desk || !GetUserObjectInformationW(desk, UOI_NAME, name, sizeof(name) - sizeof(wchar_t), &needed)) return {};
    return platform::Narrow(name);
}

struct DesktopCloser { void operator()(HDESK desk) const { if (desk) CloseDesktop(desk); } };

// None when it cannot be opened: a secure desktop with the input refuses the saver.
std::optional<std::string> InputDesktopName() {
    std::unique_ptr<std::remove_pointer_t<HDESK>, DesktopCloser> input(OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS));
    std::string name = DesktopName(input.get());
    if (name.empty()) return std::nullopt;
    return name;
}

// BMP, PNG, JPEG, GIF, TIFF: what the system's imaging component reads; none when the file
// cannot be read or is too large.
std::optional<Picture> LoadPictureFile(const std::wstring& path) {
    if (std::optional<Picture> picture = DecodeWithImaging(path)) return picture;
    return DecodeBitmapFile(path);
}

// One decode per run for all monitors, done again only when the file changes.
const Picture* CachedPicture(const std::wstring& path) {
    static std::mutex lock;
    static std::wstring cachedPath;
    static FILETIME cachedTime{};
    static std::optional<Picture> cached;
    std::lock_guard guard(lock);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return nullptr;
    if (path != cachedPath || CompareFileTime(&data.ftLastWriteTime, &cachedTime) != 0) {
        cached = LoadPictureFile(path);
        cachedPath = path;
        cachedTime = data.ftLastWriteTime;
    }
    return cached ? &*cached : nullptr;
}

}  // namespace

std::vector<uint32_t> WallpaperPixels(const Rect& area, const std::vector<Rect>& monitors) {
    const WallpaperStyle style = StyleFromSettings(UserDesktopValue(L"WallpaperStyle"), UserDesktopValue(L"TileWallpaper"));
    const uint32_t colour = graphics::SoftDisplay::ColorToSurfacePixel(GetSysColor(COLOR_DESKTOP));
    return ComposeDesktop(area, monitors.empty() ? std::vector<Rect>{area} : monitors, CachedPicture(WallpaperPath()),
                          style, colour);
}

bool SaverOnUserDesktop() {
    // A desktop whose name cannot be read is taken for the user's; the snapshot then decides.
    const std::string thread = DesktopName(GetThreadDesktop(GetCurrentThreadId()));
    return thread.empty() || OnUserDesktop(thread, InputDesktopName());
}

}  // namespace desktop
