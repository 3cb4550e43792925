// Screen size in twips; see screen_metrics.h.
#include "platform/screen_metrics.h"

namespace platform {

ScreenTwips ScreenTwipsFor(int widthPx, int heightPx, int dpiX, int dpiY) {
    ScreenTwips t;
    t.twipsPerPixelX = 1440.0f / static_cast<float>(UsableDpi(dpiX));
    t.twipsPerPixelY = 1440.0f / static_cast<float>(UsableDpi(dpiY));
    t.dpi = UsableDpi(dpiX);
    t.width = static_cast<float>(widthPx) * t.twipsPerPixelX;
    t.height = static_cast<float>(heightPx) * t.twipsPerPixelY;
    return t;
}

}  // namespace platform
