// The sprite pictures as GDI bitmaps, loaded from the program's bitmap resources (ship
// pictures by picture number 1..16, and the explosion), at the size the screen's DPI asks
// for. LoadSprites feeds them to either display (DirectDraw's or the other monitors'); the
// battle measures the cell from picture 1.
#pragma once

#include <functional>

#include "platform/handles_win32.h"

namespace assets {

// Picture 1..16 (1 + side * 8 + direction * 2 + flash); another number is a subscript
// error, a missing resource a failed-call error. A scale above 1 enlarges the picture by
// whole pixels (a 32-bit DIB section); at 1 it is the resource's own bitmap, untouched.
platform::UniqueBitmap LoadPictureBitmap(int number, int scale = 1);
platform::UniqueBitmap LoadExplosionBitmap(int scale = 1);

// Hands every sprite to `use` in turn, pictures 1..16 then the explosion, by the surface id a
// frame display knows it by (the picture number, then 17); each bitmap is freed once `use`
// returns.
void LoadSprites(int scale, const std::function<void(int surfaceId, HBITMAP bitmap)>& use);

}  // namespace assets
