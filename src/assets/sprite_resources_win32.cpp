// Loads the sprite pictures from the resources of the running program. DIB sections keep
// the stored pixels exactly, whatever the current display depth; enlarged pictures are
// scaled in the portable core.
#include "assets/sprite_resources_win32.h"

#include "assets/image.h"
#include "assets/resource_ids.h"
#include "assets/sprite_art.h"
#include "platform/dib_win32.h"
#include "platform/runtime_error.h"
#include "platform/runtime_win32.h"

namespace assets {
namespace {

platform::Picture LoadScaled(int id, int scale) {
    HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                              LR_CREATEDIBSECTION);
    if (!image) platform::ThrowLastError("LoadImage");
    const platform::UniqueBitmap bitmap(static_cast<HBITMAP>(image));
    return ScaleNearest(platform::ReadBitmapPicture(bitmap.get()), scale);
}

}  // namespace

platform::Picture LoadShipPicture(int number, int scale) {
    return LoadScaled(IDB_SHIP_FIRST + CheckShipPictureNumber(number) - 1, scale);
}

platform::Picture LoadExplosionPicture(int scale) { return LoadScaled(IDB_EXPLOSION, scale); }

SpriteSet LoadSprites(int scale) {
    SpriteSet sprites;
    for (int number = 1; number <= kShipPictureCount; ++number) sprites.push_back({number, LoadShipPicture(number, scale)});
    sprites.push_back({kExplosionSpriteId, LoadExplosionPicture(scale)});
    return sprites;
}

}  // namespace assets
