// The program's version numbers and the texts made from them: the version record written
// to the settings store on every start ("1.00.0000").
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct VersionNumbers {
    int16_t major = 0;
    int16_t minor = 0;
    int16_t revision = 0;
};

// major, ".", minor padded to two digits, ".", revision padded to four; padding never cuts.
std::string FormatVersionText(const VersionNumbers& v);

}  // namespace platform
