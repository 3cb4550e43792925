// The file writers checked byte by byte against the BMP, ICO and CUR layouts that Windows
// reads: header fields, bottom-up rows, row padding, palettes and masks.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "assets/image_codecs.h"

namespace {

using assets::Picture;
using assets::Rgb;
using Bytes = std::vector<uint8_t>;

uint32_t U16(const Bytes& b, std::size_t at) {
    return uint32_t(b.at(at)) | uint32_t(b.at(at + 1)) << 8;
}
uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
int32_t I32(const Bytes& b, std::size_t at) { return static_cast<int32_t>(U32(b, at)); }

// A picture in which every pixel tells where it came from.
Picture Gradient(int width, int height) {
    Picture image = Picture::Filled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.At(x, y) = Rgb(uint32_t(x), uint32_t(y), 7);
    }
    return image;
}

TEST(Bmp24, WritesBottomUpPaddedBgrRows) {
    const Picture image = Gradient(117, 3);
    const Bytes b = assets::EncodeBmp24(image);
    const std::size_t stride = 352;  // 117 * 3 = 351, padded to a multiple of 4
    ASSERT_EQ(b.size(), 54 + stride * 3);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 10), 54u);
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(I32(b, 18), 117);
    EXPECT_EQ(I32(b, 22), 3) << "positive height: bottom row first";
    EXPECT_EQ(U16(b, 26), 1u) << "planes";
    EXPECT_EQ(U16(b, 28), 24u);
    EXPECT_EQ(U32(b, 30), 0u);
    EXPECT_EQ(U32(b, 34), stride * 3) << "image bytes";
    EXPECT_EQ(U32(b, 46), 0u) << "colours used: no palette follows a 24-bit header";
    for (int row = 0; row < 3; ++row) {
        const int y = 2 - row;
        const std::size_t start = 54 + stride * std::size_t(row);
        for (int x : {0, 116}) {
            EXPECT_EQ(b[start + std::size_t(x) * 3 + 0], 7) << "blue first";
            EXPECT_EQ(b[start + std::size_t(x) * 3 + 1], y);
            EXPECT_EQ(b[start + std::size_t(x) * 3 + 2], x);
        }
        EXPECT_EQ(b[start + 351], 0) << "padding";
    }
}

// Decodes what EncodeBmp8 wrote, so palette and indices are checked together.
Picture DecodeBmp8(const Bytes& b) {
    const int width = I32(b, 18), height = I32(b, 22);
    const std::size_t stride = (std::size_t(width) + 3) / 4 * 4;
    Picture image = Picture::Filled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t index =
                b.at(1078 + stride * std::size_t(height - 1 - y) + std::size_t(x));
            const std::size_t entry = 54 + index * 4;
            image.At(x, y) = Rgb(b[entry + 2], b[entry + 1], b[entry]);
        }
    }
    return image;
}

class Bmp8Width : public testing::TestWithParam<int> {};

TEST_P(Bmp8Width, RoundTripsThroughAFull256EntryPalette) {
    const int width = GetParam();
    Picture image = Picture::Filled(width, 5, Rgb(4, 2, 148));
    image.At(0, 0) = Rgb(252, 254, 252);
    image.At(width - 1, 4) = Rgb(255, 0, 0);
    image.At(3, 2) = Rgb(0, 0, 0);
    const Bytes b = assets::EncodeBmp8(image);
    const std::size_t stride = (std::size_t(width) + 3) / 4 * 4;
    ASSERT_EQ(b.size(), 1078 + stride * 5);
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 10), 1078u);
    EXPECT_EQ(U16(b, 28), 8u);
    EXPECT_EQ(U32(b, 46), 256u) << "palette entries";
    // Colours in order of first appearance, then zeros to the end of the palette.
    EXPECT_EQ(U32(b, 54), 0x00FCFEFCu);
    EXPECT_EQ(U32(b, 58), 0x00040294u);
    for (std::size_t entry = 4; entry < 256; ++entry) EXPECT_EQ(U32(b, 54 + entry * 4), 0u);
    EXPECT_EQ(DecodeBmp8(b), image);
}

INSTANTIATE_TEST_SUITE_P(PictureWidths, Bmp8Width, testing::Values(117, 155, 4));

TEST(Bmp8, RefusesMoreThan256Colours) {
    EXPECT_NO_THROW(assets::EncodeBmp8(Gradient(16, 16)));
    Picture oneMore = Gradient(16, 17);  // the 256 colours above and exactly one new one
    for (int x = 1; x < 16; ++x) oneMore.At(x, 16) = oneMore.At(x, 0);
    EXPECT_THROW(assets::EncodeBmp8(oneMore), std::invalid_argument);
}

