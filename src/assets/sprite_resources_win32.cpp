// Loads the sprite bitmaps from the resources of the running program. DIB sections keep
// the stored pixels exactly, whatever the current display depth; enlarged pictures are
// scaled in the portable core and handed back as 32-bit DIB sections.
#include "assets/sprite_resources_win32.h"

#include "assets/image.h"
#include "assets/resource_ids.h"
#include "assets/sprite_art.h"
#include "platform/dib_win32.h"
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

platform::UniqueBitmap LoadScaled(int id, int scale) {
    platform::UniqueBitmap original = LoadBitmapResource(id);
    if (scale <= 1) return original;
    Image picture;
    SIZE size{};
    picture.pixels = platform::ReadBitmapPixels(original.get(), &size);
    picture.width = size.cx;
    picture.height = size.cy;
    const Image scaled = ScaleNearest(picture, scale);
    return platform::MakeDibSection(scaled.width, scaled.height, scaled.pixels);
}

}  // namespace

platform::UniqueBitmap LoadPictureBitmap(int number, int scale) {
    return LoadScaled(IDB_SHIP_FIRST + CheckShipPictureNumber(number) - 1, scale);
}

platform::UniqueBitmap LoadExplosionBitmap(int scale) { return LoadScaled(IDB_EXPLOSION, scale); }

void LoadSprites(int scale, const std::function<void(int surfaceId, HBITMAP bitmap)>& use) {
    for (int number = 1; number <= kShipPictureCount; ++number) use(number, LoadPictureBitmap(number, scale).get());
    use(kShipPictureCount + 1, LoadExplosionBitmap(scale).get());
}

}  // namespace assets
