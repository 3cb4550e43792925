// Command-line reading; see command_line.h.
#include "startup/command_line.h"

#include <algorithm>
#include <cmath>

#include "platform/numbers.h"

namespace startup {
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string ArgumentText(std::string_view commandLine) {
    size_t i = 0;
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i < commandLine.size() && commandLine[i] == '"') {
        size_t close = commandLine.find('"', i + 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
    }
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    return std::string(commandLine.substr(i));
}

Mode DecideMode(std::string_view argumentText) {
    std::string_view sw = argumentText.substr(0, 2);
    if (sw.empty()) return Mode::kConfig;
    if (sw == "/s" || sw == "/S") return Mode::kSaver;
    if (sw == "/c" || sw == "/C") return Mode::kConfig;
    if (sw == "/p" || sw == "/P") return Mode::kPreview;
    return Mode::kNone;
}

std::optional<uint32_t> ConfigOwnerHandle(std::string_view argumentText) {
    std::string_view rest = argumentText.substr(std::min<size_t>(2, argumentText.size()));
    size_t i = 0;
    while (i < rest.size() && IsBlank(rest[i])) ++i;
    if (i < rest.size() && rest[i] == ':') ++i;
    while (i < rest.size() && IsBlank(rest[i])) ++i;
    uint64_t value = 0;
    size_t digits = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i, ++digits) {
        value = value * 10 + static_cast<uint64_t>(rest[i] - '0');
        if (value > UINT32_MAX) return std::nullopt;
    }
    while (i < rest.size() && IsBlank(rest[i])) ++i;
    if (digits == 0 || value == 0 || i != rest.size()) return std::nullopt;
    return static_cast<uint32_t>(value);
}

std::optional<uint32_t> PreviewHandle(std::string_view argumentText) {
    size_t p = argumentText.find_first_of("pP");
    std::string_view rest = p == std::string_view::npos ? std::string_view{} : argumentText.substr(p + 1);
    double value = platform::RoundHalfEven(platform::LeadingNumber(rest));
    if (!(value >= -2147483648.0 && value <= 4294967295.0)) return std::nullopt;
    const auto handle = static_cast<uint32_t>(static_cast<int64_t>(value));
    if (handle == 0) return std::nullopt;
    return handle;
}

}  // namespace startup
