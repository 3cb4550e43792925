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

uint32_t PixelOfDepth(uint32_t fourBytes, uint32_t bits) {
    return bits > 0 && bits < 32 ? fourBytes & ((1u << bits) - 1) : fourBytes;
}

}  // namespace graphics
