// Picture headers and the recorded wallpaper path; see image_header.h.
#include "desktop/image_header.h"

#include <algorithm>
#include <array>

namespace desktop {
namespace {

using Bytes = std::span<const uint8_t>;

uint32_t Le16(Bytes b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }
uint32_t Le32(Bytes b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }
uint32_t Be16(Bytes b, size_t at) { return uint32_t(b[at]) << 8 | uint32_t(b[at + 1]); }
uint32_t Be32(Bytes b, size_t at) { return Be16(b, at) << 16 | Be16(b, at + 2); }

bool StartsWith(Bytes b, std::initializer_list<uint8_t> prefix) {
    return b.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), b.begin());
}

constexpr uint32_t kMaxSide = 0x7FFFFFFF;

std::optional<ImageHeader> Bmp(Bytes b, uint64_t fileSize) {
    constexpr uint32_t kFileHeader = 14;
    if (b.size() < kFileHeader + 4) return std::nullopt;
    const uint32_t offBits = Le32(b, 10), infoSize = Le32(b, 14);
    uint64_t width = 0, height = 0, bits = 0, planes = 0;  // set by either header
    uint64_t compression = 0, used = 0, entryBytes = 4, masks = 0;
    if (infoSize == 12) {
        if (b.size() < kFileHeader + 12) return std::nullopt;
        width = Le16(b, 18), height = Le16(b, 20), planes = Le16(b, 22), bits = Le16(b, 24), entryBytes = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
        if (b.size() < kFileHeader + 40) return std::nullopt;
        const int32_t w = int32_t(Le32(b, 18)), h = int32_t(Le32(b, 22));
        // Negative heights are top-down rows; the most negative has no positive twin.
        if (w <= 0 || h == 0 || h == INT32_MIN) return std::nullopt;
        width = uint64_t(w), height = uint64_t(h < 0 ? -int64_t(h) : h);
        planes = Le16(b, 26), bits = Le16(b, 28), compression = Le32(b, 30), used = Le32(b, 46);
        // Bit masks follow the short header; the longer ones hold them.
        if (compression == 3 && infoSize == 40) masks = 12;
    } else {
        return std::nullopt;
    }
    const bool plain = compression == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 16 || bits == 32);
    const bool masked = compression == 3 && (bits == 16 || bits == 32);
    if (planes != 1 || width == 0 || height == 0 || !(plain || masked)) return std::nullopt;
    uint64_t palette = 0;
    if (bits <= 8) {
        const uint64_t most = uint64_t(1) << bits;
        if (used > most) return std::nullopt;
        palette = (used ? used : most) * entryBytes;
    }
    if (uint64_t(offBits) < kFileHeader + infoSize + masks + palette || offBits > fileSize) return std::nullopt;
    const uint64_t stride = (width * bits + 31) / 32 * 4;
    if (height > (fileSize - offBits) / stride) return std::nullopt;
    return ImageHeader{ImageKind::kBmp, uint32_t(width), uint32_t(height), uint32_t(bits)};
}

std::optional<ImageHeader> Png(Bytes b) {
    if (b.size() < 26 || Be32(b, 8) != 13 || !std::equal(b.begin() + 12, b.begin() + 16, "IHDR")) return std::nullopt;
    const uint32_t width = Be32(b, 16), height = Be32(b, 20), depth = b[24], type = b[25];
    uint32_t channels = 0;
    bool depthOk = depth == 8 || depth == 16;
    switch (type) {
        case 0: channels = 1, depthOk = depthOk || depth == 1 || depth == 2 || depth == 4; break;
        case 2: channels = 3; break;
        case 3: channels = 1, depthOk = depth == 1 || depth == 2 || depth == 4 || depth == 8; break;
        case 4: channels = 2; break;
        case 6: channels = 4; break;
        default: return std::nullopt;
    }
    if (!depthOk || width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return std::nullopt;
    return ImageHeader{ImageKind::kPng, width, height, channels * depth};
}

// The first frame header (SOFn) among the segments; markers without a length are skipped.
std::optional<ImageHeader> Jpeg(Bytes b) {
    size_t at = 2;
    while (at + 4 <= b.size()) {
        if (b[at] != 0xFF) return std::nullopt;
        const uint8_t marker = b[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // no frame before the data
        const size_t length = Be16(b, at + 2);
        if (length < 2) return std::nullopt;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 10 > b.size()) return std::nullopt;
            const uint32_t precision = b[at + 4], height = Be16(b, at + 5), width = Be16(b, at + 7), parts = b[at + 9];
            // A height of 0 is given later in the data (DNL): the size is not known up front.
            if (length != 8 + 3 * parts || width == 0 || height == 0 || parts == 0 || parts > 4 || precision == 0 ||
                precision > 16)
                return std::nullopt;
            return ImageHeader{ImageKind::kJpeg, width, height, precision * parts};
        }
        at += 2 + length;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ImageHeader> ReadImageHeader(std::span<const uint8_t> head, uint64_t fileSize) {
    if (head.size() > fileSize) head = head.first(size_t(fileSize));
    if (StartsWith(head, {'B', 'M'})) return Bmp(head, fileSize);
    if (StartsWith(head, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return Png(head);
    if (StartsWith(head, {0xFF, 0xD8, 0xFF})) return Jpeg(head);
    return std::nullopt;
}

std::wstring RecordedWallpaperPath(std::span<const uint8_t> value) {
    constexpr size_t kHeader = 24;
    std::wstring path;
    for (size_t at = kHeader; at + 1 < value.size(); at += 2) {
        const wchar_t c = wchar_t(Le16(value, at));
        if (c == L'\0') break;
        path.push_back(c);
    }
    return path;
}

}  // namespace desktop
