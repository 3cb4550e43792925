// Loads the sprite bitmaps from the resources of the running program. DIB sections keep
// the stored pixels exactly, whatever the current display depth; enlarged pictures are
// scaled in the portable core and handed back as 32-bit DIB sections.
#include "assets/sprite_resources_win32.h"

#include <cstring>

#include "assets/image.h"
#include "assets/resource_ids.h"
#include "assets/sprite_art.h"
#include "platform/runtime_error.h"
#include "platform/runtime_win32.h"

namespace assets {
namespace {

platform::UniqueBitmap LoadBitmapResource(int id) {
    HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                              LR_CREATEDIBSECTION);
    if (!image) platform::ThrowLastError("LoadImage");
    return platform::UniqueBitmap(static_cast<HBITMAP>(image));
}

// Top-down 32 bits per pixel: in memory each pixel is blue, green, red, unused, which reads
// as the 0x00RRGGBB of Image on this little-endian machine.
BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The bitmap's pixels whatever its stored depth (the explosion has a palette).
Image ReadPixels(HBITMAP bitmap) {
    BITMAP size{};
    if (!GetObjectW(bitmap, sizeof size, &size)) platform::ThrowLastError("GetObject");
    Image image(size.bmWidth, size.bmHeight, 0);
    BITMAPINFO info = TopDown32(image.width, image.height);
    platform::WindowDc screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, UINT(image.height), image.pixels.data(), &info, DIB_RGB_COLORS) !=
        image.height)
        platform::ThrowLastError("GetDIBits");
    for (uint32_t& p : image.pixels) p &= 0xFFFFFF;
    return image;
}

platform::UniqueBitmap MakeBitmap(const Image& image) {
    BITMAPINFO info = TopDown32(image.width, image.height);
    void* bits = nullptr;
    platform::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) platform::ThrowLastError("CreateDIBSection");
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof image.pixels[0]);
    return bitmap;
}

platform::UniqueBitmap LoadScaled(int id, int scale) {
    platform::UniqueBitmap original = LoadBitmapResource(id);
    if (scale <= 1) return original;
    return MakeBitmap(ScaleNearest(ReadPixels(original.get()), scale));
}

}  // namespace

platform::UniqueBitmap LoadPictureBitmap(int number, int scale) {
    return LoadScaled(IDB_SHIP_FIRST + CheckShipPictureNumber(number) - 1, scale);
}

platform::UniqueBitmap LoadExplosionBitmap(int scale) { return LoadScaled(IDB_EXPLOSION, scale); }

}  // namespace assets
