// The wallpaper's decoders; see wallpaper_decode_win32.h.
#include "desktop/wallpaper_decode_win32.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <new>

#include "desktop/image_header.h"
#include "desktop/source_transform_win32.h"
#include "desktop/wallpaper_read.h"
#include "platform/dib_win32.h"
#include "platform/handles_win32.h"
#include "platform/runtime_error.h"

namespace desktop {
namespace {

// Enough for a JPEG's frame header behind its metadata and thumbnails.
constexpr DWORD kHeadBytes = 512 * 1024;
// Rows asked of a codec at a time: few calls, little held.
constexpr int32_t kBandRows = 64;

struct Head {
    std::vector<uint8_t> bytes;
    uint64_t fileSize = 0;
};

std::optional<Head> ReadHead(const std::wstring& path) {
    const platform::UniqueHandle file =
        platform::OpenedFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return std::nullopt;
    Head head;
    head.fileSize = uint64_t(size.QuadPart);
    head.bytes.resize(size_t(std::min<uint64_t>(head.fileSize, kHeadBytes)));
    DWORD read = 0;
    if (!ReadFile(file.get(), head.bytes.data(), DWORD(head.bytes.size()), &read, nullptr)) return std::nullopt;
    head.bytes.resize(read);
    return head;
}

// Rows of a codec's picture, asked for a band at a time (`copy` fills a rectangle, 32 bits a
// pixel B, G, R, unused); 0x00RRGGBB once the unused byte is cleared.
class Bands {
public:
    using Copy = std::function<HRESULT(const WICRect& rect, UINT stride, UINT bytes, BYTE* out)>;
    Bands(int32_t width, int32_t height, Copy copy) : width_(width), height_(height), copy_(std::move(copy)) {}

    void Row(int32_t row, int32_t first, int32_t count, uint32_t* out) {
        if (row < top_ || row >= top_ + rows_) {
            top_ = row;
            rows_ = std::min(kBandRows, height_ - row);
            band_.resize(size_t(width_) * size_t(rows_));
            const WICRect rect{0, top_, width_, rows_};
            const HRESULT copied =
                copy_(rect, UINT(width_) * 4, UINT(band_.size() * 4), reinterpret_cast<BYTE*>(band_.data()));
            if (FAILED(copied))
                throw platform::RuntimeError(platform::RuntimeError::kPlatformCall,
                                             "The wallpaper could not be decoded.", uint32_t(copied));
        }
        const uint32_t* from = band_.data() + size_t(row - top_) * size_t(width_) + size_t(first);
        std::transform(from, from + count, out, [](uint32_t pixel) { return pixel & 0x00FFFFFF; });
    }

private:
    int32_t width_, height_;
    Copy copy_;
    int32_t top_ = 0, rows_ = 0;
    std::vector<uint32_t> band_;
};

// The imaging component; none where it cannot be created at all.
platform::ComPtr<IWICImagingFactory> ImagingFactory() {
    platform::ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.PutVoid())))
        factory.Reset();
    return factory;
}

// An 8 x 8 baseline JPEG of mid-grey: three channels, every block "no difference, end of block".
constexpr uint8_t kTinyJpeg[] = {
    0xFF, 0xD8,              // start of image
    0xFF, 0xDB, 0, 0x43, 0,  // one quantization table of 64 ones
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    0xFF, 0xC0, 0, 0x11, 0x08, 0, 0x08, 0, 0x08, 0x03, 1, 0x11, 0, 0x02, 0x11, 0, 0x03, 0x11, 0,  // the frame
    0xFF, 0xC4, 0, 0x26,  // two Huffman tables of one code each: DC "no difference", AC "end of block"
    0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0xFF, 0xDA, 0, 0x0C, 0x03, 1, 0, 0x02, 0, 0x03, 0, 0, 0x3F, 0,  // the scan
    0x03,                                                           // three blocks of codes 0 0, padded with ones
    0xFF, 0xD9};

// Whether the platform's JPEG codec decodes at a reduced size, asked once of a tiny JPEG in
// memory: a codec that offers it reads only the header when a file is opened.
bool ReducedJpeg(IWICImagingFactory* factory) {
    static const bool offered = [factory] {
        platform::ComPtr<IWICStream> stream;
        platform::ComPtr<IWICBitmapDecoder> decoder;
        platform::ComPtr<IWICBitmapFrameDecode> frame;
        platform::ComPtr<ISourceTransform> transform;
        return SUCCEEDED(factory->CreateStream(stream.Put())) &&
               SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(kTinyJpeg), sizeof kTinyJpeg)) &&
               SUCCEEDED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                          decoder.Put())) &&
               SUCCEEDED(decoder->GetFrame(0, frame.Put())) &&
               SUCCEEDED(frame->QueryInterface(kIidSourceTransform, transform.PutVoid()));
    }();
    return offered;
}

