// Loads the sprite bitmaps from the resources of the running program. DIB sections keep
// the stored pixels exactly, whatever the current display depth.
#include "assets/sprite_resources_win32.h"

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

}  // namespace

platform::UniqueBitmap LoadPictureBitmap(int number) {
    return LoadBitmapResource(IDB_SHIP_FIRST + CheckShipPictureNumber(number) - 1);
}

platform::UniqueBitmap LoadExplosionBitmap() { return LoadBitmapResource(IDB_EXPLOSION); }

}  // namespace assets
