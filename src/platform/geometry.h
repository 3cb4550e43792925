// The one rectangle of the program and its geometry: monitors, windows, the wallpaper's
// placement and the dialog's place are all left, top, width, height in pixels. The battle's
// monitor layout, the desktop composition and the settings dialog use it.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// In virtual-screen pixels where it lies on the desktop: the primary's top-left is (0, 0),
// monitors left of or above it have negative coordinates.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const Rect&) const = default;
};

// Whether two rectangles share at least one pixel; rectangles that only touch do not.
bool Overlap(const Rect& a, const Rect& b);

// The part of `a` inside `b`; an empty rectangle (all zero) where they share no pixel.
Rect Intersect(const Rect& a, const Rect& b);

// The rectangle around all of them (empty for none).
Rect Bounds(const std::vector<Rect>& rects);

}  // namespace platform
