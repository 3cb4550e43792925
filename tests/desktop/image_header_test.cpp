// Picture headers as a hostile file presents them: truncated, lying about their size,
// inconsistent, or of a kind not read; and the path Windows records, from any bytes.
#include "desktop/image_header.h"

#include <gtest/gtest.h>

#include <vector>

namespace desktop {
namespace {

using Bytes = std::vector<uint8_t>;

void Le(Bytes& b, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(value >> (8 * i)));
}
void Be(Bytes& b, uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) b.push_back(uint8_t(value >> (8 * i)));
}

struct BmpFields {
    int64_t width = 3, height = 2;
    uint32_t bits = 24, compression = 0, used = 0, infoSize = 40, planes = 1;
    int64_t offBits = -1;  // -1: right after the header and palette
};

// The header of a BMP and the length of the whole file it announces.
std::pair<Bytes, uint64_t> Bmp(BmpFields f) {
    Bytes b{'B', 'M'};
    const uint64_t palette = f.bits <= 8 ? (f.used ? f.used : 1u << f.bits) * (f.infoSize == 12 ? 3 : 4) : 0;
    const uint64_t masks = f.compression == 3 && f.infoSize == 40 ? 12 : 0;
    const uint64_t off = f.offBits >= 0 ? uint64_t(f.offBits) : 14 + f.infoSize + masks + palette;
    const uint64_t stride = (uint64_t(f.width) * f.bits + 31) / 32 * 4;
    const uint64_t size = off + stride * uint64_t(f.height < 0 ? -f.height : f.height);
    Le(b, size, 4), Le(b, 0, 4), Le(b, off, 4), Le(b, f.infoSize, 4);
    if (f.infoSize == 12) {
        Le(b, uint64_t(f.width), 2), Le(b, uint64_t(f.height), 2), Le(b, f.planes, 2), Le(b, f.bits, 2);
    } else {
        Le(b, uint64_t(f.width), 4), Le(b, uint64_t(f.height), 4), Le(b, f.planes, 2), Le(b, f.bits, 2);
        Le(b, f.compression, 4), Le(b, 0, 4), Le(b, 0, 4), Le(b, 0, 4), Le(b, f.used, 4), Le(b, 0, 4);
        b.resize(14 + f.infoSize);
    }
    return {b, size};
}

TEST(ImageHeader, BmpHeadersAgainstTheFile) {
    const struct {
        const char* name;
        BmpFields fields;
        int64_t sizeChange;  // bytes added to (or cut from) the file the header announces
        std::optional<ImageHeader> expected;
    } cases[] = {
        {"Whole", {}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 24}},
        {"OneByteShort", {}, -1, std::nullopt},
        {"LongerIsFine", {}, 100, ImageHeader{ImageKind::kBmp, 3, 2, 24}},
        {"TopDownOneRow", {.height = -1}, 0, ImageHeader{ImageKind::kBmp, 3, 1, 24}},
        {"MostNegativeHeight", {.height = INT32_MIN}, 0, std::nullopt},
        {"NoWidth", {.width = 0}, 0, std::nullopt},
        {"NegativeWidth", {.width = -3}, 0, std::nullopt},
        {"CoreHeader", {.bits = 8, .infoSize = 12}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 8}},
        {"CorePixelsOverPalette", {.bits = 8, .infoSize = 12, .offBits = 14 + 12 + 255 * 3}, 0, std::nullopt},
        // The short header's sides are unsigned: 0 is the only one it can get wrong.
        {"CoreHeaderNoWidth", {.width = 0, .bits = 8, .infoSize = 12}, 0, std::nullopt},
        {"CoreHeaderNoHeight", {.height = 0, .bits = 8, .infoSize = 12}, 0, std::nullopt},
        {"V2Header", {.infoSize = 52}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 24}},
        {"V3Header", {.infoSize = 56}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 24}},
        {"V4Header", {.infoSize = 108}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 24}},
        {"V5Header", {.bits = 32, .infoSize = 124}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 32}},
        {"UnknownHeaderSize", {.infoSize = 64}, 0, std::nullopt},
        {"TwoPlanes", {.planes = 2}, 0, std::nullopt},
        {"Rle8", {.bits = 8, .compression = 1}, 0, std::nullopt},
        {"MasksOf32", {.bits = 32, .compression = 3}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 32}},
        {"MasksOf16", {.bits = 16, .compression = 3}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 16}},
        {"Plain16", {.bits = 16}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 16}},
        {"MasksNotLeftRoomFor", {.bits = 32, .compression = 3, .offBits = 14 + 40}, 0, std::nullopt},
        {"MasksOf24", {.bits = 24, .compression = 3}, 0, std::nullopt},
        {"OddBits", {.bits = 7}, 0, std::nullopt},
        {"ShortPalette", {.bits = 4, .used = 3}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 4}},
        // 33 one-bit pixels fill a row of 8 bytes: one bit past a 32-bit boundary.
        {"OneBitRowsPadded", {.width = 33, .bits = 1}, 0, ImageHeader{ImageKind::kBmp, 33, 2, 1}},
        {"OneBitRowsOneByteShort", {.width = 33, .bits = 1}, -1, std::nullopt},
        {"PaletteOfEveryColour", {.bits = 4, .used = 16}, 0, ImageHeader{ImageKind::kBmp, 3, 2, 4}},
        {"PaletteTooLong", {.bits = 4, .used = 17}, 0, std::nullopt},
        // Pixels that begin inside the palette or the header, or past the file's end.
        {"PixelsOverPalette", {.bits = 8, .offBits = 14 + 40 + 255 * 4}, 0, std::nullopt},
        {"PixelsOverTheHeader", {.offBits = 14 + 40 - 1}, 0, std::nullopt},
        {"PixelsPastTheEnd", {.offBits = 1 << 20}, -(1 << 20), std::nullopt},
    };
    for (const auto& c : cases) {
        const auto [head, size] = Bmp(c.fields);
        const auto got = ReadImageHeader(head, uint64_t(int64_t(size) + c.sizeChange));
        EXPECT_EQ(got.has_value(), c.expected.has_value()) << c.name;
        if (got && c.expected) {
            EXPECT_EQ(got->kind, c.expected->kind) << c.name;
            EXPECT_EQ(got->width, c.expected->width) << c.name;
            EXPECT_EQ(got->height, c.expected->height) << c.name;
            EXPECT_EQ(got->bitsPerPixel, c.expected->bitsPerPixel) << c.name;
        }
    }
}

