// Fuzz target: the wallpaper's settings as the user's desktop keys hold them, and a picture's
// path. The first byte says which drive letters count as mapped to the network; the rest is
// the two style strings (split at the first NUL) and, read as UTF-16, a path. Nothing may
// throw or read outside the text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "desktop/desktop_view.h"
#include "desktop/wallpaper_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t mapped = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t split = rest.find('\0');
    const std::string_view style = rest.substr(0, split);
    const std::string_view tile = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
    (void)desktop::StyleFromSettings(style, tile);
    (void)desktop::StyleFromSettings(std::nullopt, style);
    (void)desktop::OnUserDesktop(style, tile);

    // The path in a buffer of exactly its length: no terminator after it to lean on.
    const size_t length = (size - 1) / 2;
    const std::unique_ptr<wchar_t[]> path(new wchar_t[length ? length : 1]);
    for (size_t i = 0; i < length; ++i) path[i] = wchar_t(data[1 + 2 * i] | data[2 + 2 * i] << 8);
    (void)desktop::IsRemotePath({path.get(), length}, [mapped](wchar_t drive) { return (drive & 7) < (mapped & 7); });
    return 0;
}
