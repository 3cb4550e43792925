// The sprite pictures as the program's bitmap resources hold them (ship pictures by picture
// number 1..16, and the explosion), at the size the screen's DPI asks for. The saver window
// loads them once per sprite scale and every screen's set-up makes its surfaces from them.
#pragma once

#include "assets/sprite_art.h"
#include "platform/picture.h"

namespace assets {

// Picture 1..16 (1 + side * 8 + direction * 2 + flash); another number is a subscript
// error, a missing resource a failed-call error. A scale above 1 enlarges the picture by
// whole pixels.
platform::Picture LoadShipPicture(int number, int scale = 1);
platform::Picture LoadExplosionPicture(int scale = 1);
// Every sprite from the resources, as ArtSprites makes them from the art.
SpriteSet LoadSprites(int scale);

}  // namespace assets
