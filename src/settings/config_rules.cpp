// Dialog rules without windows; see config_rules.h.
#include "settings/config_rules.h"

#include <algorithm>

#include "platform/numbers.h"

namespace settings {
namespace {

// What the number reading skips as blanks.
constexpr std::string_view kBlanks = " \t\r\n";

// The rounded leading number, or NaN/infinity for what no integer can hold; comparisons
// below are written so that those land on the nearest bound instead of slipping through.
double RoundedLeadingNumber(std::string_view text) {
    return platform::RoundHalfEven(platform::LeadingNumber(text));
}

}  // namespace

std::string FormatVersionLabel(int major, int minor, int revision) {
    std::string label = "ver." + std::to_string(major) + ".";
    if (minor >= 0 && minor < 10) label += '0';
    label += std::to_string(minor);
    if (revision > 999) {
        // The letter is the character 96 + thousands; past 'z' (revision 27000 and up) it
        // is still that code point, written as UTF-8 so the label stays valid text.
        unsigned code = 96u + static_cast<unsigned>(revision / 1000);
        if (code < 0x80) {
            label += static_cast<char>(code);
        } else {
            label += static_cast<char>(0xC0 | (code >> 6));
            label += static_cast<char>(0x80 | (code & 0x3F));
        }
        int hundreds = (revision % 1000) / 100;
        if (hundreds > 0) label += static_cast<char>('0' + hundreds);
    }
    return label;
}

std::string FoldFullWidthNumber(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        // Every character folded here is three bytes in UTF-8: EF BC 8D..99 (U+FF0D..FF19)
        // and E3 80 80 (U+3000).
        if (i + 2 < utf8.size()) {
            auto b0 = static_cast<unsigned char>(utf8[i]), b1 = static_cast<unsigned char>(utf8[i + 1]),
                 b2 = static_cast<unsigned char>(utf8[i + 2]);
            if (b0 == 0xEF && b1 == 0xBC && b2 >= 0x90 && b2 <= 0x99) {
                out += static_cast<char>('0' + (b2 - 0x90));
                i += 3;
                continue;
            }
            if (b0 == 0xEF && b1 == 0xBC && (b2 == 0x8D || b2 == 0x8E)) {
                out += b2 == 0x8D ? '-' : '.';
                i += 3;
                continue;
            }
            if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80) {
                out += ' ';
                i += 3;
                continue;
            }
        }
        out += utf8[i++];
    }
    return out;
}

std::string ClampCountText(std::string_view text) {
    double n = RoundedLeadingNumber(text);
    if (!(n >= kMinCount)) return std::to_string(kMinCount);
    if (n > kMaxCount) return std::to_string(kMaxCount);
    // Blanks around the number (a pasted "15 ") go: the up-down reads the box's text as its
    // value, and a text it cannot read would make it step from its last value instead.
    const size_t first = text.find_first_not_of(kBlanks);
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

int16_t StepCount(std::string_view text, int delta) {
    // Any step beyond the whole range lands on its bound, without overflowing on the way.
    const int step = std::clamp<int>(delta, -kMaxCount, kMaxCount);
    return static_cast<int16_t>(std::clamp<int>(CountFromText(text) + step, kMinCount, kMaxCount));
}

platform::Rect PlaceOverOwner(const platform::Rect& owner, int width, int height, const platform::Rect& workArea) {
    // 64-bit sums: a junk owner rectangle near the int range must not overflow.
    auto place = [](int64_t start, int64_t span, int size, int areaStart, int areaSpan) {
        int64_t at = start + (span - size) / 2;
        at = std::min<int64_t>(at, int64_t{areaStart} + areaSpan - size);
        return static_cast<int>(std::max<int64_t>(at, areaStart));
    };
    return {place(owner.left, owner.width, width, workArea.left, workArea.width),
            place(owner.top, owner.height, height, workArea.top, workArea.height), width, height};
}

platform::Rect PlaceDialog(int width, int height, int screenWidth, int screenHeight, const std::optional<OwnerPlace>& owner) {
    if (owner) return PlaceOverOwner(owner->window, width, height, owner->workArea);
    return {(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}

int16_t CountFromText(std::string_view text) {
    double n = RoundedLeadingNumber(text);
    if (!(n >= kMinCount)) return kMinCount;
    if (n > kMaxCount) return kMaxCount;
    return static_cast<int16_t>(n);
}

}  // namespace settings
