// Reads the pixel-text drawings of art/*.txt into images. The format is meant to be drawn
// and reviewed in a text editor: a legend of one-character colours, then one character per
// pixel.
//
//   # comment lines, only before the pixel rows
//   colour . 255 255 255  any words after the numbers describe the colour
//   colour # 0 0 0
//   pixels 117 44
//   ....##....            exactly <height> rows of exactly <width> characters
#pragma once

#include <stdexcept>
#include <string_view>

#include "assets/image.h"

namespace assets {

// Names the drawing and the line at fault, so a slip in an edited drawing is easy to find.
class PixelTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `name` only appears in error messages.
Picture ParsePixelText(std::string_view text, std::string_view name);

}  // namespace assets