std::optional<std::vector<Piece>> DecodeWithImaging(IWICImagingFactory* factory, const std::wstring& path,
                                                    const ImageHeader& header, std::vector<Piece> pieces) {
    // Held to the budget by its header before any codec opens it: some decode all as they open.
    if (!WorthOpening(header, ReducedJpeg(factory))) return std::nullopt;
    platform::ComPtr<IWICBitmapDecoder> decoder;
    platform::ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())))
        return std::nullopt;
    // The codec's own idea of the size must be the header's: the pieces were placed by it.
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width != header.width || height != header.height)
        return std::nullopt;
    std::optional<PixelSize> offer;
    platform::ComPtr<ISourceTransform> transform;
    const PixelSize needed = NeededSize(pieces);
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    if (needed.width > 0 && SUCCEEDED(frame->QueryInterface(kIidSourceTransform, transform.PutVoid())) &&
        SUCCEEDED(transform->GetClosestPixelFormat(&format)) && format == GUID_WICPixelFormat32bppBGR) {
        UINT w = needed.width, h = needed.height;
        if (SUCCEEDED(transform->GetClosestSize(&w, &h))) offer = PixelSize{w, h};
    }
    const DecodeChoice choice = ChooseDecode(header, offer);
    if (choice.refused) return std::nullopt;
    const int32_t w = int32_t(choice.size.width), h = int32_t(choice.size.height);
    if (choice.reduced) {
        Bands bands(w, h, [&](const WICRect& rect, UINT stride, UINT bytes, BYTE* out) {
            WICPixelFormatGUID wanted = GUID_WICPixelFormat32bppBGR;
            return transform->CopyPixels(&rect, UINT(w), UINT(h), &wanted, WICBitmapTransformRotate0, stride, bytes, out);
        });
        FillPieces(pieces, w, h, [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
            bands.Row(row, first, count, out);
        });
        return pieces;
    }
    platform::ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return std::nullopt;
    Bands bands(w, h, [&](const WICRect& rect, UINT stride, UINT bytes, BYTE* out) {
        return converter->CopyPixels(&rect, stride, bytes, out);
    });
    FillPieces(pieces, w, h, [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
        bands.Row(row, first, count, out);
    });
    return pieces;
}

// USER's loader, only where the imaging component cannot be created, and only for a BMP
// whose header was checked against the file: it holds the bitmap and a copy of it.
std::optional<std::vector<Piece>> DecodeBitmapFile(const std::wstring& path, const ImageHeader& header,
                                                   std::vector<Piece> pieces) {
    if (!LoaderFits(header)) return std::nullopt;
    platform::UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap) return std::nullopt;
    SIZE size{};
    const std::vector<uint32_t> pixels = platform::ReadBitmapPixels(bitmap.get(), &size);
    bitmap.reset();
    if (size.cx != LONG(header.width) || size.cy != LONG(header.height) ||
        pixels.size() != size_t(size.cx) * size_t(size.cy))
        return std::nullopt;
    FillPieces(pieces, size.cx, size.cy, [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
        std::copy_n(pixels.begin() + int64_t(row) * size.cx + first, count, out);
    });
    return pieces;
}

}  // namespace

std::optional<std::vector<Piece>> DecodeWallpaper(const std::wstring& path, WallpaperStyle style,
                                                  const std::vector<platform::Rect>& monitors,
                                                  const platform::Rect& desktop, Decoders decoders) {
    try {
        const std::optional<Head> head = ReadHead(path);
        if (!head) return std::nullopt;
        const std::optional<ImageHeader> header = ReadImageHeader(head->bytes, head->fileSize);
        if (!header) return std::nullopt;
        std::vector<Piece> pieces = PlacePieces(style, monitors, desktop, header->width, header->height);
        if (pieces.size() != monitors.size()) return std::nullopt;
        platform::ComApartment apartment;
        platform::ComPtr<IWICImagingFactory> factory;
        if (decoders == Decoders::kAll) factory = ImagingFactory();
        if (factory) return DecodeWithImaging(factory.Get(), path, *header, std::move(pieces));
        return DecodeBitmapFile(path, *header, std::move(pieces));
    } catch (const std::bad_alloc&) {
    } catch (const platform::RuntimeError&) {
    }
    return std::nullopt;
}

std::span<const uint8_t> JpegProbe() { return kTinyJpeg; }

}  // namespace desktop
