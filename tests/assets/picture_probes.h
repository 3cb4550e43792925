// Measuring tools for the picture tests: bounding boxes of colour classes and the count of
// see-through (white) spots inside a drawing, computed independently of how the art is made.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

#include "assets/image.h"

namespace assets::testing {

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; right < left means empty
    bool Empty() const { return right < left; }
    bool Contains(const Box& o) const {
        return o.Empty() ||
               (left <= o.left && top <= o.top && o.right <= right && o.bottom <= bottom);
    }
    bool operator==(const Box&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Box& b) {
    if (b.Empty()) return os << "(empty)";
    return os << "x " << b.left << "-" << b.right << ", y " << b.top << "-" << b.bottom;
}

inline Box BoundingBox(const assets::Picture& image, const std::function<bool(int, int)>& selected) {
    Box box{image.width, image.height, -1, -1};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!selected(x, y)) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
        }
    }
    if (box.right < 0) return Box{};
    return box;
}

inline Box BoxOfColour(const assets::Picture& image, uint32_t colour) {
    return BoundingBox(image, [&](int x, int y) { return image.At(x, y) == colour; });
}

inline Box BoxOfNot(const assets::Picture& image, uint32_t background) {
    return BoundingBox(image, [&](int x, int y) { return image.At(x, y) != background; });
}

// White pixels that the eye takes as part of the drawing: those the outside background cannot
// reach (4-connected), and one-pixel slits with drawing directly on both sides (the gap
// between two barrels is open at the muzzle but still a slit).
inline int SeeThroughSpots(const assets::Picture& image, uint32_t white) {
    const int w = image.width, h = image.height;
    std::vector<char> outside(std::size_t(w) * std::size_t(h), 0);
    std::vector<std::pair<int, int>> stack;
    auto push = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        char& seen = outside[std::size_t(y) * std::size_t(w) + std::size_t(x)];
        if (seen || image.At(x, y) != white) return;
        seen = 1;
        stack.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) {
        push(x, 0);
        push(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        push(0, y);
        push(w - 1, y);
    }
    while (!stack.empty()) {
        auto [x, y] = stack.back();
        stack.pop_back();
        push(x + 1, y);
        push(x - 1, y);
        push(x, y + 1);
        push(x, y - 1);
    }
    auto drawn = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && image.At(x, y) != white;
    };
    int count = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (image.At(x, y) != white) continue;
            const bool enclosed = !outside[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            const bool slit =
                (drawn(x - 1, y) && drawn(x + 1, y)) || (drawn(x, y - 1) && drawn(x, y + 1));
            if (enclosed || slit) ++count;
        }
    }
    return count;
}

inline std::set<uint32_t> Colours(const assets::Picture& image) {
    return {image.pixels.begin(), image.pixels.end()};
}

}  // namespace assets::testing
