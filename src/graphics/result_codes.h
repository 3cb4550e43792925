// Names the result codes DirectDraw returns, for the error texts of the display module and
// so for the error log: "DDERR_SURFACELOST (0x887601C2)" says what went wrong and can
// still be looked up when the name is not known here. Also which codes mean the user took
// the screen back, and why a display could not be taken.
#pragma once

#include <cstdint>
#include <string>

namespace graphics {

// DirectDraw's own codes are MAKE_HRESULT(1, 0x876, code).
constexpr uint32_t DDrawResult(uint32_t code) { return 0x88760000u | code; }
inline constexpr uint32_t kSurfaceLost = DDrawResult(450);
inline constexpr uint32_t kNoExclusiveMode = DDrawResult(225);
inline constexpr uint32_t kNoDirectDrawHardware = DDrawResult(563);
inline constexpr uint32_t kExclusiveModeAlreadySet = DDrawResult(581);
inline constexpr uint32_t kWrongMode = DDrawResult(587);

// "NAME (0xXXXXXXXX)" for a known code, "0xXXXXXXXX" otherwise.
std::string DescribeResult(uint32_t result);

// A surface lost to a secure-desktop switch, a lock or another full-screen program, or
// the exclusive mode taken away: the user is back, which ends the saver as a key would.
bool IsDisplayLost(uint32_t result);

// Why the display could not be taken: the failing call and its result.
struct SetupFailure {
    std::string call;  // "DirectDrawCreateEx", "SetCooperativeLevel", ...
    uint32_t result = 0;
    // "SetCooperativeLevel failed: DDERR_... (0x...)", as the error log writes it.
    std::string Describe() const;
};

}  // namespace graphics
