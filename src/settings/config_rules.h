// Rules of the configuration dialog that need no window: the version label, the silent
// correction of a fleet-size box, and the count that OK stores. The Win32 dialog
// (config_dialog_win32.cpp) applies them to its controls; the native tests check them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/version.h"

namespace settings {

inline constexpr int16_t kMinCount = 2;
inline constexpr int16_t kMaxCount = 15;

// "ver." major "." minor (two digits at least), and for revisions above 999 a letter per
// thousand (a, b, ...) followed by the hundreds digit when it is not 0: ver.1.00, ver.1.00b3.
std::string FormatVersionLabel(int major, int minor, int revision);
inline std::string FormatVersionLabel(const platform::VersionNumbers& v) {
    return FormatVersionLabel(v.major, v.minor, v.revision);
}

// The corrected text of a count box: "2" when the number the text begins with rounds below 2
// (no number counts as 0), "15" when it rounds above 15, otherwise the text exactly as typed
// ("7abc" and "3.4" stay). Numbers of any size are corrected the same way; nothing throws.
std::string ClampCountText(std::string_view text);

// The fleet size a count box stands for: its leading number rounded halves-to-even, kept
// within 2..15, so "3.4" gives 3 and "7abc" gives 7.
int16_t CountFromText(std::string_view text);

}  // namespace settings
