// Portable writers for the Windows picture formats the saver ships (BMP, ICO, CUR) and for
// PPM, which review tools convert to PNG. Used by artgen and by the Windows loader, which
// hands the encoded bitmaps to GDI instead of building DIBs by hand.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "assets/image.h"

namespace assets {

// The standard 16-colour VGA palette in its Windows order; 16-colour icons use exactly it.
extern const std::array<uint32_t, 16> kVgaPalette;

// Uncompressed bottom-up BMP with a 40-byte info header; rows padded to 4 bytes.
std::vector<uint8_t> EncodeBmp24(const Picture& image);

// 8 bits per pixel with a full 256-entry palette: the image's colours in order of first
// appearance, unused entries zero. Throws std::invalid_argument beyond 256 colours.
std::vector<uint8_t> EncodeBmp8(const Picture& image);

// A one-image 32 x 32 icon, 4 bits per pixel over kVgaPalette. Pixels of `transparent`
// (which then need not be a VGA colour) go to the AND mask; without it the icon is opaque.
// Throws std::invalid_argument for another size or a colour outside the palette.
std::vector<uint8_t> EncodeIco16(const Picture& image,
                                 std::optional<uint32_t> transparent = std::nullopt);

// A 32 x 32 two-colour cursor with hot spot (0, 0) whose every pixel is transparent
// (AND mask all ones, XOR mask all zeros).
std::vector<uint8_t> EncodeTransparentCursor();

// Binary PPM (P6).
std::vector<uint8_t> EncodePpm(const Picture& image);

}  // namespace assets
