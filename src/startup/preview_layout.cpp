// The preview's size rule; see preview_layout.h.
#include "startup/preview_layout.h"

namespace startup {

PreviewSize PreviewSizeFor(int hostWidth, int hostHeight) {
    if (hostWidth <= kPreviewWindowWidth && hostHeight <= kPreviewWindowHeight) return {};
    return {hostWidth, hostHeight, true};
}


}  // namespace startup
