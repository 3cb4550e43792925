// Names the result codes DirectDraw returns, for the error texts of the display module and
// so for the error log: "DDERR_SURFACELOST (0x887601C2)" says what went wrong and can
// still be looked up when the name is not known here.
#pragma once

#include <cstdint>
#include <string>

namespace graphics {

// DirectDraw's own codes are MAKE_HRESULT(1, 0x876, code).
constexpr uint32_t DDrawResult(uint32_t code) { return 0x88760000u | code; }
inline constexpr uint32_t kSurfaceLost = DDrawResult(450);
inline constexpr uint32_t kNoExclusiveMode = DDrawResult(225);

// The display was taken away (a secure-desktop switch, a lock, another full-screen program):
// the user is back, which is no fault.
constexpr bool IsDisplayLost(uint32_t result) { return result == kSurfaceLost || result == kNoExclusiveMode; }

// "NAME (0xXXXXXXXX)" for a known code, "0xXXXXXXXX" otherwise.
std::string DescribeResult(uint32_t result);

}  // namespace graphics