// Whatever a BMP claims, it is read only if its rows fit in the file: the lying 1 kB
// header of 30000 x 30000, and any file cut short of its rows.
TEST(ImageHeader, NoBmpClaimsMoreRowsThanItsFileHolds) {
    const auto [lying, lyingSize] = Bmp({.width = 30000, .height = 30000});
    EXPECT_FALSE(ReadImageHeader(lying, 1024));
    const auto [head, size] = Bmp({.width = 1600, .height = 1200});
    for (uint64_t cut = 0; cut <= size; cut += 997)
        EXPECT_EQ(ReadImageHeader(head, cut).has_value(), cut == size) << cut;
    EXPECT_TRUE(ReadImageHeader(head, size));
    // A head shorter than the header is nothing, at every length.
    for (size_t n = 0; n < head.size(); ++n)
        EXPECT_FALSE(ReadImageHeader(std::span(head).first(n), size)) << n;
}

Bytes Png(uint32_t width, uint32_t height, uint8_t depth, uint8_t type, uint32_t length = 13) {
    Bytes b{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Be(b, length, 4);
    b.insert(b.end(), {'I', 'H', 'D', 'R'});
    Be(b, width, 4), Be(b, height, 4);
    b.insert(b.end(), {depth, type, 0, 0, 0, 0, 0, 0, 0});
    return b;
}

Bytes Jpeg(std::initializer_list<Bytes> segments) {
    Bytes b{0xFF, 0xD8};
    for (const Bytes& s : segments) b.insert(b.end(), s.begin(), s.end());
    return b;
}
Bytes Segment(uint8_t marker, Bytes body) {
    Bytes b{0xFF, marker};
    Be(b, body.size() + 2, 2);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}
Bytes Frame(uint8_t marker, uint32_t width, uint32_t height, uint8_t parts = 3, uint8_t precision = 8) {
    Bytes body{precision};
    Be(body, height, 2), Be(body, width, 2);
    body.push_back(parts);
    body.resize(body.size() + 3 * parts);
    return Segment(marker, body);
}

TEST(ImageHeader, PngAndJpegSizesFromTheirFrameHeaders) {
    const Bytes app0 = Segment(0xE0, Bytes(14, 'J'));
    const struct {
        const char* name;
        Bytes head;
        std::optional<ImageHeader> expected;
    } cases[] = {
        {"PngBombGrey", Png(60000, 60000, 8, 0), ImageHeader{ImageKind::kPng, 60000, 60000, 8}},
        {"PngRgba16", Png(5, 7, 16, 6), ImageHeader{ImageKind::kPng, 5, 7, 64}},
        {"PngPalette4", Png(5, 7, 4, 3), ImageHeader{ImageKind::kPng, 5, 7, 4}},
        {"PngPalette2", Png(5, 7, 2, 3), ImageHeader{ImageKind::kPng, 5, 7, 2}},
        {"PngPalette8", Png(5, 7, 8, 3), ImageHeader{ImageKind::kPng, 5, 7, 8}},
        {"PngGreyAlpha", Png(5, 7, 8, 4), ImageHeader{ImageKind::kPng, 5, 7, 16}},
        {"PngRgb8", Png(5, 7, 8, 2), ImageHeader{ImageKind::kPng, 5, 7, 24}},
        {"PngGrey1", Png(5, 7, 1, 0), ImageHeader{ImageKind::kPng, 5, 7, 1}},
        {"PngGrey2", Png(5, 7, 2, 0), ImageHeader{ImageKind::kPng, 5, 7, 2}},
        {"PngGrey4", Png(5, 7, 4, 0), ImageHeader{ImageKind::kPng, 5, 7, 4}},
        {"PngGrey3", Png(5, 7, 3, 0), std::nullopt},
        {"PngRgbOf4Bits", Png(5, 7, 4, 2), std::nullopt},
        {"PngPaletteOf16Bits", Png(5, 7, 16, 3), std::nullopt},
        {"PngTypeFive", Png(5, 7, 8, 5), std::nullopt},
        {"PngNoWidth", Png(0, 7, 8, 2), std::nullopt},
        {"PngNoHeight", Png(7, 0, 8, 2), std::nullopt},
        {"PngWidthPastTheLimit", Png(0x80000000u, 7, 8, 2), std::nullopt},
        {"PngWidestThereIs", Png(0x7FFFFFFFu, 1, 8, 0), ImageHeader{ImageKind::kPng, 0x7FFFFFFFu, 1, 8}},
        {"PngTallestThereIs", Png(1, 0x7FFFFFFFu, 8, 0), ImageHeader{ImageKind::kPng, 1, 0x7FFFFFFFu, 8}},
        {"PngHeightPastTheLimit", Png(1, 0x80000000u, 8, 0), std::nullopt},
        {"PngLongHeaderChunk", Png(5, 7, 8, 2, 14), std::nullopt},
        {"PngOtherChunkFirst", [] { Bytes b = Png(5, 7, 8, 2); b[15] = 'X'; return b; }(), std::nullopt},
        {"JpegBehindApp0", Jpeg({app0, Frame(0xC0, 16000, 9000)}), ImageHeader{ImageKind::kJpeg, 16000, 9000, 24}},
        {"JpegProgressiveGrey", Jpeg({Frame(0xC2, 640, 480, 1)}), ImageHeader{ImageKind::kJpeg, 640, 480, 8}},
        {"JpegFillBytes", Jpeg({Bytes{0xFF, 0xFF}, app0, Frame(0xC1, 3, 2)}), ImageHeader{ImageKind::kJpeg, 3, 2, 24}},
        {"JpegRestartMarkerFirst", Jpeg({Bytes{0xFF, 0xD0}, Frame(0xC0, 3, 2)}), ImageHeader{ImageKind::kJpeg, 3, 2, 24}},
        {"JpegStartMarkerAgain", Jpeg({Bytes{0xFF, 0xD8}, Frame(0xC0, 3, 2)}), ImageHeader{ImageKind::kJpeg, 3, 2, 24}},
        // A table segment that shares the frame markers' range is skipped.
        {"JpegHuffmanTableFirst", Jpeg({Segment(0xC4, Bytes(20)), Frame(0xC0, 3, 2)}),
         ImageHeader{ImageKind::kJpeg, 3, 2, 24}},
        {"JpegEmptySegmentFirst", Jpeg({Segment(0xE1, {}), Frame(0xC0, 3, 2)}), ImageHeader{ImageKind::kJpeg, 3, 2, 24}},
        {"JpegReservedMarkerFirst", Jpeg({Segment(0xBF, Bytes(4)), Frame(0xC0, 3, 2)}), ImageHeader{ImageKind::kJpeg, 3, 2, 24}},
        {"JpegOtherTablesFirst", Jpeg({Segment(0xC8, Bytes(4)), Segment(0xCC, Bytes(4)), Frame(0xCF, 3, 2)}),
         ImageHeader{ImageKind::kJpeg, 3, 2, 24}},
        {"JpegDataBeforeFrame", Jpeg({Segment(0xDA, Bytes(8)), Frame(0xC0, 3, 2)}), std::nullopt},
        {"JpegEndBeforeFrame", Jpeg({Bytes{0xFF, 0xD9, 0x00, 0x02}, Frame(0xC0, 3, 2)}), std::nullopt},
        {"JpegEndRightBeforeFrame", Jpeg({Bytes{0xFF, 0xD9}, Frame(0xC0, 3, 2)}), std::nullopt},
        {"JpegHeightLater", Jpeg({Frame(0xC0, 3, 0)}), std::nullopt},
        {"JpegNoWidth", Jpeg({Frame(0xC0, 0, 2)}), std::nullopt},
        {"JpegNoParts", Jpeg({Frame(0xC0, 3, 2, 0)}), std::nullopt},
        {"JpegFiveParts", Jpeg({Frame(0xC0, 3, 2, 5)}), std::nullopt},
        {"JpegNoPrecision", Jpeg({Frame(0xC0, 3, 2, 3, 0)}), std::nullopt},
        {"Jpeg16Bits", Jpeg({Frame(0xC1, 3, 2, 3, 16)}), ImageHeader{ImageKind::kJpeg, 3, 2, 48}},
        // A frame header whose length does not match its parts.
        {"JpegFrameShortOfItsParts", Jpeg({Segment(0xC0, Bytes{8, 0, 2, 0, 3, 3}), app0}), std::nullopt},
        {"JpegFrameLongerThanItsParts", Jpeg({Segment(0xC0, Bytes{8, 0, 2, 0, 3, 1, 1, 0x11, 0, 0}), app0}),
         std::nullopt},
        {"Jpeg12Bits", Jpeg({Frame(0xC1, 3, 2, 3, 12)}), ImageHeader{ImageKind::kJpeg, 3, 2, 36}},
        {"Jpeg17Bits", Jpeg({Frame(0xC1, 3, 2, 3, 17)}), std::nullopt},
        {"JpegSegmentPastTheHead", Jpeg({Bytes{0xFF, 0xE1, 0xFF, 0xF0, 0, 0}}), std::nullopt},
        {"JpegGarbageBetween", Jpeg({app0, Bytes{0x00}, Frame(0xC0, 3, 2)}), std::nullopt},
        {"Gif", Bytes{'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0}, std::nullopt},
        {"Empty", Bytes{}, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = ReadImageHeader(c.head, c.head.size() + 1000);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.name;
        if (!got) continue;
        EXPECT_EQ(got->kind, c.expected->kind) << c.name;
        EXPECT_EQ(got->width, c.expected->width) << c.name;
        EXPECT_EQ(got->height, c.expected->height) << c.name;
        EXPECT_EQ(got->bitsPerPixel, c.expected->bitsPerPixel) << c.name;
    }
    // A PNG header, or a JPEG frame header, cut anywhere before its last field is nothing.
    const Bytes png = Png(5, 7, 8, 2);
    for (size_t n = 0; n < 26; ++n) EXPECT_FALSE(ReadImageHeader(std::span(png).first(n), 1000)) << n;
    EXPECT_TRUE(ReadImageHeader(std::span(png).first(26), 1000));
    const Bytes frame = Jpeg({Frame(0xC0, 3, 2)});
    for (size_t n = 0; n < 12; ++n) EXPECT_FALSE(ReadImageHeader(std::span(frame).first(n), 1000)) << n;
    EXPECT_TRUE(ReadImageHeader(std::span(frame).first(12), 1000));
}

TEST(ImageHeader, RecordedPathFromAnyBytes) {
    auto value = [](size_t header, std::u16string text, Bytes tail = {}) {
        Bytes b(header, 0x7F);
        for (char16_t c : text) Le(b, c, 2);
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    const struct {
        const char* name;
        Bytes value;
        std::wstring expected;
    } cases[] = {
        {"PathThenNul", value(24, u"C:\\w.jpg", {0, 0, 'x', 0}), L"C:\\w.jpg"},
        {"NoNul", value(24, u"C:\\w.jpg"), L"C:\\w.jpg"},
        {"OddLastByte", value(24, u"C:", {'x'}), L"C:"},
        {"Japanese", value(24, u"C:\\\u58c1.jpg", {0, 0}), L"C:\\\u58c1.jpg"},
        {"HeaderOnly", value(24, u""), L""},
        {"ShortOfHeader", value(23, u""), L""},
        {"Nothing", Bytes{}, L""},
    };
    for (const auto& c : cases) EXPECT_EQ(RecordedWallpaperPath(c.value), c.expected) << c.name;
}

}  // namespace
}  // namespace desktop
