// Reading a wallpaper file into monitors' pieces through each decoder: the fallback decoder
// alone (as where the system's imaging component is missing) shows a BMP exactly as the
// imaging component does and reads nothing else; files that are no picture, a BMP cut short
// and one whose header claims more than the file holds are none, through either; a codec
// that decodes at a reduced size (played: Wine's does not) decodes at the size needed; a
// worker that cannot start keeps nobody waiting.
#include "desktop/wallpaper_decode_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "desktop/image_header.h"
#include "desktop/source_transform_win32.h"
#include "desktop/wallpaper_read_win32.h"
#include "platform/handles_win32.h"
#include "support/import_swap_win32.h"

namespace desktop {
namespace {

// A 3 x 2 picture: red green blue over three greys of different channels.
const std::vector<uint32_t> kPixels{0xFF0000, 0x00FF00, 0x0000FF, 0x102030, 0x405060, 0x708090};

// A picture as a 24-bit BMP, rows bottom-up, each padded to four bytes.
std::string Bmp(int width, int height, const std::vector<uint32_t>& pixels) {
    std::string rows;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y * width + x)];
            rows += {char(p & 0xFF), char((p >> 8) & 0xFF), char(p >> 16)};
        }
        rows += std::string(size_t(-width * 3 & 3), '\0');
    }
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, DWORD(rows.size()), 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof file + sizeof info + rows.size()), 0, 0, sizeof file + sizeof info};
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info) + rows;
}
std::string Bmp() { return Bmp(3, 2, kPixels); }

// And as a PNG, which only the imaging component reads.
const unsigned char kPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0x12, 0x16, 0xf1, 0x4d, 0x00,
    0x00, 0x00, 0x18, 0x49, 0x44, 0x41, 0x54, 0x08, 0xd7, 0x63, 0xf8, 0xcf, 0xc0, 0xc0, 0xf0, 0x9f, 0x81,
    0x81, 0xe1, 0x3f, 0xa3, 0x80, 0x82, 0x01, 0x04, 0x00, 0x00, 0x33, 0xc1, 0x04, 0x7f, 0x29, 0x20, 0xdb,
    0x26, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

std::wstring WriteTemp(const wchar_t* name, const std::string& bytes) {
    wchar_t folder[MAX_PATH]{};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

// The picture stretched twice as wide and tall on a 6 x 4 monitor right of the primary.
constexpr platform::Rect kMonitor{1024, 0, 6, 4};
std::vector<uint32_t> Doubled() {
    std::vector<uint32_t> out;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) out.push_back(kPixels[size_t(y / 2 * 3 + x / 2)]);
    return out;
}

TEST(WallpaperRead, EachDecoderShowsWhatItReads) {
    const std::wstring bmp = WriteTemp(L"brackmer_wall.bmp", Bmp());
    const std::wstring png = WriteTemp(L"brackmer_wall.png", std::string(std::begin(kPng), std::end(kPng)));
    const std::wstring junk = WriteTemp(L"brackmer_junk.bmp", "BM junk");
    const std::wstring cut = WriteTemp(L"brackmer_cut.bmp", Bmp().substr(0, Bmp().size() - 1));
    std::string claims = Bmp();
    claims[18] = char(0x30), claims[19] = char(0x75), claims[22] = char(0x30), claims[23] = char(0x75);  // 30000 x 30000
    const std::wstring lying = WriteTemp(L"brackmer_lying.bmp", claims);
    const struct {
        const std::wstring& path;
        Decoders decoders;
        bool shows;
    } cases[] = {
        {bmp, Decoders::kBitmapOnly, true}, {bmp, Decoders::kAll, true},         {png, Decoders::kAll, true},
        {png, Decoders::kBitmapOnly, false}, {junk, Decoders::kAll, false},      {junk, Decoders::kBitmapOnly, false},
        {L"Z:\\no\\such\\wallpaper.bmp", Decoders::kAll, false},
        {cut, Decoders::kAll, false},        {cut, Decoders::kBitmapOnly, false},
        {lying, Decoders::kAll, false},      {lying, Decoders::kBitmapOnly, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.path.begin(), c.path.end()) << " " << int(c.decoders));
        const std::optional<std::vector<Piece>> pieces =
            DecodeWallpaper(c.path, WallpaperStyle::kStretch, {kMonitor}, kMonitor, c.decoders);
        ASSERT_EQ(pieces.has_value(), c.shows);
        if (!pieces) continue;
        ASSERT_EQ(pieces->size(), 1u);
        const Piece* piece = &pieces->front();
        EXPECT_EQ(piece->place.picture, kMonitor);
        EXPECT_EQ(piece->part, (platform::Rect{0, 0, 6, 4}));
        EXPECT_EQ(piece->pixels, Doubled());
    }
    // Two monitors from one decode: each its own stretch of the picture.
    const std::optional<std::vector<Piece>> both =
        DecodeWallpaper(png, WallpaperStyle::kStretch, {{0, 0, 3, 2}, kMonitor}, {0, 0, 1030, 4});
    ASSERT_TRUE(both && both->size() == 2);
    EXPECT_EQ(both->front().pixels, kPixels);
    EXPECT_EQ(both->back().pixels, Doubled());
    // Centred, the picture keeps its own size, its width across.
    const std::optional<std::vector<Piece>> centred = DecodeWallpaper(bmp, WallpaperStyle::kCenter, {kMonitor}, kMonitor);
    ASSERT_TRUE(centred && centred->size() == 1);
    EXPECT_EQ(centred->front().part, (platform::Rect{0, 0, 3, 2}));
    EXPECT_EQ(centred->front().pixels, kPixels);
    for (const std::wstring& path : {bmp, png, junk, cut, lying}) DeleteFileW(path.c_str());
}

