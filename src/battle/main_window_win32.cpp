// The saver window: gathers the facts of the start (settings, monitors, twips, desktop),
// carries out the start-up plan (the primary's battle on its display, a monitor window for
// every other screen) and turns the messages that matter into saver-session events; the
// session decides when to draw, pause or end.
#include "battle/main_window_win32.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "assets/resource_ids.h"
#include "assets/sprite_resources_win32.h"
#include "battle/monitor_window_win32.h"
#include "battle/primary_display_win32.h"
#include "battle/saver_notifications_win32.h"
#include "battle/saver_session.h"
#include "battle/startup_plan.h"
#include "desktop/desktop_pixels_win32.h"
#include "desktop/wallpaper_read_win32.h"
#include "desktop/screen_capture_win32.h"
#include "platform/dib_win32.h"
#include "platform/fault_switches.h"
#include "platform/handles_win32.h"
#include "platform/monitors_win32.h"
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

StartupFacts ReadStartupFacts() {
    settings::RegistryStore store;
    return {settings::LoadSaverSettings(store), platform::EnumerateMonitors(), GetSystemMetrics(SM_CXSCREEN),
            GetSystemMetrics(SM_CYSCREEN), platform::ReadScreenTwips(), desktop::SaverOnUserDesktop()};
}

class SaverWindow final : public platform::Form {
public:
    explicit SaverWindow(platform::Random& random) : randomSource_(random) {}

private:
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerSaverMain";
        p.title = kSaverWindowTitle;
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
        facts_ = ReadStartupFacts();
        for (const MonitorInfo& m : facts_.monitors) monitorRects_.push_back(m.rect);
        // The wallpaper is read off this thread from now on, while the screens are set up.
        if (facts_.settings.background == settings::kDesktop) desktop::StartWallpaperRead(monitorRects_);
        plan_ = PlanScreens(facts_);
        // Events that arrive while the screens are set up (the display's set-up lets
        // messages through) are held by the session until it starts.
        session_.emplace(randomSource_, facts_.system.twipsPerPixelX, facts_.system.twipsPerPixelY,
                         [] { platform::ProcessPendingMessages(); },
                         platform::Ending::Steps{.stopEvents = [] { platform::StopAllEvents(); },
                                                 .logError = [](std::string_view e) { platform::WriteErrorLog(e); },
                                                 .giveBack = GiveBackSteps(),
                                                 .endProcess = [] { platform::EndProgram(); }});
        platform::StartupMark("settings read, screens planned");
        LoadMonitorWindows();
        platform::StartupMark("screen captured");
        ShowInFront();
        // Where the pointer rests before DirectDraw's exclusive mode may pull it in.
        const std::optional<CursorPoint> resting = ReadCursor();
        std::vector<BattleScreen> screens = TakeScreens(resting);
        platform::StartupMark("surfaces made");
        StartTimer(kFrameTimer, kFrameInterval);
        if (session_->Start(std::move(screens), facts_.monitors, ReadCursor(), LateWallpaper()) ==
            Decision::kEndQuietly)
            return;
        // The first tick runs at once, so the first frame shown already has the fleets on
        // it; the timer keeps the 150 ms beat from here.
        OnFrameTimer();
    }

    // Every screen's picture is taken before any saver window shows anywhere; the other
    // screens' windows are made (hidden) with theirs, the primary's waits for its display.
    void LoadMonitorWindows() {
        auto backgroundOf = [&](const ScreenPlan& screen) {
            return BackgroundPicture(
                screen, [&] { return desktop::CaptureScreen(screen.rect); },
                [&] {
                    desktop::WallpaperShare share = desktop::WallpaperPixels(screen.rect, monitorRects_);
                    return Background{std::move(share.picture), share.late};
                });
        };
        background_ = backgroundOf(plan_.front());
        for (size_t i = 1; i < plan_.size(); ++i) {
            monitors_.push_back(std::make_unique<MonitorWindow>(
                plan_[i], facts_.settings, backgroundOf(plan_[i]), assets::LoadSprites(plan_[i].spriteScale),
                [this](UserInput input) { session_->OnInput(input); }));
            monitors_.back()->Load();
        }
    }

    // Exclusive mode needs a visible foreground window. Taking the display costs half a
    // second under Wine; until then the window shows the first frame's background through
    // GDI (PaintBackground), painted now rather than black. Keys go to the foreground
    // window; a saver started while another program had the focus asks for it. Where the
    // platform does not hand the keyboard over (Wine leaves the X focus with the other
    // window), the notifications' input sink hears the keys.
    void ShowInFront() {
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ShowWindow(Handle(), SW_SHOW);
        UpdateWindow(Handle());
        platform::StartupMark("window shown and painted");
        SetForegroundWindow(Handle());
        notifications_.emplace(Handle());
    }

    // A screen whose wallpaper was late asks the read again on the session's ticks.
    LateBackground LateWallpaper() {
        return [this](size_t screen) -> std::optional<platform::Picture> {
            return desktop::LateWallpaperPixels(plan_.at(screen).rect, monitorRects_);
        };
    }

    // The primary's display and battle, then every other screen shown over its monitor.
    std::vector<BattleScreen> TakeScreens(const std::optional<CursorPoint>& resting) {
        const ScreenPlan& primary = plan_.front();
        // From here a display owns the screen, also in the messages its set-up lets through.
        standIn_ = false;
        display_ = std::make_unique<PrimaryDisplay>(Handle(), primary.rect.width, primary.rect.height);
        battle_ = SetUpScreen(primary, facts_.settings, background_.picture, assets::LoadSprites(primary.spriteScale),
                              display_->Frames());
        std::vector<BattleScreen> screens{{&battle_, &display_->Frames(), background_.late}};
        background_ = {};
        for (auto& monitor : monitors_) {
            monitor->ShowOnTop();
            screens.push_back(monitor->Screen());
        }
        if (!monitors_.empty()) display_->FreeCursor(resting);
        return screens;
    }

    void OnTimer(UINT_PTR id) override {
        if (id == kFrameTimer) OnFrameTimer();
    }

    void OnFrameTimer() {
        try {
            platform::InjectTickFault();
        } catch (const platform::RuntimeError& e) {
            session_->OnError(e);
            return;
        }
        session_->OnTick(ReadCursor(), platform::EnumerateMonitors());
#ifdef BRACKMER_STARTUP_TRACE
        if (!traced_) {
            traced_ = true;
            platform::StartupMark("first frame");
            platform::WriteStartupTrace();
        }
#endif
    }

    // What a run gives back, whatever ended it: the session's ending runs these (after
    // stopping every event and logging an error, before the process ends), and so does the
    // unload of a window destroyed by other means.
    std::vector<std::function<void()>> GiveBackSteps() {
        return {[this] {
            if (display_) display_->GiveBack();
        }};
    }

    void OnKeyDown(WPARAM) override { session_->OnInput(UserInput::kKey); }
    void OnMouseDown() override { session_->OnInput(UserInput::kMouseButton); }
    // Closing under the set-up would pull the window from under it: the session holds it.
    void OnClose() override { session_->OnCloseRequest(); }

    // The window destroyed by other means: the process ends by itself once it is gone.
    void OnUnload() override {
        StopTimer(kFrameTimer);
        for (const auto& step : GiveBackSteps()) step();
        notifications_.reset();
        for (auto& monitor : monitors_) monitor->Unload();
    }

    // Until a display takes the screen the window shows the first frame's background: the
    // desktop picture, or the fill.
    void PaintBackground(HDC dc) {
        const ScreenPlan& primary = plan_.front();
        const platform::Picture& picture = background_.picture;
        if (picture.IsWhole()) {
            const BITMAPINFO info = platform::TopDown32Info(picture.width, picture.height);
            SetDIBitsToDevice(dc, 0, 0, DWORD(picture.width), DWORD(picture.height), 0, 0, 0, UINT(picture.height),
                              picture.pixels.data(), &info, DIB_RGB_COLORS);
        } else {
            const RECT all{0, 0, primary.rect.width, primary.rect.height};
            platform::UniqueBrush brush(CreateSolidBrush(primary.fillGdiColour));
            FillRect(dc, &all, brush.get());
        }
    }

    bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
        if (msg == WM_ERASEBKGND) {
            if (standIn_ && !plan_.empty()) PaintBackground(reinterpret_cast<HDC>(wp));
            *result = 1;
            return true;
        }
        if (msg == WM_PAINT && display_ && display_->OnGdi()) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            display_->Repaint(dc);
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
        if (msg == WM_DISPLAYCHANGE) session_->OnDisplayChange(platform::EnumerateMonitors());
        if (std::optional<Notice> notice = SaverNotifications::Decode(msg, wp, lp)) {
            session_->OnNotice(*notice);
            *result = TRUE;
            return true;
        }
        return false;
    }

    PlatformRandomSource randomSource_;
    StartupFacts facts_;
    std::vector<ScreenPlan> plan_;
    std::vector<platform::Rect> monitorRects_;  // the monitors' rectangles, as the wallpaper read knows them
    Background background_;  // the primary's, until its display has it
    bool standIn_ = true;
    std::vector<std::unique_ptr<MonitorWindow>> monitors_;
    std::optional<SaverNotifications> notifications_;
    Battle battle_;
    std::unique_ptr<PrimaryDisplay> display_;
    std::optional<SaverSession> session_;
#ifdef BRACKMER_STARTUP_TRACE
    bool traced_ = false;
#endif
};

}  // namespace

std::unique_ptr<platform::Form> CreateSaverWindow(platform::Random& random) {
    return std::make_unique<SaverWindow>(random);
}

}  // namespace battle
