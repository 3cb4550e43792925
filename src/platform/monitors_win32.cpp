// Monitor enumeration; see monitors_win32.h.
#include "platform/monitors_win32.h"

#include <windows.h>

#include "platform/handles_win32.h"

namespace platform {
namespace {

using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int /*MONITOR_DPI_TYPE*/, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the scaling the user chose

// shcore.dll and its GetDpiForMonitor exist from Windows 8.1 on; looked up at run time so
// the saver still starts on older systems. The library stays loaded for the process.
GetDpiForMonitorFn LookUpGetDpiForMonitor() {
    HMODULE shcore = LoadLibraryW(L"shcore.dll");
    return shcore ? reinterpret_cast<GetDpiForMonitorFn>(GetProcAddress(shcore, "GetDpiForMonitor")) : nullptr;
}

struct Enumeration {
    std::vector<MonitorInfo> monitors;
    GetDpiForMonitorFn getDpi = nullptr;
    int systemDpi = 0;  // read on first need: where every monitor has the system's DPI

    int DpiOf(HMONITOR monitor) {
        UINT x = 0, y = 0;
        if (getDpi && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y)) && x > 0) return static_cast<int>(x);
        if (systemDpi == 0) systemDpi = SystemDpi();
        return systemDpi;
    }
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    auto* e = reinterpret_cast<Enumeration*>(data);
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        e->monitors.push_back({{r.left, r.top, r.right - r.left, r.bottom - r.top},
                               (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
                               e->DpiOf(monitor)});
    }
    return TRUE;
}

}  // namespace

std::vector<MonitorInfo> EnumerateMonitors() {
    static const GetDpiForMonitorFn getDpi = LookUpGetDpiForMonitor();
    Enumeration e;
    e.getDpi = getDpi;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&e));
    return std::move(e.monitors);
}

int SystemDpi() {
    WindowDc screen(nullptr);
    return UsableDpi(GetDeviceCaps(screen.Get(), LOGPIXELSX));  // 0 without a screen DC
}

}  // namespace platform
