// What the property tests of every module share: numbers drawn evenly from their whole range,
// rectangles anywhere on a desktop, and the two symmetries every placement, clip and layout
// rule keeps, a shift (the same off the origin as at it) and a transposition (x and y swapped).
#pragma once

#include <rapidcheck.h>

#include <cstdint>
#include <ostream>

#include "platform/geometry.h"

namespace platform {
// How a failing property shows a rectangle.
inline void showValue(const Rect& r, std::ostream& os) {
    os << "{" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << "}";
}
}  // namespace platform

namespace support {

// k / 4 to the nearest whole number, halves to the even one, in whole-number arithmetic: what
// reading "k/4" must give, worked out apart from the reader's own rounding.
inline int64_t NearestHalfEven(int64_t quarters) {
    const int64_t floor = quarters >= 0 ? quarters / 4 : -((-quarters + 3) / 4);
    const int64_t rest = quarters - 4 * floor;  // 0..3
    if (rest < 2) return floor;
    if (rest > 2) return floor + 1;
    return floor % 2 == 0 ? floor : floor + 1;
}

// Any value of [min, max], all equally likely in every case. RapidCheck's own inRange starts
// near min and reaches max only in the last cases; that would leave most of a range untried.
template <class T>
rc::Gen<T> Uniform(T min, T max) {
    return rc::gen::resize(100, rc::gen::inRange<T>(min, max + 1));
}

// Small sizes and places meet each other's edges often, where the faults are.
inline rc::Gen<platform::Rect> GenRect(int32_t far, int32_t minSize, int32_t maxSize) {
    return rc::gen::apply([](int32_t l, int32_t t, int32_t w, int32_t h) { return platform::Rect{l, t, w, h}; },
                          Uniform(-far, far), Uniform(-far, far), Uniform(minSize, maxSize), Uniform(minSize, maxSize));
}

// A shift far enough to leave any origin behind, either way on each axis.
inline rc::Gen<int32_t> GenShift() { return Uniform(-100000, 100000); }

inline platform::Rect Shifted(platform::Rect r, int32_t dx, int32_t dy) {
    r.left += dx;
    r.top += dy;
    return r;
}

inline platform::Rect Transposed(const platform::Rect& r) { return {r.top, r.left, r.height, r.width}; }

}  // namespace support
