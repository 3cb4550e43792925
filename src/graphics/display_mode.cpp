// The display-mode rule; see display_mode.h.
#include "graphics/display_mode.h"

namespace graphics {

bool NeedsModeChange(const std::optional<DisplayMode>& current, const DisplayMode& wanted) {
    if (!current) return true;
    return current->width != wanted.width || current->height != wanted.height ||
           current->bitsPerPixel != wanted.bitsPerPixel;
}

bool ResizedSince(const std::optional<DisplayMode>& current, const DisplayMode& planned) {
    return current && (current->width != planned.width || current->height != planned.height);
}

}  // namespace graphics
