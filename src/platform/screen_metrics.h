// The screen's size in twips and its twips-per-pixel factors, as the window toolkit reports
// them, from the pixel size and the dots per inch on each axis. The Win32 runtime supplies
// the figures; the battle set-up and the cursor rule use the result.
#pragma once

namespace platform {

struct ScreenTwips {
    float width = 0;            // whole screen, twips
    float height = 0;
    float twipsPerPixelX = 15;  // 1440 / dots per inch
    float twipsPerPixelY = 15;
    int dpi = 96;               // horizontal dots per inch, what the sprite scale is chosen by
};

// A dots-per-inch figure that is not positive counts as 96.
ScreenTwips ScreenTwipsFor(int widthPx, int heightPx, int dpiX, int dpiY);

}  // namespace platform
