// Whether taking the full screen must change the display mode: only when the primary's
// current mode is not the one asked for, so a desktop already in that mode is never
// touched (and nothing has to be put back); and whether the primary was resized since the
// caller planned for it. The DirectDraw display asks before it switches, and reads a raw
// pixel of the mode's depth through PixelOfDepth.
#pragma once

#include <cstdint>
#include <optional>

namespace graphics {

struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
};

// True when `current` (unknown when the platform could not say) differs from `wanted` in
// size or depth; the refresh rate is the driver's and plays no part.
bool NeedsModeChange(const std::optional<DisplayMode>& current, const DisplayMode& wanted);

// True when the primary's size now (unknown: it cannot be told) is not the size `planned`
// for it: the user changed it since, and switching it back would undo that change.
bool ResizedSince(const std::optional<DisplayMode>& current, const DisplayMode& planned);

// The first pixel's raw value from the four bytes read at its place: only the low `bits`
// belong to it below 32 bits a pixel; an unknown depth (0) or 32 keeps all four.
uint32_t PixelOfDepth(uint32_t fourBytes, uint32_t bits);

}  // namespace graphics
