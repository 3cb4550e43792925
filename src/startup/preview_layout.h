// How big the preview is inside the host's preview window. The preview window uses it when
// it embeds itself; the rule is portable so its bounds are tested natively.
#pragma once

#include <cstdint>
#include <vector>

namespace startup {

// The preview window's client size in a host of the classic size; it shows the picture's
// first 114 of its 115 rows (assets::kPreviewPictureHeight), so the picture's last row is
// cut off, as it always was.
inline constexpr int kPreviewWindowWidth = 155;
inline constexpr int kPreviewWindowHeight = 114;

struct PreviewSize {
    int width = kPreviewWindowWidth;
    int height = kPreviewWindowHeight;
    bool scaled = false;  // the picture is stretched to width x height
};

// A host whose client area is no larger than 155 x 114 gets the preview as it always was,
// drawn unscaled from its top-left corner. A larger one (the monitor picture of a host at
// more than 100 % scaling) is filled: the preview takes the host's size and the picture is
// scaled to it.
PreviewSize PreviewSizeFor(int hostWidth, int hostHeight);

// Pixels of one colour each (0x00RRGGBB), row-major, top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> values;
};

// The top-left sourceWidth x sourceHeight of `source` scaled to width x height by area
// averaging: each new pixel is the mean of the source area it covers, weighted by how much
// of each source pixel lies in it, rounded to nearest. Smooth at any factor, the same on
// every platform (the platform's own smooth stretch is not smooth everywhere), exact at
// 1 : 1 and on areas of one colour.
Pixels ScaleSmooth(const Pixels& source, int sourceWidth, int sourceHeight, int width, int height);

}  // namespace startup
