// Byte-level writers for BMP, ICO, CUR and PPM. All multi-byte fields are written
// little-endian explicitly so the output is the same on any host, which is what lets artgen
// promise byte-identical files.
#include "assets/image_codecs.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace assets {

const std::array<uint32_t, 16> kVgaPalette = {
    Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
    Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
    Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255),
};

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr int32_t kPixelsPerMetre = 3780;  // 96 dpi, what Windows assumes anyway

class Writer {
public:
    void U8(uint32_t v) { bytes.push_back(uint8_t(v)); }
    void U16(uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v);
        U16(v >> 16);
    }
    // Palette entries and 24-bit pixels are stored blue first.
    void Bgr(uint32_t rgb) {
        U8(BlueOf(rgb));
        U8(GreenOf(rgb));
        U8(RedOf(rgb));
    }
    void Bgr0(uint32_t rgb) {
        Bgr(rgb);
        U8(0);
    }
    void Zeros(std::size_t count) { bytes.insert(bytes.end(), count, 0); }

    std::vector<uint8_t> bytes;
};

uint32_t RowBytes(int width, int bitsPerPixel) {
    return ((uint32_t(width) * uint32_t(bitsPerPixel) + 31) / 32) * 4;
}

// `heightField` differs from the picture height in icons, whose header counts both masks.
void InfoHeader(Writer& w, int width, int heightField, int bitsPerPixel, uint32_t imageBytes,
                uint32_t coloursUsed) {
    w.U32(kInfoHeaderSize);
    w.U32(uint32_t(width));
    w.U32(uint32_t(heightField));
    w.U16(1);
    w.U16(uint32_t(bitsPerPixel));
    w.U32(0);  // BI_RGB
    w.U32(imageBytes);
    w.U32(kPixelsPerMetre);
    w.U32(kPixelsPerMetre);
    w.U32(coloursUsed);
    w.U32(0);
}

void FileHeader(Writer& w, uint32_t pixelOffset, uint32_t imageBytes) {
    w.U8('B');
    w.U8('M');
    w.U32(pixelOffset + imageBytes);
    w.U32(0);
    w.U32(pixelOffset);
}

// The directory that opens .ico and .cur files, with its single 32 x 32 entry; the image
// follows it at offset 22. A cursor keeps its hot spot in the two words where an icon has
// its plane and bit counts.
void OneImageDirectory(Writer& w, uint16_t type, uint8_t colours, uint16_t word1, uint16_t word2,
                       uint32_t imageBytes) {
    w.U16(0);  // reserved
    w.U16(type);
    w.U16(1);  // one image
    w.U8(32);
    w.U8(32);
    w.U8(colours);
    w.U8(0);
    w.U16(word1);
    w.U16(word2);
    w.U32(imageBytes);
    w.U32(6 + 16);
}

void RequireSize(const Picture& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) {
        throw std::invalid_argument(
            "image has no pixels or a pixel count that does not match its size");
    }
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const Picture& image) {
    RequireSize(image);
    const uint32_t imageBytes = RowBytes(image.width, 24) * uint32_t(image.height);
    Writer w;
    FileHeader(w, kFileHeaderSize + kInfoHeaderSize, imageBytes);
    InfoHeader(w, image.width, image.height, 24, imageBytes, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) w.Bgr(image.At(x, y));
        w.Zeros(RowBytes(image.width, 24) - uint32_t(image.width) * 3);
    }
    return std::move(w.bytes);
}

