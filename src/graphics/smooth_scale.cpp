// Area-averaging scaler; see smooth_scale.h.
#include "graphics/smooth_scale.h"

#include <algorithm>
#include <limits>

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

// One target fed source rows in increasing order; it finishes each new row when the last
// source row under it has come.
class PartScaler {
public:
    PartScaler(int32_t sourceWidth, int32_t sourceHeight, const ScaleTarget& target) {
        if (sourceWidth <= 0 || sourceHeight <= 0 || target.width <= 0 || target.height <= 0) return;
        const platform::Rect& part = target.part;
        const int32_t left = std::clamp(part.left, 0, target.width), top = std::clamp(part.top, 0, target.height);
        const int32_t right = std::clamp(int64_t(part.left) + part.width, int64_t(left), int64_t(target.width));
        const int32_t bottom = std::clamp(int64_t(part.top) + part.height, int64_t(top), int64_t(target.height));
        width_ = right - left;
        height_ = bottom - top;
        if (width_ == 0 || height_ == 0) return;
        columns_ = Weights(sourceWidth, target.width, left, width_);
        lines_ = Weights(sourceHeight, target.height, top, height_);
        total_ = int64_t(sourceWidth) * sourceHeight;
        across_.resize(static_cast<size_t>(width_) * 3);
        sum_.resize(across_.size());
        out_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    }

    bool Empty() const { return out_.empty(); }
    int32_t FirstRow() const { return lines_.front().front().source; }
    int32_t LastRow() const { return lines_.back().back().source; }
    int32_t FirstColumn() const { return columns_.front().front().source; }
    int32_t LastColumn() const { return columns_.back().back().source; }
    bool Wants(int32_t row) const { return !Empty() && row >= FirstRow() && row <= LastRow(); }

    // `line` holds the source row from column `lineFirst` on.
    void Add(int32_t row, const uint32_t* line, int32_t lineFirst) {
        bool summed = false;
        while (y_ < height_) {
            const std::vector<Weight>& down = lines_[static_cast<size_t>(y_)];
            if (down.front().source > row) return;
            for (const Weight& w : down) {
                if (w.source != row) continue;
                if (!summed) SumAcross(line, lineFirst);
                summed = true;
                for (size_t i = 0; i < sum_.size(); ++i) sum_[i] += w.weight * across_[i];
            }
            if (down.back().source != row) return;
            Finish();
        }
    }

    std::vector<uint32_t> Take() { return std::move(out_); }

private:
    void SumAcross(const uint32_t* line, int32_t lineFirst) {
        for (int32_t x = 0; x < width_; ++x) {
            int64_t* s = &across_[static_cast<size_t>(x) * 3];
            s[0] = s[1] = s[2] = 0;
            for (const Weight& w : columns_[static_cast<size_t>(x)]) {
                const uint32_t p = line[w.source - lineFirst];
                s[0] += w.weight * ((p >> 16) & 0xFF);
                s[1] += w.weight * ((p >> 8) & 0xFF);
                s[2] += w.weight * (p & 0xFF);
            }
        }
    }

    void Finish() {
        uint32_t* dest = &out_[static_cast<size_t>(y_) * static_cast<size_t>(width_)];
        for (int32_t x = 0; x < width_; ++x) {
            uint32_t value = 0;
            for (int c = 0; c < 3; ++c)
                value = (value << 8) | static_cast<uint32_t>((sum_[static_cast<size_t>(x) * 3 + c] + total_ / 2) / total_);
            dest[x] = value;
        }
        std::fill(sum_.begin(), sum_.end(), 0);
        ++y_;
    }

    int32_t width_ = 0, height_ = 0, y_ = 0;
    int64_t total_ = 1;
    std::vector<std::vector<Weight>> columns_, lines_;
    // One source row summed across every new column, red, green, blue side by side.
    std::vector<int64_t> across_, sum_;
    std::vector<uint32_t> out_;
};

}  // namespace

std::vector<std::vector<uint32_t>> ScaleSmoothAll(int32_t sourceWidth, int32_t sourceHeight, const SourceRows& rows,
                                                  const std::vector<ScaleTarget>& targets) {
    std::vector<PartScaler> scalers;
    scalers.reserve(targets.size());
    int32_t firstRow = std::numeric_limits<int32_t>::max(), lastRow = -1;
    int32_t firstColumn = std::numeric_limits<int32_t>::max(), lastColumn = -1;
    for (const ScaleTarget& target : targets) {
        const PartScaler& s = scalers.emplace_back(sourceWidth, sourceHeight, target);
        if (s.Empty()) continue;
        firstRow = std::min(firstRow, s.FirstRow());
        lastRow = std::max(lastRow, s.LastRow());
        firstColumn = std::min(firstColumn, s.FirstColumn());
        lastColumn = std::max(lastColumn, s.LastColumn());
    }
    if (lastRow >= 0) {
        std::vector<uint32_t> line(static_cast<size_t>(lastColumn - firstColumn + 1));
        for (int32_t row = firstRow; row <= lastRow; ++row) {
            if (std::none_of(scalers.begin(), scalers.end(), [row](const PartScaler& s) { return s.Wants(row); }))
                continue;
            rows(row, firstColumn, int32_t(line.size()), line.data());
            for (PartScaler& s : scalers)
                if (s.Wants(row)) s.Add(row, line.data(), firstColumn);
        }
    }
    std::vector<std::vector<uint32_t>> out;
    out.reserve(scalers.size());
    for (PartScaler& s : scalers) out.push_back(s.Take());
    return out;
}

std::vector<uint32_t> ScaleSmooth(int32_t sourceWidth, int32_t sourceHeight, const SourceRows& rows, int32_t width,
                                  int32_t height, platform::Rect part) {
    return std::move(ScaleSmoothAll(sourceWidth, sourceHeight, rows, {{width, height, part}}).front());
}

std::vector<uint32_t> ScaleSmooth(const std::vector<uint32_t>& pixels, int32_t stride, int32_t sourceWidth,
                                  int32_t sourceHeight, int32_t width, int32_t height) {
    const SourceRows rows = [&](int32_t row, int32_t first, int32_t count, uint32_t* out) {
        std::copy_n(pixels.begin() + int64_t(row) * stride + first, count, out);
    };
    return ScaleSmooth(sourceWidth, sourceHeight, rows, width, height, {0, 0, width, height});
}

}  // namespace graphics
