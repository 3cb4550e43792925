// The screens' windows; see screen_window_win32.h. Keys reach the primary, which has the
// focus, and the run's input sink hears keys typed elsewhere; a click on any screen ends the
// saver like a click anywhere, without pulling the activation from the primary.
#include "battle/screen_window_win32.h"

#include <windows.h>

#include "assets/resource_ids.h"
#include "assets/sprite_resources_win32.h"
#include "battle/saver_notifications_win32.h"
#include "platform/dib_win32.h"
#include "platform/handles_win32.h"
#include "platform/monitors_win32.h"

namespace battle {
namespace {

constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameInterval = 150;
constexpr UINT kWtsSessionChange = 0x02B1;  // WM_WTSSESSION_CHANGE

}  // namespace

ScreenWindow::ScreenWindow(Kind kind, const ScreenPlan& screen, Background background, SaverSession& session,
                           RunHooks hooks)
    : kind_(kind), screen_(screen), background_(std::move(background)), session_(session), hooks_(std::move(hooks)) {}

platform::Form::CreateParams ScreenWindow::GetCreateParams() {
    const bool primary = kind_ == Kind::kPrimary;
    CreateParams p;
    p.className = primary ? L"BrackmerSaverMain" : L"BrackmerSaverMonitor";
    p.title = primary ? kSaverWindowTitle : kMonitorWindowTitle;
    p.style = WS_POPUP;
    p.exStyle = primary ? WS_EX_APPWINDOW : WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    p.x = screen_.rect.left;
    p.y = screen_.rect.top;
    p.width = screen_.rect.width;
    p.height = screen_.rect.height;
    p.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    p.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BRACKMER));
    // Every pixel transparent: no pointer shows over the saver, whatever the cursor counter
    // says, on DirectDraw's screen, GDI's and the other monitors' alike.
    p.cursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INVISIBLE));
    return p;
}

void ScreenWindow::SetUp(const settings::SaverSettings& settings) {
    // From here a display owns the screen, also in the messages its set-up lets through.
    standIn_ = false;
    if (kind_ == Kind::kPrimary) {
        primary_ = std::make_unique<PrimaryDisplay>(Handle(), screen_.rect.width, screen_.rect.height);
        frames_ = &primary_->Frames();
        gdi_ = primary_->Gdi();
    } else {
        other_ = std::make_unique<graphics::GdiFrameDisplay>(Handle(), screen_.rect.width, screen_.rect.height);
        frames_ = gdi_ = other_.get();
    }
    battle_ = SetUpScreen(screen_, settings, background_.picture, assets::LoadSprites(screen_.spriteScale), *frames_);
    background_.picture = {};
}

// Exclusive mode needs a visible foreground window, and keys go to the foreground window: a
// saver started while another program had the focus asks for it at once, before the stand-in
// is painted (the run's input sink already hears keys typed into that program meanwhile).
void ScreenWindow::ShowOnTop() {
    const platform::Rect& r = screen_.rect;
    if (kind_ == Kind::kOther) {
        SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.width, r.height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return;
    }
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    UpdateWindow(Handle());
}

void ScreenWindow::FreeCursor(const std::optional<CursorPoint>& restingAt) {
    if (primary_) primary_->FreeCursor(restingAt);
}

void ScreenWindow::StartFrames() { StartTimer(kFrameTimer, kFrameInterval); }

BattleScreen ScreenWindow::Screen() { return {&battle_, frames_, background_.late}; }

void ScreenWindow::GiveBack() noexcept {
    if (primary_) primary_->GiveBack();
}

// Destroyed by other means than the run's ending: the process ends by itself once its
// windows are gone.
void ScreenWindow::OnUnload() {
    StopTimer(kFrameTimer);
    GiveBack();
    if (hooks_.windowGone) hooks_.windowGone();
}

LRESULT ScreenWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            session_.OnInput(UserInput::kKey);
            return 0;
        case WM_INPUT:  // a key typed into whichever window has the focus
            if (SaverNotifications::IsKeyPress(msg, lp)) session_.OnInput(UserInput::kKey);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            session_.OnInput(UserInput::kMouseButton);
            return 0;
        case WM_MOUSEACTIVATE:
            // A click must not pull the activation away from the full-screen window: losing it
            // could make the primary's exclusive display give up before the click ends the saver.
            return kind_ == Kind::kOther ? MA_NOACTIVATE : Default(msg, wp, lp);
        case WM_TIMER:
            if (wp == kFrameTimer && hooks_.frameTick) hooks_.frameTick();
            return 0;
        // Closing under the set-up would pull the window from under it: the session holds it.
        case WM_CLOSE:
            session_.OnCloseRequest();
            return 0;
        case WM_DISPLAYCHANGE:
            session_.OnDisplayChange(platform::EnumerateMonitors());
            return 0;
        case WM_POWERBROADCAST:
        case kWtsSessionChange:
            if (const std::optional<Notice> notice = SaverNotifications::Decode(msg, wp, lp)) {
                session_.OnNotice(*notice);
                return TRUE;
            }
            break;
        case WM_SYSCOMMAND:
            // The host may ask again while we run; we already are the screen saver.
            return (wp & 0xFFF0) == SC_SCREENSAVE ? 0 : Default(msg, wp, lp);
        case WM_ERASEBKGND:
            // After the stand-in every pixel is the display's: GDI repaints its whole last
            // frame (black before the first), DirectDraw covers the screen.
            if (standIn_) PaintStandIn(reinterpret_cast<HDC>(wp));
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
    }
    // Everything else, and what only passes by (raw input, notices not ours), as the
    // platform would answer it.
    return Default(msg, wp, lp);
}

void ScreenWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (gdi_) gdi_->Repaint(dc);
    EndPaint(Handle(), &ps);
}

// Until a display takes the screen the window shows the first frame's background: the
// desktop picture, or the fill.
void ScreenWindow::PaintStandIn(HDC dc) {
    const platform::Picture& picture = background_.picture;
    if (picture.IsWhole()) {
        const BITMAPINFO info = platform::TopDown32Info(picture.width, picture.height);
        SetDIBitsToDevice(dc, 0, 0, DWORD(picture.width), DWORD(picture.height), 0, 0, 0, UINT(picture.height),
                          picture.pixels.data(), &info, DIB_RGB_COLORS);
    } else {
        const RECT all{0, 0, screen_.rect.width, screen_.rect.height};
        platform::UniqueBrush brush(CreateSolidBrush(screen_.fillGdiColour));
        FillRect(dc, &all, brush.get());
    }
}

}  // namespace battle
