// Monitor windows. They never take the focus (keys belong to the main window, which also
// hears keys typed elsewhere), but a click on one ends the saver like a click anywhere.
#include "battle/monitor_window_win32.h"

#include "assets/resource_ids.h"
#include "battle/battle_screen_win32.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"

namespace battle {
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
        if (systemDpi == 0) {
            platform::WindowDc screen(nullptr);
            systemDpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
        }
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

MonitorWindow::MonitorWindow(const MonitorBattle& where, const settings::SaverSettings& settings,
                             std::vector<graphics::PixelValue> picture, std::function<void(UserInput)> onUserInput)
    : where_(where),
      settings_(settings),
      picture_(std::move(picture)),
      onUserInput_(std::move(onUserInput)) {}

platform::Form::CreateParams MonitorWindow::GetCreateParams() {
    CreateParams p;
    p.className = L"BrackmerSaverMonitor";
    p.title = L"Monitor -- Brackmer Saver";
    p.style = WS_POPUP;
    p.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    p.x = where_.window.left;
    p.y = where_.window.top;
    p.width = where_.window.width;
    p.height = where_.window.height;
    p.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    p.cursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INVISIBLE));
    return p;
}

void MonitorWindow::OnLoad() {
    display_ = std::make_unique<graphics::GdiFrameDisplay>(Handle(), where_.window.width, where_.window.height);
    battle_ = SetUpScreen(settings_, where_.measurements, where_.spriteScale, picture_, *display_);
    picture_ = {};
}

void MonitorWindow::ShowOnTop() {
    SetWindowPos(Handle(), HWND_TOPMOST, where_.window.left, where_.window.top, where_.window.width,
                 where_.window.height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

BattleScreen MonitorWindow::Screen() { return {&battle_, display_.get()}; }

bool MonitorWindow::OnOtherMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (display_) display_->Repaint(dc);
        EndPaint(Handle(), &ps);
        *result = 0;
        return true;
    }
    if (msg == WM_MOUSEACTIVATE) {
        // A click must not pull the activation away from the full-screen window: losing it
        // could make the primary's exclusive display give up before the click ends the saver.
        *result = MA_NOACTIVATE;
        return true;
    }
    if (msg == WM_ERASEBKGND && display_ && display_->Frames().FlipCount() > 0) {
        *result = 1;  // the last frame covers every pixel
        return true;
    }
    return false;
}

}  // namespace battle
