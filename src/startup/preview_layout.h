// How big the preview is inside the host's preview window. The preview window uses it when
// it embeds itself; the rule is portable so its bounds are tested natively.
#pragma once

namespace startup {

// The preview window's client size in a host of the classic size; it shows the picture's
// first 114 of its 115 rows (assets::PreviewPicture), so the picture's last row is
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

}  // namespace startup
