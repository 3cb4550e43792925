// The Win32 side of where the desktop background comes from: whether the saver's thread runs
// on the desktop the user sees (where a snapshot shows it). The rules are desktop_view's; the
// wallpaper itself comes from wallpaper_read_win32.
#include "desktop/desktop_pixels_win32.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "desktop/desktop_view.h"
#include "platform/runtime_win32.h"

namespace desktop {
namespace {

std::string DesktopName(HDESK desk) {
    wchar_t name[256]{};
    DWORD needed = 0;
    if (!desk || !GetUserObjectInformationW(desk, UOI_NAME, name, sizeof(name) - sizeof(wchar_t), &needed)) return {};
    return platform::Narrow(name);
}

struct DesktopCloser { void operator()(HDESK desk) const { if (desk) CloseDesktop(desk); } };

// None when it cannot be opened: a secure desktop with the input refuses the saver.
std::optional<std::string> InputDesktopName() {
    std::unique_ptr<std::remove_pointer_t<HDESK>, DesktopCloser> input(OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS));
    std::string name = DesktopName(input.get());
    if (name.empty()) return std::nullopt;
    return name;
}

}  // namespace

bool SaverOnUserDesktop() {
    // A desktop whose name cannot be read is taken for the user's; the snapshot then decides.
    const std::string thread = DesktopName(GetThreadDesktop(GetCurrentThreadId()));
    return thread.empty() || OnUserDesktop(thread, InputDesktopName());
}

}  // namespace desktop
