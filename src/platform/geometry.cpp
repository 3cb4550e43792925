// Rectangle geometry; see geometry.h. Sums are taken in 64 bits: a far-off monitor's right
// edge must not wrap round.
#include "platform/geometry.h"

#include <algorithm>

namespace platform {

bool Overlap(const Rect& a, const Rect& b) { return Intersect(a, b).width > 0; }

Rect Intersect(const Rect& a, const Rect& b) {
    const int64_t left = std::max<int64_t>(a.left, b.left);
    const int64_t top = std::max<int64_t>(a.top, b.top);
    const int64_t right = std::min<int64_t>(int64_t(a.left) + a.width, int64_t(b.left) + b.width);
    const int64_t bottom = std::min<int64_t>(int64_t(a.top) + a.height, int64_t(b.top) + b.height);
    if (right <= left || bottom <= top) return {};
    return {int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
}

Rect Bounds(const std::vector<Rect>& rects) {
    if (rects.empty()) return {};
    int64_t left = rects.front().left, top = rects.front().top;
    int64_t right = left + rects.front().width, bottom = top + rects.front().height;
    for (const Rect& r : rects) {
        left = std::min<int64_t>(left, r.left);
        top = std::min<int64_t>(top, r.top);
        right = std::max<int64_t>(right, int64_t(r.left) + r.width);
        bottom = std::max<int64_t>(bottom, int64_t(r.top) + r.height);
    }
    return {int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
}

}  // namespace platform
