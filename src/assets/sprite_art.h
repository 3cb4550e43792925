// The saver's catalogue of pictures: the sixteen ship sprites, the explosion, the preview
// shown in the host's monitor picture and the program icon. The Windows loader turns these
// into bitmaps; artgen writes them out for review.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/image.h"
#include "platform/runtime_error.h"

namespace assets {

constexpr int kShipPictureCount = 16;
constexpr int kPictureWidth = 117;
constexpr int kPictureHeight = 44;

// The sprite colours. White is the transparent key of every blit, so it must never be used
// for anything that should show; near-white is.
constexpr uint32_t kWhite = Rgb(255, 255, 255);
constexpr uint32_t kFlagRed = Rgb(255, 0, 0);
constexpr uint32_t kFlagBlue = Rgb(0, 0, 255);

// The icon marks its see-through pixels with this colour, which it uses for nothing else.
constexpr uint32_t kIconTransparent = Rgb(255, 0, 255);

// The one numbering of the ship pictures, used by the battle to pick a sprite and by the
// pictures below to draw it: 1 + side * 8 + heading * 2 + (1 when firing), with side 0 red,
// 1 blue and the headings 0 right, 1 down, 2 left, 3 up. In checked 16-bit arithmetic, as
// the battle's state is 16-bit: a number outside 1..16 raises platform::RuntimeError
// (overflow, or subscript out of range).
int16_t ShipPictureNumber(int32_t side, int32_t heading, bool firing);
// The check alone: returns the number, or raises subscript out of range.
inline int CheckShipPictureNumber(int number) {
    if (number < 1 || number > kShipPictureCount) throw platform::RuntimeError::SubscriptOutOfRange();
    return number;
}

// One sprite and the surface id a frame display knows it by: a ship picture by its number
// (1..16), the explosion as kExplosionSpriteId.
inline constexpr int kExplosionSpriteId = kShipPictureCount + 1;
struct Sprite {
    int surfaceId = 0;
    Picture picture;
};
// Every sprite, ships 1..16 then the explosion.
using SpriteSet = std::vector<Sprite>;

// The art's own sprites enlarged `scale` times: what the saver loads from its resources
// (LoadSprites), made here for the tools and the tests.
SpriteSet ArtSprites(int scale = 1);

// Picture 1..16; another number is a subscript error.
Picture ShipPicture(int number);
Picture ExplosionPicture();
Picture PreviewPicture();
Picture IconPicture();

}  // namespace assets
