// Version texts; see version.h.
#include "platform/version.h"

#include <cstdio>

namespace platform {

std::string FormatVersionText(const VersionNumbers& v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%02d.%04d", v.major, v.minor, v.revision);
    return buf;
}

}  // namespace platform