std::vector<uint8_t> EncodeBmp8(const Picture& image) {
    RequireSize(image);
    const std::vector<uint32_t> palette = DistinctColours(image);
    if (palette.size() > 256) {
        throw std::invalid_argument("image has " + std::to_string(palette.size()) +
                                    " colours, an 8-bit bitmap holds 256");
    }
    std::unordered_map<uint32_t, uint32_t> index;
    for (std::size_t i = 0; i < palette.size(); ++i) index[palette[i]] = uint32_t(i);

    const uint32_t imageBytes = RowBytes(image.width, 8) * uint32_t(image.height);
    Writer w;
    FileHeader(w, kFileHeaderSize + kInfoHeaderSize + 256 * 4, imageBytes);
    InfoHeader(w, image.width, image.height, 8, imageBytes, 256);
    for (std::size_t i = 0; i < 256; ++i) w.Bgr0(i < palette.size() ? palette[i] : 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) w.U8(index.at(image.At(x, y)));
        w.Zeros(RowBytes(image.width, 8) - uint32_t(image.width));
    }
    return std::move(w.bytes);
}

std::vector<uint8_t> EncodeIco16(const Picture& image, std::optional<uint32_t> transparent) {
    RequireSize(image);
    if (image.width != 32 || image.height != 32) {
        throw std::invalid_argument("a 16-colour icon is 32 x 32 pixels");
    }
    const uint32_t colourBytes = RowBytes(32, 4) * 32;
    const uint32_t maskBytes = RowBytes(32, 1) * 32;
    const uint32_t resourceBytes = kInfoHeaderSize + 16 * 4 + colourBytes + maskBytes;

    Writer w;
    OneImageDirectory(w, 1 /*icon*/, 16, 1 /*planes*/, 4 /*bits per pixel*/, resourceBytes);

    InfoHeader(w, 32, 64, 4, colourBytes + maskBytes, 0);
    for (uint32_t c : kVgaPalette) w.Bgr0(c);
    // A transparent pixel is black in the colour plane and set in the AND mask, the
    // combination that leaves the screen untouched.
    auto isClear = [&](int x, int y) { return transparent && image.At(x, y) == *transparent; };
    auto index = [&](int x, int y) -> uint32_t {
        if (isClear(x, y)) return 0;
        auto it = std::find(kVgaPalette.begin(), kVgaPalette.end(), image.At(x, y));
        if (it == kVgaPalette.end()) {
            throw std::invalid_argument("icon pixel (" + std::to_string(x) + ", " +
                                        std::to_string(y) + ") is not a VGA colour");
        }
        return uint32_t(it - kVgaPalette.begin());
    };
    for (int y = 31; y >= 0; --y) {
        for (int x = 0; x < 32; x += 2) w.U8((index(x, y) << 4) | index(x + 1, y));
    }
    for (int y = 31; y >= 0; --y) {
        for (int x = 0; x < 32; x += 8) {
            uint32_t bits = 0;
            for (int i = 0; i < 8; ++i) bits |= (isClear(x + i, y) ? 0x80u : 0u) >> i;
            w.U8(bits);
        }
    }
    return std::move(w.bytes);
}

std::vector<uint8_t> EncodeTransparentCursor() {
    const uint32_t maskBytes = RowBytes(32, 1) * 32;
    const uint32_t resourceBytes = kInfoHeaderSize + 2 * 4 + 2 * maskBytes;

    Writer w;
    OneImageDirectory(w, 2 /*cursor*/, 2, 0 /*hot spot x*/, 0 /*hot spot y*/, resourceBytes);

    InfoHeader(w, 32, 64, 1, 2 * maskBytes, 0);
    w.Bgr0(Rgb(0, 0, 0));
    w.Bgr0(Rgb(255, 255, 255));
    w.Zeros(maskBytes);                              // XOR: change nothing
    w.bytes.insert(w.bytes.end(), maskBytes, 0xFF);  // AND: keep the screen
    return std::move(w.bytes);
}

std::vector<uint8_t> EncodePpm(const Picture& image) {
    RequireSize(image);
    const std::string header =
        "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    Writer w;
    w.bytes.assign(header.begin(), header.end());
    for (uint32_t c : image.pixels) {
        w.U8(RedOf(c));
        w.U8(GreenOf(c));
        w.U8(BlueOf(c));
    }
    return std::move(w.bytes);
}

}  // namespace assets
