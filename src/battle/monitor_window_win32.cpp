// Monitor windows. They never take the focus (keys belong to the main window, which also
// hears keys typed elsewhere), but a click on one ends the saver like a click anywhere.
#include "battle/monitor_window_win32.h"

#include "assets/resource_ids.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"

namespace battle {

MonitorWindow::MonitorWindow(const ScreenPlan& screen, const settings::SaverSettings& settings,
                             Background background, assets::SpriteSet sprites,
                             std::function<void(UserInput)> onUserInput)
    : screen_(screen),
      settings_(settings),
      background_(std::move(background)),
      sprites_(std::move(sprites)),
      onUserInput_(std::move(onUserInput)) {}

platform::Form::CreateParams MonitorWindow::GetCreateParams() {
    CreateParams p;
    p.className = L"BrackmerSaverMonitor";
    p.title = kMonitorWindowTitle;
    p.style = WS_POPUP;
    p.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    p.x = screen_.rect.left;
    p.y = screen_.rect.top;
    p.width = screen_.rect.width;
    p.height = screen_.rect.height;
    p.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    p.cursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INVISIBLE));
    return p;
}

void MonitorWindow::OnLoad() {
    display_ = std::make_unique<graphics::GdiFrameDisplay>(Handle(), screen_.rect.width, screen_.rect.height);
    battle_ = SetUpScreen(screen_, settings_, background_.picture, sprites_, *display_);
    background_.picture = {};
    sprites_ = {};
}

void MonitorWindow::ShowOnTop() {
    SetWindowPos(Handle(), HWND_TOPMOST, screen_.rect.left, screen_.rect.top, screen_.rect.width,
                 screen_.rect.height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

BattleScreen MonitorWindow::Screen() { return {&battle_, display_.get(), background_.late}; }

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
