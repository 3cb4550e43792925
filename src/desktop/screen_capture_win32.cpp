// Screen capture into a top-down 32-bit DIB section, whose memory is the picture's layout.
#include "desktop/screen_capture_win32.h"

#include <windows.h>

#include "platform/dib_win32.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"

namespace desktop {

platform::Picture CaptureScreen(const platform::Rect& area) {
    platform::WindowDc screen(nullptr);
    BITMAPINFO info = platform::TopDown32Info(area.width, area.height);
    void* bits = nullptr;
    platform::UniqueBitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib) platform::ThrowLastError("CreateDIBSection");
    {
        platform::UniqueMemDc memDc(CreateCompatibleDC(screen.Get()));
        platform::SelectGuard select(memDc.get(), dib.get());
        // The desktop window's DC reaches every monitor.
        platform::WindowDc desktopDc(GetDesktopWindow());
        BitBlt(memDc.get(), 0, 0, area.width, area.height, desktopDc.Get(), area.left, area.top, SRCCOPY);
        GdiFlush();
    }
    const auto* p = static_cast<const uint32_t*>(bits);
    platform::Picture picture{area.width, area.height, std::vector<uint32_t>(p, p + size_t(area.width) * size_t(area.height))};
    for (uint32_t& v : picture.pixels) v &= 0x00FFFFFF;
    return picture;
}

}  // namespace desktop
