// Which display mode taking the full screen switches the primary to: none where it already
// runs in the one asked for, so a desktop already in that mode is never touched (and nothing
// has to be put back). The DirectDraw display asks before it switches.
#pragma once

#include <cstdint>
#include <optional>

namespace graphics {

struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    bool operator==(const DisplayMode&) const = default;
};

// What a caller asks of the primary's size.
enum class SizeRule {
    kSwitch,  // the size asked for, whatever the primary has now
    // The size the primary had when the caller looked (the saver plans its screens on the
    // desktop as it is): a primary of another size now was changed by the user since, and
    // keeps it; only the depth is switched there, and the caller learns of the change.
    kKeep,
};

// The mode to switch `current` (unknown when the platform could not say) to for `wanted`,
// or none where it already has wanted's size and depth; the refresh rate is the driver's
// and plays no part. An unknown mode is switched to `wanted`.
std::optional<DisplayMode> ModeToSwitchTo(const std::optional<DisplayMode>& current, const DisplayMode& wanted,
                                      SizeRule size = SizeRule::kSwitch);

}  // namespace graphics
