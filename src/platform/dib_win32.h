// 32-bit top-down device-independent pixels, the form in which the saver moves pictures
// between GDI bitmaps and its own pixel arrays (0x00RRGGBB on this little-endian machine).
// Used by the sprite loader, the DirectDraw display, the preview and the tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/handles_win32.h"
#include "platform/picture.h"

namespace platform {

BITMAPINFO TopDown32Info(int32_t width, int32_t height);

// The bitmap's pixels as 0x00RRGGBB, row by row from the top, whatever its stored depth (the
// explosion has a palette); the size goes to `size` when given. Raises RuntimeError when GDI
// cannot read it.
std::vector<uint32_t> ReadBitmapPixels(HBITMAP bitmap, SIZE* size = nullptr);

// The same as a picture: the one way a bitmap becomes one.
Picture ReadBitmapPicture(HBITMAP bitmap);

// A DIB section holding width x height pixels given as above. Raises RuntimeError.
UniqueBitmap MakeDibSection(int32_t width, int32_t height, const std::vector<uint32_t>& pixels);
inline UniqueBitmap MakeDibSection(const Picture& picture) {
    return MakeDibSection(picture.width, picture.height, picture.pixels);
}

}  // namespace platform
