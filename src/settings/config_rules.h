// Rules of the configuration dialog that need no window: the version label, the silent
// correction of a fleet-size box, and the count that OK stores. The Win32 dialog
// (config_dialog_win32.cpp) applies them to its controls; the native tests check them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/geometry.h"
#include "platform/version.h"
#include "settings/settings_store.h"  // kMinCount, kMaxCount

namespace settings {

// "ver." major "." minor (two digits at least), and for revisions above 999 a letter per
// thousand (a, b, ...) followed by the hundreds digit when it is not 0: ver.1.00, ver.1.00b3.
std::string FormatVersionLabel(int major, int minor, int revision);
inline std::string FormatVersionLabel(const platform::VersionNumbers& v) {
    return FormatVersionLabel(v.major, v.minor, v.revision);
}

// A count box's text as the rules read it: what a Japanese input method types for a number
// (full-width digits ０..９, minus －, full stop ．, the ideographic space) becomes ASCII; every
// other character, and any byte that is not whole UTF-8, stays as it is.
std::string FoldFullWidthNumber(std::string_view utf8);

// The corrected text of a count box: "2" when the number the text begins with rounds below 2
// (no number counts as 0), "15" when it rounds above 15, otherwise the text exactly as typed
// ("7abc" and "3.4" stay) but for blanks around it. Numbers of any size are corrected the
// same way; nothing throws.
std::string ClampCountText(std::string_view text);

// The count an up-down arrow (`delta` steps) gives from a box's text: from the number the
// text stands for, not the up-down's last value, and kept within 2..15.
int16_t StepCount(std::string_view text, int delta);

// Where a dialog of this size opens over the window that owns it: centred on the owner, then
// moved the least that keeps it inside the work area (the owner's monitor without the task
// bar); a dialog larger than the area shows its top-left corner, where the caption is.
platform::Rect PlaceOverOwner(const platform::Rect& owner, int width, int height, const platform::Rect& workArea);

// The owner's window and its monitor's work area, where the system could tell both.
struct OwnerPlace {
    platform::Rect window;
    platform::Rect workArea;
};

// Where the dialog opens: over its owner (PlaceOverOwner), or without one in the centre of
// the primary screen of screenWidth x screenHeight.
platform::Rect PlaceDialog(int width, int height, int screenWidth, int screenHeight, const std::optional<OwnerPlace>& owner);

// The fleet size a count box stands for: its leading number rounded halves-to-even, kept
// within 2..15, so "3.4" gives 3 and "7abc" gives 7.
int16_t CountFromText(std::string_view text);

}  // namespace settings