// A file replaced between its header's check and the load: a bitmap the loader gives at
// another size than the header's, on either side alone, is none.
TEST(WallpaperRead, ALoadedBitmapOfAnotherSizeIsNone) {
    const std::wstring bmp = WriteTemp(L"brackmer_wall.bmp", Bmp());
    static SIZE loaded;
    for (const SIZE size : {SIZE{3, 3}, SIZE{4, 2}, SIZE{3, 2}}) {
        loaded = size;
        testsupport::ImportSwap swap("user32.dll", "LoadImageW",
                                     reinterpret_cast<void*>(+[](HINSTANCE, LPCWSTR, UINT, int, int, UINT) -> HANDLE {
                                         BITMAPINFO info{};
                                         info.bmiHeader = {sizeof info.bmiHeader, loaded.cx, loaded.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
                                         void* bits = nullptr;
                                         return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
                                     }));
        ASSERT_TRUE(swap.Found());
        const bool header = size.cx == 3 && size.cy == 2;
        EXPECT_EQ(DecodeWallpaper(bmp, WallpaperStyle::kStretch, {kMonitor}, kMonitor, Decoders::kBitmapOnly).has_value(),
                  header)
            << size.cx << " x " << size.cy;
    }
    DeleteFileW(bmp.c_str());
}

// The codec probe is the sound 8 x 8 mid-grey JPEG it is meant to be: a probe no codec can
// read would refuse every large JPEG on Windows as on Wine.
TEST(WallpaperRead, TheJpegProbeDecodesToMidGrey) {
    const std::span<const uint8_t> probe = JpegProbe();
    const std::optional<ImageHeader> header = ReadImageHeader(probe, probe.size());
    EXPECT_TRUE(header && header->width == 8 && header->height == 8) << "an 8 x 8 frame";
    const std::wstring path = WriteTemp(L"brackmer_probe.jpg", std::string(probe.begin(), probe.end()));
    constexpr platform::Rect kSquare{0, 0, 8, 8};
    const std::optional<std::vector<Piece>> pieces = DecodeWallpaper(path, WallpaperStyle::kStretch, {kSquare}, kSquare);
    DeleteFileW(path.c_str());
    ASSERT_TRUE(pieces && pieces->size() == 1);
    EXPECT_EQ(pieces->front().pixels, std::vector<uint32_t>(64, 0x808080));
}

// The frame header is looked for in the first 512 KiB, behind any metadata: the probe with
// padding before it that ends the size and parts of its frame header there is read; one byte
// more and it is not.
TEST(WallpaperRead, AFrameHeaderIsLookedForInTheFirst512KiB) {
    const std::span<const uint8_t> probe = JpegProbe();
    constexpr size_t kFrameEnd = 2 + 69 + 10;  // the start, the quantization table, the frame to its parts
    constexpr platform::Rect kSquare{0, 0, 8, 8};
    for (const size_t end : {size_t(512 * 1024), size_t(512 * 1024 + 1)}) {
        std::string file(probe.begin(), probe.begin() + 2);
        for (size_t left = end - kFrameEnd; left > 0;) {  // APP1 segments of at most 65537 bytes
            size_t take = std::min<size_t>(left, 65537);
            if (left - take > 0 && left - take < 4) take -= 4;
            file += {char(0xFF), char(0xE1), char((take - 2) >> 8), char((take - 2) & 0xFF)};
            file += std::string(take - 4, '\0');
            left -= take;
        }
        file.append(probe.begin() + 2, probe.end());
        const std::wstring path = WriteTemp(L"brackmer_padded.jpg", file);
        const auto pieces = DecodeWallpaper(path, WallpaperStyle::kStretch, {kSquare}, kSquare);
        DeleteFileW(path.c_str());
        EXPECT_EQ(pieces.has_value(), end == 512 * 1024) << end;
    }
}

// A codec that decodes at a reduced size, as Windows' JPEG codec does and Wine's does not:
// each frame the imaging component opens from a file offers the transform, which scales by
// halves down to an eighth and records what it was asked.
using testsupport::CallLog;
IWICImagingFactory* playedFactory = nullptr;
testsupport::ImportSwap* createSwap = nullptr;
struct PlayedTransform : ISourceTransform {
    IWICBitmapFrameDecode* frame = nullptr;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height, WICPixelFormatGUID* format,
                                         WICBitmapTransformOptions transform, UINT stride, UINT bytes, BYTE* out) override {
        CallLog().push_back("CopyPixels " + std::to_string(width) + "x" + std::to_string(height) + " rows " +
                            std::to_string(rect->Y) + "+" + std::to_string(rect->Height) + " stride " +
                            std::to_string(stride) + " bytes " + std::to_string(bytes) +
                            (*format == GUID_WICPixelFormat32bppBGR ? " bgr32" : " ?") + " turn " +
                            std::to_string(transform));
        platform::ComPtr<IWICBitmapScaler> scaler;
        platform::ComPtr<IWICFormatConverter> converter;
        HRESULT hr = playedFactory->CreateBitmapScaler(scaler.Put());
        if (SUCCEEDED(hr)) hr = scaler->Initialize(frame, width, height, WICBitmapInterpolationModeNearestNeighbor);
        if (SUCCEEDED(hr)) hr = playedFactory->CreateFormatConverter(converter.Put());
        if (SUCCEEDED(hr))
            hr = converter->Initialize(scaler.Get(), *format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom);
        return SUCCEEDED(hr) ? converter->CopyPixels(rect, stride, bytes, out) : hr;
    }
    HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) override {
        CallLog().push_back("GetClosestSize " + std::to_string(*width) + "x" + std::to_string(*height));
        UINT w = 0, h = 0;
        frame->GetSize(&w, &h);
        int shift = 0;
        while (shift < 3 && (w >> (shift + 1)) >= *width && (h >> (shift + 1)) >= *height) ++shift;
        *width = w >> shift, *height = h >> shift;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) override {
        *format = GUID_WICPixelFormat32bppBGR;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform, BOOL* supported) override {
        *supported = transform == WICBitmapTransformRotate0;
        return S_OK;
    }
} playedTransform;

