// The sprite pictures as GDI bitmaps, loaded from the program's bitmap resources (ship
// pictures by picture number 1..16, and the explosion). The battle's display turns them
// into surfaces; the battle measures the sprite cell from picture 1.
#pragma once

#include "platform/handles_win32.h"

namespace assets {

// Picture 1..16 (1 + side * 8 + direction * 2 + flash); another number is a subscript
// error, a missing resource a failed-call error.
platform::UniqueBitmap LoadPictureBitmap(int number);
platform::UniqueBitmap LoadExplosionBitmap();

}  // namespace assets
