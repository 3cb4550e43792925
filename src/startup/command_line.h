// What the host asks of the saver, read from the command line: the mode switch and, for the
// preview, the host window's handle. Used by SaverMain before any window exists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace startup {

enum class Mode { kSaver, kConfig, kPreview, kNone };

// The text that follows the program's own path on the process command line (quoted or not),
// without the blanks that separate the two.
std::string ArgumentText(std::string_view commandLine);

// The switch is the first two characters of the argument text; the match is exact and
// case-sensitive ("/s", "/S", "/c", "/C", "/p", "/P", or an empty text for the dialog).
Mode DecideMode(std::string_view argumentText);

// The Screen Saver Settings window that asks for the dialog ("/c:1234", also "/c 1234"):
// the decimal handle after the two-character switch, an optional colon and blanks. Nothing
// else may follow but blanks; a bare switch, junk, 0 or a number beyond 32 bits give nullopt,
// and the dialog then opens on its own.
std::optional<uint32_t> ConfigOwnerHandle(std::string_view argumentText);

// The host window handle: the number after the first letter p (either case), rounded
// halves-to-even. Hosts print handles unsigned, so 2147483648..4294967295 keep their 32 bits.
// No digits, 0 or a number beyond 32 bits name no window: nullopt, and the preview, having
// nothing to show in, ends at once.
std::optional<uint32_t> PreviewHandle(std::string_view argumentText);

}  // namespace startup
