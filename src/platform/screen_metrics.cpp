// The twips-per-pixel factors; see screen_metrics.h.
#include "platform/screen_metrics.h"

namespace platform {

ScreenTwips ScreenTwipsFor(int dpiX, int dpiY) {
    ScreenTwips t;
    t.twipsPerPixelX = 1440.0f / static_cast<float>(UsableDpi(dpiX));
    t.twipsPerPixelY = 1440.0f / static_cast<float>(UsableDpi(dpiY));
    t.dpi = UsableDpi(dpiX);
    return t;
}

}  // namespace platform
