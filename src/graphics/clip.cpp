// Blit clipping; the order of the steps matters (a negative destination corner shifts the
// source before the source limits are checked), so it is kept exactly as one sequence.
#include "graphics/clip.h"

#include "platform/numbers.h"

namespace graphics {

using platform::Add32;
using platform::Sub32;

std::optional<ClippedBlit> ClipBlit(BlitRequest r) {
    if (r.x < 0) { r.w = Add32(r.w, r.x); r.sx = Sub32(r.sx, r.x); r.x = 0; }
    if (r.y < 0) { r.h = Add32(r.h, r.y); r.sy = Sub32(r.sy, r.y); r.y = 0; }
    if (r.w <= 0 || r.h <= 0) return std::nullopt;
    if (r.dw != 0 && Add32(r.x, r.w) > r.dw) r.w = Sub32(r.dw, r.x);
    if (r.dh != 0 && Add32(r.y, r.h) > r.dh) r.h = Sub32(r.dh, r.y);
    if (r.w <= 0 || r.h <= 0) return std::nullopt;
    if (r.sx < 0) { r.w = Add32(r.w, r.sx); r.x = Sub32(r.x, r.sx); r.sx = 0; }
    if (r.sy < 0) { r.h = Add32(r.h, r.sy); r.y = Sub32(r.y, r.sy); r.sy = 0; }
    if (r.w <= 0 || r.h <= 0) return std::nullopt;
    if (r.sw != 0 && Add32(r.sx, r.w) > r.sw) r.w = Sub32(r.sw, r.sx);
    if (r.sh != 0 && Add32(r.sy, r.h) > r.sh) r.h = Sub32(r.sh, r.sy);
    if (r.w <= 0 || r.h <= 0) return std::nullopt;
    return ClippedBlit{r.x, r.y, r.sx, r.sy, Add32(r.sx, r.w), Add32(r.sy, r.h)};
}

}  // namespace graphics
