// Fuzz target: the first bytes of a wallpaper file and its claimed length, as the wallpaper
// read hands them to the header check before any decoder opens the file, and the same bytes
// as a recorded-wallpaper registry value. A header that passes must be one a whole file of
// that length could hold: nothing may read outside the bytes or claim an empty picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "desktop/image_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    uint64_t fileSize = 0;
    std::memcpy(&fileSize, data, sizeof fileSize);
    // Mostly lengths near the bytes given, as a cut-short or lying file has; sometimes any.
    if (!(fileSize >> 63)) fileSize = size - 8 + (fileSize & 0xFFFF);
    const std::span<const uint8_t> head(data + 8, size - 8);
    if (const auto header = desktop::ReadImageHeader(head, fileSize)) {
        if (header->width == 0 || header->height == 0 || header->bitsPerPixel == 0) std::abort();
    }
    (void)desktop::RecordedWallpaperPath(head);
    return 0;
}
