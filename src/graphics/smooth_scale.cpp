// Area-averaging scaler; see smooth_scale.h.
#include "graphics/smooth_scale.h"

#include <algorithm>

namespace graphics {
namespace {

// Along one axis a source pixel i spans [i * to, (i + 1) * to) and a new pixel j spans
// [j * from, (j + 1) * from), in units of 1 / (from * to) of the line, so every overlap is
// a whole number and the weights of one new pixel add up to `from`.
struct Weight {
    int32_t source = 0;
    int64_t weight = 0;
};

// The weights of new pixels [first, first + count), one list each.
std::vector<std::vector<Weight>> Weights(int32_t from, int32_t to, int32_t first, int32_t count) {
    std::vector<std::vector<Weight>> all(static_cast<size_t>(count));
    for (int32_t n = 0; n < count; ++n) {
        const int64_t begin = int64_t(first + n) * from, end = begin + from;
        for (int64_t i = begin / to; i * to < end; ++i)
            all[static_cast<size_t>(n)].push_back(
                {int32_t(i), std::min<int64_t>(end, (i + 1) * to) - std::max<int64_t>(begin, i * to)});
    }
    return all;
}

}  // namespace

std::vector<uint32_t> ScaleSmooth(int32_t sourceWidth, int32_t sourceHeight, const SourceRows& rows, int32_t width,
                                  int32_t height, ScaledPart part) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0) return {};
    const int32_t left = std::clamp(part.left, 0, width), top = std::clamp(part.top, 0, height);
    const int32_t right = std::clamp(int64_t(part.left) + part.width, int64_t(left), int64_t(width));
    const int32_t bottom = std::clamp(int64_t(part.top) + part.height, int64_t(top), int64_t(height));
    const int32_t partWidth = right - left, partHeight = bottom - top;
    if (partWidth == 0 || partHeight == 0) return {};

    const auto columns = Weights(sourceWidth, width, left, partWidth);
    const auto lines = Weights(sourceHeight, height, top, partHeight);
    const int32_t firstColumn = columns.front().front().source;
    const int32_t columnCount = columns.back().back().source + 1 - firstColumn;
    const int64_t total = int64_t(sourceWidth) * sourceHeight;

    std::vector<uint32_t> line(static_cast<size_t>(columnCount));
    // One source row summed across every new column, red, green, blue side by side; kept
    // for the next new row, which starts on the same source row where they share it.
    std::vector<int64_t> across(static_cast<size_t>(partWidth) * 3);
    std::vector<int64_t> sum(across.size());
    int32_t acrossRow = -1;
    std::vector<uint32_t> out(static_cast<size_t>(partWidth) * static_cast<size_t>(partHeight));
    for (int32_t y = 0; y < partHeight; ++y) {
        std::fill(sum.begin(), sum.end(), 0);
        for (const Weight& down : lines[static_cast<size_t>(y)]) {
            if (down.source != acrossRow) {
                rows(down.source, firstColumn, columnCount, line.data());
                acrossRow = down.source;
                for (int32_t x = 0; x < partWidth; ++x) {
                    int64_t* s = &across[static_cast<size_t>(x) * 3];
                    s[0] = s[1] = s[2] = 0;
                    for (const Weight& w : columns[static_cast<size_t>(x)]) {
                        const uint32_t p = line[static_cast<size_t>(w.source - firstColumn)];
                        s[0] += w.weight * ((p >> 16) & 0xFF);
                        s[1] += w.weight * ((p >> 8) & 0xFF);
                        s[2] += w.weight * (p & 0xFF);
                    }
                }
            }
            for (size_t i = 0; i < sum.size(); ++i) sum[i] += down.weight * across[i];
        }
        uint32_t* dest = &out[static_cast<size_t>(y) * static_cast<size_t>(partWidth)];
        for (int32_t x = 0; x < partWidth; ++x) {
            uint32_t value = 0;
            for (int c = 0; c < 3; ++c)
                value = (value << 8) | static_cast<uint32_t>((sum[static_cast<size_t>(x) * 3 + c] + total / 2) / total);
            dest[x] = value;
        }
    }
    return out;
}

std::vector<uint32_t> ScaleSmooth(const std::vector<uint32_t>& pixels, int32_t stride, int32_t sourceWidth,
                                  int32_t sourceHeight, int32_t width, int32_t height) {
    const SourceRows rows = [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
        std::copy_n(pixels.begin() + int64_t(row) * stride + first, count, out);
    };
    return ScaleSmooth(sourceWidth, sourceHeight, rows, width, height, {0, 0, width, height});
}

}  // namespace graphics