TEST(Ico16, WritesOneFourBitImageWithItsMask) {
    Picture icon = Picture::Filled(32, 32, Rgb(0, 0, 255));
    const uint32_t clear = Rgb(255, 0, 255);
    icon.At(0, 0) = clear;  // top row: stored last
    icon.At(31, 31) = Rgb(255, 0, 0);
    const Bytes b = assets::EncodeIco16(icon, clear);
    ASSERT_EQ(b.size(), 6u + 16 + 40 + 64 + 512 + 128);
    EXPECT_EQ(U32(b, 0), 1u << 16) << "reserved 0, then type 1: icon";
    EXPECT_EQ(U16(b, 4), 1u) << "one image";
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(U16(b, 8), 16u) << "sixteen colours, then the reserved byte";
    EXPECT_EQ(U16(b, 10), 1u) << "planes";
    EXPECT_EQ(U16(b, 12), 4u);
    EXPECT_EQ(U32(b, 14), b.size() - 22);
    EXPECT_EQ(U32(b, 18), 22u);
    EXPECT_EQ(I32(b, 22 + 4), 32);
    EXPECT_EQ(I32(b, 22 + 8), 64) << "height counts colour plane and mask";
    EXPECT_EQ(U16(b, 22 + 14), 4u);
    EXPECT_EQ(U32(b, 22 + 32), 0u) << "colours used: 0, all sixteen of a four-bit picture";
    const std::size_t colours = 22 + 40 + 64, mask = colours + 512;
    EXPECT_EQ(b[colours + 15], 0xC9) << "bottom-right pixel: blue (12) then red (9)";
    EXPECT_EQ(b[colours + 31 * 16], 0x0C) << "clear pixel is black in the colour plane";
    EXPECT_EQ(b[mask + 31 * 4], 0x80) << "and set in the AND mask";
    EXPECT_EQ(b[mask], 0x00);
}

// Every one of Windows' sixteen standard colours can be drawn, and reads back through the
// file's own palette as the colour drawn.
TEST(Ico16, DrawsEachStandardColour) {
    const uint32_t standard[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                   0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    Picture icon = Picture::Filled(32, 32, 0);
    for (int x = 0; x < 32; ++x) icon.At(x, 7) = standard[x % 16];
    const Bytes b = assets::EncodeIco16(icon);
    const std::size_t palette = 22 + 40, row = palette + 64 + (31 - 7) * 16;
    for (int x = 0; x < 32; ++x) {
        const uint32_t index = (b.at(row + std::size_t(x) / 2) >> (x % 2 ? 0 : 4)) & 0x0F;
        EXPECT_EQ(U32(b, palette + index * 4), standard[x % 16]) << x;
    }
}

TEST(Ico16, RefusesOtherSizesAndNonVgaColours) {
    for (const auto& [w, h] : {std::pair{16, 16}, std::pair{32, 31}, std::pair{31, 32}})
        EXPECT_THROW(assets::EncodeIco16(Picture::Filled(w, h, 0)), std::invalid_argument) << w << " x " << h;
    Picture icon = Picture::Filled(32, 32, 0);
    icon.At(5, 5) = Rgb(1, 2, 3);
    EXPECT_THROW(assets::EncodeIco16(icon), std::invalid_argument);
}

TEST(Codecs, RefusePicturesWithoutPixelsOrWithAWrongCount) {
    const Picture bad[] = {{0, 3, {}}, {3, 0, {}}, {2, 2, {1, 2, 3}}};
    for (const Picture& p : bad) {
        EXPECT_THROW(assets::EncodeBmp24(p), std::invalid_argument) << p.width << " x " << p.height;
        EXPECT_THROW(assets::EncodeBmp8(p), std::invalid_argument) << p.width << " x " << p.height;
        EXPECT_THROW(assets::EncodePpm(p), std::invalid_argument) << p.width << " x " << p.height;
    }
    const Picture one = Picture::Filled(1, 1, 0);  // the smallest picture there is
    EXPECT_NO_THROW(assets::EncodeBmp24(one));
    EXPECT_NO_THROW(assets::EncodeBmp8(one));
    EXPECT_NO_THROW(assets::EncodePpm(one));
}

// The review tools' format: header, then red, green, blue for each pixel, rows top down.
TEST(Codecs, PpmIsHeaderThenRgbRowsTopDown) {
    const Bytes b = assets::EncodePpm({1, 2, {Rgb(1, 2, 3), Rgb(250, 251, 252)}});
    EXPECT_EQ(std::string(b.begin(), b.end()), "P6\n1 2\n255\n\x01\x02\x03\xfa\xfb\xfc");
}

TEST(Cursor, IsInvisibleWithHotSpotAtTopLeft) {
    const Bytes b = assets::EncodeTransparentCursor();
    ASSERT_EQ(b.size(), 6u + 16 + 40 + 8 + 128 + 128);
    EXPECT_EQ(U16(b, 2), 2u) << "cursor";
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(U16(b, 8), 2u) << "two colours, then the reserved byte";
    EXPECT_EQ(U16(b, 10), 0u) << "hot spot x";
    EXPECT_EQ(U16(b, 12), 0u) << "hot spot y";
    EXPECT_EQ(U32(b, 14), b.size() - 22) << "the image's size, as the directory gives it";
    EXPECT_EQ(U32(b, 22 + 32), 0u) << "colours used: 0, both of a one-bit picture";
    EXPECT_EQ(U16(b, 22 + 14), 1u);
    EXPECT_EQ(U32(b, 22 + 20), 256u) << "both masks";
    EXPECT_EQ(U32(b, 22 + 40), 0u) << "colour 0, which every pixel takes, is black: XOR with it keeps the screen";
    for (std::size_t i = 0; i < 128; ++i) {
        ASSERT_EQ(b[22 + 48 + i], 0x00) << "XOR";
        ASSERT_EQ(b[22 + 48 + 128 + i], 0xFF) << "AND";
    }
}

}  // namespace
