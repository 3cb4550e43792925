// The preview's size rule and its smooth scaling; see preview_layout.h.
#include "startup/preview_layout.h"

#include <algorithm>

namespace startup {

PreviewSize PreviewSizeFor(int hostWidth, int hostHeight) {
    if (hostWidth <= kPreviewWindowWidth && hostHeight <= kPreviewWindowHeight) return {};
    return {hostWidth, hostHeight, true};
}


namespace {

// Source pixel i spans [i * to, (i + 1) * to) and new pixel j spans [j * from, (j + 1) * from)
// in units of 1 / (from * to) of the line, so every overlap is a whole number.
struct Span {
    int first = 0;
    std::vector<int64_t> weights;
};

std::vector<Span> Spans(int from, int to) {
    std::vector<Span> spans(static_cast<size_t>(to));
    for (int j = 0; j < to; ++j) {
        const int64_t begin = int64_t(j) * from, end = begin + from;
        Span& span = spans[static_cast<size_t>(j)];
        span.first = static_cast<int>(begin / to);
        for (int i = span.first; int64_t(i) * to < end; ++i)
            span.weights.push_back(std::min<int64_t>(end, int64_t(i + 1) * to) -
                                   std::max<int64_t>(begin, int64_t(i) * to));
    }
    return spans;
}

}  // namespace

Pixels ScaleSmooth(const Pixels& source, int sourceWidth, int sourceHeight, int width, int height) {
    Pixels out{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height))};
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return out;
    const std::vector<Span> columns = Spans(sourceWidth, width), rows = Spans(sourceHeight, height);
    const int64_t total = int64_t(sourceWidth) * sourceHeight;
    for (int y = 0; y < height; ++y) {
        const Span& row = rows[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const Span& column = columns[static_cast<size_t>(x)];
            int64_t sum[3] = {0, 0, 0};
            for (size_t r = 0; r < row.weights.size(); ++r) {
                const size_t line =
                    static_cast<size_t>(row.first + static_cast<int>(r)) * static_cast<size_t>(source.width);
                for (size_t c = 0; c < column.weights.size(); ++c) {
                    const uint32_t p = source.values[line + static_cast<size_t>(column.first) + c];
                    const int64_t w = row.weights[r] * column.weights[c];
                    sum[0] += w * ((p >> 16) & 0xFF);
                    sum[1] += w * ((p >> 8) & 0xFF);
                    sum[2] += w * (p & 0xFF);
                }
            }
            uint32_t value = 0;
            for (int64_t channel : sum) value = (value << 8) | static_cast<uint32_t>((channel + total / 2) / total);
            out.values[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = value;
        }
    }
    return out;
}

}  // namespace startup