// A codec answers to the interface's documented name, whatever our copy of it says.
const IID kDocumentedSourceTransform = [] {
    IID iid{};
    IIDFromString(L"{3B16811B-6A43-4EC9-B713-3D5A0C13B940}", &iid);
    return iid;
}();
HRESULT STDMETHODCALLTYPE FrameInterface(IWICBitmapFrameDecode* self, REFIID iid, void** out) {
    if (iid != kDocumentedSourceTransform) return testsupport::MethodSwap::Real<decltype(&FrameInterface)>(self, 0)(self, iid, out);
    playedTransform.frame = self;
    *out = static_cast<ISourceTransform*>(&playedTransform);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE FrameOf(IWICBitmapDecoder* self, UINT index, IWICBitmapFrameDecode** frame) {
    const HRESULT hr = testsupport::MethodSwap::Real<decltype(&FrameOf)>(self, 13)(self, index, frame);
    if (SUCCEEDED(hr)) testsupport::MethodSwap::Replace(*frame, 11, {{0, reinterpret_cast<void*>(&FrameInterface)}});
    return hr;
}
HRESULT STDMETHODCALLTYPE DecoderOf(IWICImagingFactory* self, LPCWSTR path, const GUID* vendor, DWORD access,
                                    WICDecodeOptions options, IWICBitmapDecoder** decoder) {
    const HRESULT hr = testsupport::MethodSwap::Real<decltype(&DecoderOf)>(self, 3)(self, path, vendor, access, options, decoder);
    if (SUCCEEDED(hr)) testsupport::MethodSwap::Replace(*decoder, 14, {{13, reinterpret_cast<void*>(&FrameOf)}});
    return hr;
}
HRESULT WINAPI CreatePlayed(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out) {
    const HRESULT hr = createSwap->Original<decltype(&CoCreateInstance)>()(clsid, outer, context, iid, out);
    if (SUCCEEDED(hr) && clsid == CLSID_WICImagingFactory) {
        playedFactory = static_cast<IWICImagingFactory*>(*out);
        testsupport::MethodSwap::Replace(*out, 28, {{3, reinterpret_cast<void*>(&DecoderOf)}});
    }
    return hr;
}

// An 8 x 4 picture of 2 x 2 blocks on a 4 x 2 monitor is decoded at half its size, in one
// band of rows: each pixel its block, each row its own. A monitor of one pixel needs a
// quarter (the codec's closest to 1 x 1).
TEST(WallpaperRead, ACodecThatReducesDecodesAtTheSizeNeeded) {
    const std::vector<uint32_t> blocks{0xFF0000, 0x00FF00, 0x0000FF, 0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xFFFFFF};
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) pixels.push_back(blocks[size_t(y / 2 * 4 + x / 2)]);
    const std::wstring bmp = WriteTemp(L"brackmer_blocks.bmp", Bmp(8, 4, pixels));
    testsupport::ImportSwap create("ole32.dll", "CoCreateInstance", reinterpret_cast<void*>(&CreatePlayed));
    ASSERT_TRUE(create.Found());
    createSwap = &create;
    for (const platform::Rect monitor : {platform::Rect{0, 0, 4, 2}, platform::Rect{0, 0, 1, 1}}) {
        CallLog().clear();
        const std::optional<std::vector<Piece>> pieces = DecodeWallpaper(bmp, WallpaperStyle::kStretch, {monitor}, monitor);
        ASSERT_TRUE(pieces && pieces->size() == 1);
        if (monitor.width == 4) {
            EXPECT_EQ(pieces->front().pixels, blocks);
            EXPECT_EQ(CallLog(), (std::vector<std::string>{"GetClosestSize 4x2",
                                                           "CopyPixels 4x2 rows 0+2 stride 16 bytes 32 bgr32 turn 0"}));
        } else {
            EXPECT_EQ(CallLog(), (std::vector<std::string>{"GetClosestSize 1x1",
                                                           "CopyPixels 2x1 rows 0+1 stride 8 bytes 8 bgr32 turn 0"}));
        }
    }
    DeleteFileW(bmp.c_str());
}

// No thread to read on: the share is the desktop colour at once, and not late, since no one
// will ever fill it.
TEST(WallpaperRead, AWorkerThatCannotStartLeavesTheColourNotLate) {
    testsupport::ImportSwap noThread(
        "msvcrt.dll", "_beginthreadex",
        reinterpret_cast<void*>(+[](void*, unsigned, unsigned(__stdcall*)(void*), void*, unsigned, unsigned*) -> uintptr_t {
            return 0;
        }));
    ASSERT_TRUE(noThread.Found());
    const std::vector<platform::Rect> monitors{{0, 0, 33, 17}};  // a layout no other test reads
    const WallpaperShare share = WallpaperPixels(monitors[0], monitors);
    EXPECT_FALSE(share.late);
    EXPECT_TRUE(share.picture.IsWhole());
}

}  // namespace
}  // namespace desktop
