// Dialog rules without windows; see config_rules.h.
#include "settings/config_rules.h"

#include "platform/numbers.h"

namespace settings {
namespace {

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

std::string ClampCountText(std::string_view text) {
    double n = RoundedLeadingNumber(text);
    if (!(n >= kMinCount)) return std::to_string(kMinCount);
    if (n > kMaxCount) return std::to_string(kMaxCount);
    return std::string(text);
}

int16_t CountFromText(std::string_view text) {
    double n = RoundedLeadingNumber(text);
    if (!(n >= kMinCount)) return kMinCount;
    if (n > kMaxCount) return kMaxCount;
    return static_cast<int16_t>(n);
}

}  // namespace settings
