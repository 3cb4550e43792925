// The one smoothing scaler: a picture resized by area averaging. The preview enlarges its
// picture with it and the desktop module places wallpapers with it, reading the picture
// row by row from the decoder, once for every monitor, so that only the drawn parts are held.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/geometry.h"

namespace graphics {

// Fills `out` with `count` pixels (0x00RRGGBB) of source row `row` from column `first`.
// Rows are asked for in increasing order, each at most once; it may throw.
using SourceRows = std::function<void(int32_t row, int32_t first, int32_t count, uint32_t* out)>;

// One picture to make from the source: the source scaled to width x height, of which only
// `part` (columns and rows of the scaled picture) is kept.
struct ScaleTarget {
    int32_t width = 0;
    int32_t height = 0;
    platform::Rect part;
};

// `part` of the source (sourceWidth x sourceHeight) scaled to width x height, row-major:
// each new pixel is the mean of the source area it covers, weighted by how much of each
// source pixel lies in it, each channel rounded to nearest. Smooth at any factor, the same
// on every platform, exact at 1 : 1, at whole enlargements and on areas of one colour.
// Only the source rows and columns under `part` are read; `part` is clipped to the scaled
// picture and nothing is returned for sizes of zero.
std::vector<uint32_t> ScaleSmooth(int32_t sourceWidth, int32_t sourceHeight, const SourceRows& rows, int32_t width,
                                  int32_t height, platform::Rect part);

// Every target from one pass over the source: each source row that any target needs is
// read once, across the columns all of them need, and each result is what ScaleSmooth
// gives for that target alone.
std::vector<std::vector<uint32_t>> ScaleSmoothAll(int32_t sourceWidth, int32_t sourceHeight, const SourceRows& rows,
                                                  const std::vector<ScaleTarget>& targets);

// The whole picture scaled: the top-left sourceWidth x sourceHeight of `pixels`, whose rows
// are `stride` pixels long.
std::vector<uint32_t> ScaleSmooth(const std::vector<uint32_t>& pixels, int32_t stride, int32_t sourceWidth,
                                  int32_t sourceHeight, int32_t width, int32_t height);

}  // namespace graphics
