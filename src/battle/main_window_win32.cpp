// The saver window "Main -- Brackmer Saver": sets the battles up, takes the primary screen
// (through DirectDraw, or through GDI where DirectDraw cannot start), puts a battle window
// on every other monitor, and hands every message that matters to the saver session, which
// decides when to draw, pause or end. This file only turns messages into session events.
#include "battle/main_window_win32.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "assets/resource_ids.h"
#include "assets/sprite_resources_win32.h"
#include "battle/battle_screen_win32.h"
#include "battle/battle_state.h"
#include "battle/cursor_release_win32.h"
#include "battle/frame_composer.h"
#include "battle/monitor_layout.h"
#include "battle/monitor_window_win32.h"
#include "battle/saver_notifications_win32.h"
#include "battle/saver_session.h"
#include "desktop/desktop_pixels_win32.h"
#include "graphics/dx7_ddraw_support_win32.h"
#include "graphics/gdi_frame_display_win32.h"
#include "platform/dib_win32.h"
#include "platform/form_win32.h"
#include "platform/handles_win32.h"
#include "platform/numbers.h"
#include "platform/runtime_win32.h"
#include "platform/startup_trace_win32.h"
#include "settings/registry_store_win32.h"

namespace battle {
namespace {

constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameInterval = 150;

// The cursor where it can be read. Another desktop having the input (a lock, Ctrl+Alt+Del,
// a UAC prompt) makes the read fail: that is not a position.
std::optional<CursorPoint> ReadCursor() {
    POINT p{};
    if (!GetCursorPos(&p)) return std::nullopt;
    return CursorPoint{p.x, p.y};
}

// The pointer hidden while the GDI stand-in has the screen, as DirectDraw's display hides it.
class HiddenCursor {
public:
    HiddenCursor() { ShowCursor(FALSE); }
    ~HiddenCursor() { ShowCursor(TRUE); }
    HiddenCursor(const HiddenCursor&) = delete;
    HiddenCursor& operator=(const HiddenCursor&) = delete;
};

class SaverWindow final : public platform::Form {
public:
    explicit SaverWindow(platform::Random& random) : randomSource_(random) {}

private:
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerSaverMain";
        p.title = L"Main -- Brackmer Saver";
        p.style = WS_POPUP;
        p.exStyle = WS_EX_APPWINDOW;
        p.x = 0;
        p.y = 0;
        p.width = GetSystemMetrics(SM_CXSCREEN);
        p.height = GetSystemMetrics(SM_CYSCREEN);
        p.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        p.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BRACKMER));
        // Every pixel transparent: no pointer shows over the saver, whatever the cursor
        // counter says.
        p.cursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INVISIBLE));
        return p;
    }

    void OnLoad() override {
        platform::StartupMark("window created");
        settings::RegistryStore store;
        values_ = settings::LoadSaverSettings(store);
        if (values_.background == settings::kDesktop) desktop::StartWallpaperRead();
        const platform::ScreenTwips screen = platform::ReadScreenTwips();
        // Events that arrive while the screens are set up (the display's set-up lets
        // messages through) are held by the session until it starts.
        session_.emplace(randomSource_, screen.twipsPerPixelX, screen.twipsPerPixelY,
                         [] { platform::ProcessPendingMessages(); }, EndingSteps());

        // The sprite cell is measured from the first ship picture, as a picture box holding
        // it would report its size in twips. On a high-DPI screen the pictures are enlarged
        // first, so the battle keeps its proportions there.
        spriteScale_ = SpriteScaleForDpi(screen.dpi);
        const SIZE cell = graphics::BitmapSize(assets::LoadPictureBitmap(1, spriteScale_).get());
        measurements_ = {screen.width,
                         screen.height,
                         screen.twipsPerPixelX,
                         screen.twipsPerPixelY,
                         static_cast<float>(cell.cx) * screen.twipsPerPixelX,
                         static_cast<float>(cell.cy) * screen.twipsPerPixelY};
        const Battle sized = SetUpBattle(values_, measurements_);
        width_ = sized.scrWidth;
        height_ = sized.scrHeight;
        platform::StartupMark("settings read, cell measured");

        // Every monitor's picture is taken before any saver window shows anywhere.
        monitorsAtStart_ = EnumerateMonitors();
        std::vector<ScreenRect> monitorRects;
        for (const MonitorInfo& m : monitorsAtStart_) monitorRects.push_back(m.rect);
        if (values_.background == settings::kDesktop)
            picture_ = desktop::DesktopPixels({0, 0, width_, height_}, monitorRects);
        for (const MonitorBattle& other : OtherMonitorBattles(monitorsAtStart_, measurements_, spriteScale_)) {
            std::vector<graphics::PixelValue> picture;
            if (values_.background == settings::kDesktop) picture = desktop::DesktopPixels(other.window, monitorRects);
            monitors_.push_back(std::make_unique<MonitorWindow>(
                other, values_, std::move(picture),
                [this](UserInput input) { session_->OnInput(input); }));
            monitors_.back()->Load();
        }
        platform::StartupMark("screen captured");

        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        // Exclusive mode needs a visible foreground window. Taking the display costs half a
        // second under Wine; until then the window shows the first frame's background
        // through GDI (PaintBackground), painted now rather than black.
        ShowWindow(Handle(), SW_SHOW);
        UpdateWindow(Handle());
        platform::StartupMark("window shown and painted");
        // Keys go to the foreground window; a saver started while another program had the
        // focus asks for it. Where the platform does not hand the keyboard over (Wine leaves
        // the X focus with the other window), the notifications' input sink hears the keys.
        SetForegroundWindow(Handle());
        notifications_.emplace(Handle());

        // Where the pointer rests before DirectDraw's exclusive mode may pull it in.
        const std::optional<CursorPoint> resting = ReadCursor();
        // From here a display owns the screen, also in the messages its set-up lets through.
        standIn_ = false;
        TakeScreen();
        platform::StartupMark("surfaces made");
        std::vector<BattleScreen> screens{{&battle_, display_}};
        for (auto& monitor : monitors_) {
            monitor->ShowOnTop();
            screens.push_back(monitor->Screen());
        }
        if (!monitors_.empty()) FreeCursorOverDesktop(resting);
        picture_ = {};
        StartTimer(kFrameTimer, kFrameInterval);
        if (session_->Start(std::move(screens), monitorsAtStart_, ReadCursor()) == Decision::kEndQuietly) return;
        // The first tick runs at once, so the first frame shown already has the fleets on
        // it; the timer keeps the 150 ms beat from here.
        OnFrameTimer();
    }

    // DirectDraw where it starts. Where it cannot (a Remote Desktop session, a virtual machine
    // without 3D) the same battle runs on this window through GDI, as on the other monitors,
    // and the log says once why: a session without DirectDraw starts every saver that way.
    void TakeScreen() {
        graphics::SetupFailure failure;
        ddraw_ = graphics::DDrawDisplay::Take(Handle(), width_, height_, 32, &failure);
        platform::StartupMark("display taken");
        if (ddraw_) {
            battle_ = SetUpScreen(values_, measurements_, spriteScale_, picture_, *ddraw_);
            display_ = ddraw_.get();
        } else {
            platform::WriteErrorLogOnce(failure.Describe());
            hiddenCursor_.emplace();
            gdi_ = std::make_unique<graphics::GdiFrameDisplay>(Handle(), width_, height_);
            battle_ = SetUpScreen(values_, measurements_, spriteScale_, picture_, *gdi_);
            display_ = gdi_.get();
        }
    }

    void OnTimer(UINT_PTR id) override {
        if (id == kFrameTimer) OnFrameTimer();
    }

    void OnFrameTimer() {
#ifdef BRACKMER_FAULT_AFTER_TICKS
        // Test builds only: a tick error on demand, to prove the error path end to end.
        try {
            if (++ticks_ > BRACKMER_FAULT_AFTER_TICKS) (void)platform::Mul16(32767, 2);
        } catch (const platform::RuntimeError& e) {
            session_->OnError(e);
            return;
        }
#endif
        session_->OnTick(ReadCursor(), EnumerateMonitors());
#ifdef BRACKMER_STARTUP_TRACE
        if (!traced_) {
            traced_ = true;
            platform::StartupMark("first frame");
            platform::WriteStartupTrace();
        }
#endif
    }

    // The session runs these once, in this order, whatever ended the run: the user, the
    // desktop or an error. The display's destructor is its one give-back.
    platform::Ending::Steps EndingSteps() {
        return {.stopEvents = [] { platform::StopAllEvents(); },
                .logError = [](std::string_view description) { platform::WriteErrorLog(description); },
                .giveBack = {[this] { ddraw_.reset(); }, [this] { hiddenCursor_.reset(); }},
                .endProcess = [] { platform::EndProgram(); }};
    }

    void OnKeyDown(WPARAM) override { session_->OnInput(UserInput::kKey); }
    void OnMouseDown() override { session_->OnInput(UserInput::kMouseButton); }
    // Closing under the set-up would pull the window from under it: the session holds it.
    void OnClose() override { session_->OnCloseRequest(); }

    // The window destroyed by other means: the process ends by itself once it is gone.
    void OnUnload() override {
        StopTimer(kFrameTimer);
        ddraw_.reset();
        hiddenCursor_.reset();
        notifications_.reset();
        for (auto& monitor : monitors_) monitor->Unload();
    }

    // Until a display takes the screen the window shows the first frame's background (the
    // desktop picture or the fill); afterwards the display's frames are the picture.
    void PaintBackground(HDC dc) {
        RECT all{0, 0, width_, height_};
        if (std::optional<uint32_t> colour = StandInGdiColour(values_.background);
            colour || picture_.size() != size_t(width_) * size_t(height_)) {
            platform::UniqueBrush brush(CreateSolidBrush(colour.value_or(0)));
            FillRect(dc, &all, brush.get());
        } else {
            const BITMAPINFO info = platform::TopDown32Info(width_, height_);
            SetDIBitsToDevice(dc, 0, 0, DWORD(width_), DWORD(height_), 0, 0, 0, UINT(height_), picture_.data(), &info,
                              DIB_RGB_COLORS);
        }
    }

    bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
        if (msg == WM_ERASEBKGND) {
            if (standIn_) PaintBackground(reinterpret_cast<HDC>(wp));
            *result = 1;
            return true;
        }
        if (msg == WM_PAINT && gdi_) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            gdi_->Repaint(dc);
            EndPaint(Handle(), &ps);
            *result = 0;
            return true;
        }
        // The host may ask again while we run; we already are the screen saver.
        if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_SCREENSAVE) {
            *result = 0;
            return true;
        }
        if (!session_) return false;
        if (SaverNotifications::IsKeyPress(msg, lp)) session_->OnInput(UserInput::kKey);
        if (msg == WM_DISPLAYCHANGE) session_->OnDisplayChange(EnumerateMonitors());
        if (std::optional<Notice> notice = SaverNotifications::Decode(msg, wp, lp)) {
            session_->OnNotice(*notice);
            *result = TRUE;
            return true;
        }
        return false;
    }

    PlatformRandomSource randomSource_;
    settings::SaverSettings values_;
    Measurements measurements_;
    int spriteScale_ = 1;
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<graphics::PixelValue> picture_;
    bool standIn_ = true;
    std::vector<MonitorInfo> monitorsAtStart_;
    std::vector<std::unique_ptr<MonitorWindow>> monitors_;
    std::optional<SaverNotifications> notifications_;
    Battle battle_;
    // The display that has the primary: DirectDraw's, or the GDI stand-in with its hidden
    // cursor; display_ points at whichever exists.
    std::unique_ptr<graphics::DDrawDisplay> ddraw_;
    std::unique_ptr<graphics::GdiFrameDisplay> gdi_;
    std::optional<HiddenCursor> hiddenCursor_;
    graphics::FrameDisplay* display_ = nullptr;
    std::optional<SaverSession> session_;
#ifdef BRACKMER_FAULT_AFTER_TICKS
    int ticks_ = 0;
#endif
#ifdef BRACKMER_STARTUP_TRACE
    bool traced_ = false;
#endif
};

}  // namespace

std::unique_ptr<platform::Form> CreateSaverWindow(platform::Random& random) {
    return std::make_unique<SaverWindow>(random);
}

}  // namespace battle
