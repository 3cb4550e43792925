// The display-mode rule; see display_mode.h.
#include "graphics/display_mode.h"

namespace graphics {

std::optional<DisplayMode> ModeToSwitchTo(const std::optional<DisplayMode>& current, const DisplayMode& wanted,
                                      SizeRule size) {
    if (!current) return wanted;
    DisplayMode target = wanted;
    if (size == SizeRule::kKeep) {
        target.width = current->width;
        target.height = current->height;
    }
    if (target == *current) return std::nullopt;
    return target;
}

}  // namespace graphics
