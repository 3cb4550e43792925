// Reading and making 32-bit top-down DIBs; see dib_win32.h.
#include "platform/dib_win32.h"

#include <cstring>
#include <utility>

#include "platform/runtime_win32.h"

namespace platform {

BITMAPINFO TopDown32Info(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::vector<uint32_t> ReadBitmapPixels(HBITMAP bitmap, SIZE* size) {
    BITMAP bm{};
    if (!GetObjectW(bitmap, sizeof bm, &bm)) ThrowLastError("GetObject");
    std::vector<uint32_t> pixels(size_t(bm.bmWidth) * size_t(bm.bmHeight));
    BITMAPINFO info = TopDown32Info(bm.bmWidth, bm.bmHeight);
    WindowDc screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, UINT(bm.bmHeight), pixels.data(), &info, DIB_RGB_COLORS) != bm.bmHeight)
        ThrowLastError("GetDIBits");
    // GDI leaves the fourth byte undefined; colour keys compare whole pixels.
    for (uint32_t& p : pixels) p &= 0x00FFFFFF;
    if (size) *size = SIZE{bm.bmWidth, bm.bmHeight};
    return pixels;
}

Picture ReadBitmapPicture(HBITMAP bitmap) {
    SIZE size{};
    std::vector<uint32_t> pixels = ReadBitmapPixels(bitmap, &size);
    return Picture(size.cx, size.cy, std::move(pixels));
}

UniqueBitmap MakeDibSection(int32_t width, int32_t height, const std::vector<uint32_t>& pixels) {
    if (pixels.size() != size_t(width) * size_t(height)) throw RuntimeError::SubscriptOutOfRange();
    BITMAPINFO info = TopDown32Info(width, height);
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) ThrowLastError("CreateDIBSection");
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    return bitmap;
}

}  // namespace platform
