// The saver window "Main -- Brackmer Saver": sets the battle up, takes the primary screen,
// puts a battle window on every other monitor, runs one tick at once and then every 150 ms
// for all of them, and ends the moment the user stirs (key anywhere, button, cursor jump) or
// the monitors change. The rules are battle_core's; this file only wires the timer, input
// and displays.
#include "battle/main_window_win32.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "assets/resource_ids.h"
#include "assets/sprite_resources_win32.h"
#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "battle/cursor_release_win32.h"
#include "battle/frame_composer.h"
#include "battle/monitor_layout.h"
#include "battle/monitor_window_win32.h"
#include "battle/saver_notifications_win32.h"
#include "battle/saver_tick.h"
#include "graphics/dx7_ddraw_support_win32.h"
#include "graphics/dx7_frame_display_win32.h"
#include "platform/ending.h"
#include "platform/handles_win32.h"
#include "platform/numbers.h"
#include "platform/runtime_win32.h"
#include "platform/startup_trace_win32.h"
#include "settings/registry_store_win32.h"

namespace battle {
namespace {

constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameInterval = 150;

class SystemCursor final : public CursorSource {
public:
    CursorPoint Position() override {
        POINT p{};
        GetCursorPos(&p);
        return {p.x, p.y};
    }
};

class SaverWindow final : public platform::Form {
public:
    explicit SaverWindow(platform::Random& random) : random_(random), randomSource_(random) {}

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
        settings::SaverSettings values = settings::LoadSaverSettings(store);
        platform::ScreenTwips screen = platform::ReadScreenTwips();

        // The sprite cell is measured from the first ship picture, as a picture box holding
        // it would report its size in twips. On a high-DPI screen the pictures are enlarged
        // first, so the battle keeps its proportions there.
        const int spriteScale = SpriteScaleForDpi(screen.dpi);
        platform::UniqueBitmap first = assets::LoadPictureBitmap(1, spriteScale);
        SIZE cell = graphics::BitmapSize(first.get());
        const Measurements measurements{screen.width,
                                        screen.height,
                                        screen.twipsPerPixelX,
                                        screen.twipsPerPixelY,
                                        static_cast<float>(cell.cx) * screen.twipsPerPixelX,
                                        static_cast<float>(cell.cy) * screen.twipsPerPixelY};
        battle_ = SetUpBattle(values, measurements);
        platform::StartupMark("settings read, cell measured");

        // Every other monitor's picture is taken before any saver window shows anywhere.
        monitorsAtStart_ = EnumerateMonitors();
        for (const MonitorBattle& other : OtherMonitorBattles(monitorsAtStart_, measurements, spriteScale)) {
            std::vector<graphics::PixelValue> snapshot;
            if (values.background == settings::kDesktop)
                snapshot = graphics::CaptureScreenPixels(other.window.left, other.window.top, other.window.width,
                                                         other.window.height);
            monitors_.push_back(std::make_unique<MonitorWindow>(other, values, other.spriteScale, std::move(snapshot),
                                                                [this] { ExitSequence(); }));
            monitors_.back()->Load();
        }

        // The whole screen as it is now, before the saver covers it.
        {
            platform::WindowDc screenDc(nullptr);
            desktopPicture_.reset(CreateCompatibleBitmap(screenDc.Get(), battle_.scrWidth, battle_.scrHeight));
            if (!desktopPicture_) platform::ThrowLastError("CreateCompatibleBitmap");
            if (battle_.background == settings::kDesktop) {
                HWND desktop = GetDesktopWindow();
                platform::WindowDc desktopDc(desktop);
                platform::UniqueMemDc memDc(CreateCompatibleDC(screenDc.Get()));
                platform::SelectGuard select(memDc.get(), desktopPicture_.get());
                BitBlt(memDc.get(), 0, 0, battle_.scrWidth, battle_.scrHeight, desktopDc.Get(), 0, 0, SRCCOPY);
            }
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

        // From here the display owns the screen, also in the messages InitDDraw lets through.
        const CursorPoint resting = cursor_.Position();
        displayTaken_ = true;
        if (!graphics::InitDDraw(Handle(), battle_.scrWidth, battle_.scrHeight, 32)) platform::EndProgram();
        platform::StartupMark("display taken");
        if (battle_.background == settings::kPlainBlue)
            battle_.seaColor = static_cast<int32_t>(graphics::ColorToSurfacePixel(kSeaGdiColor));
        graphics::HideMouseCursor();
        display_.SetSurface(graphics::kBackgroundSurface, desktopPicture_.get());
        display_.LoadSpritesFromResources(spriteScale);
        platform::StartupMark("surfaces made");
        std::vector<BattleScreen> screens{{&battle_, &display_}};
        for (auto& monitor : monitors_) {
            monitor->ShowOnTop();
            screens.push_back(monitor->Screen());
        }
        if (!monitors_.empty()) FreeCursorOverDesktop(resting);
        battle_.lastCursor = cursor_.Position();
        tick_.emplace(std::move(screens), cursor_, randomSource_, screen.twipsPerPixelX, screen.twipsPerPixelY,
                      [] { platform::ProcessPendingMessages(); });
        tick_->SetPaused(nobodyCanSee_);
        StartTimer(kFrameTimer, kFrameInterval);
        // The first tick runs at once, so the first frame DirectDraw shows already has the
        // fleets on it; the timer keeps the 150 ms beat from here.
        OnFrameTimer();
    }

    void OnTimer(UINT_PTR id) override {
        if (id == kFrameTimer && tick_) OnFrameTimer();
    }

    void OnFrameTimer() {
        try {
#ifdef BRACKMER_FAULT_AFTER_TICKS
            // Test builds only: a tick error on demand, to prove the error path end to end.
            if (++ticks_ > BRACKMER_FAULT_AFTER_TICKS) (void)platform::Mul16(32767, 2);
#endif
            if (LayoutChanged(monitorsAtStart_, EnumerateMonitors())) ExitSequence();
            if (tick_->Run() == TickOutcome::kUserMoved) ExitSequence();
#ifdef BRACKMER_STARTUP_TRACE
            if (!traced_) {
                traced_ = true;
                platform::StartupMark("first frame");
                platform::WriteStartupTrace();
            }
#endif
        } catch (const platform::RuntimeError& e) {
            WriteErrorLogAndExit(e);
        }
    }

    // Any error of a running saver, a lost display among them, ends it like a key would,
    // after one line in the log: nobody is watching the screen to read a report.
    [[noreturn]] void WriteErrorLogAndExit(const platform::RuntimeError& error) {
        ending_.Run(error.Description());
        platform::EndProgram();
    }

    [[noreturn]] void ExitSequence() {
        ending_.Run();
        platform::EndProgram();
    }

    // The sprite and background surfaces go before TermDDraw: they hold the DirectDraw
    // object, which would otherwise outlive it and be torn down only by the process's end.
    platform::Ending::Steps EndingSteps() {
        return {.stopEvents = [] { platform::StopAllEvents(); },
                .logError = [](std::string_view description) { platform::WriteErrorLog(description); },
                .giveBack = {[] { graphics::ShowMouseCursor(); }, [this] { display_.ReleaseSurfaces(); },
                             [] { graphics::TermDDraw(); }},
                .endProcess = [] { platform::EndProgram(); }};
    }

    // The window closed by other means: the process ends by itself once it is gone.
    void GiveBackDisplay() {
        platform::Ending giveBack(
            {.stopEvents = {}, .logError = {}, .giveBack = EndingSteps().giveBack, .endProcess = {}});
        giveBack.Run();
    }

    void OnKeyDown(WPARAM) override { ExitSequence(); }
    void OnMouseDown() override { ExitSequence(); }

    void OnUnload() override {
        StopTimer(kFrameTimer);
        GiveBackDisplay();
        notifications_.reset();
        for (auto& monitor : monitors_) monitor->Unload();
    }

    // Until DirectDraw has the screen the window shows the first frame's background (the
    // desktop picture or the fill). Afterwards GDI must not draw over the display's frames.
    void PaintBackground(HDC dc) {
        if (displayTaken_) return;
        RECT all{0, 0, battle_.scrWidth, battle_.scrHeight};
        if (std::optional<uint32_t> colour = StandInGdiColour(battle_.background)) {
            platform::UniqueBrush brush(CreateSolidBrush(*colour));
            FillRect(dc, &all, brush.get());
        } else {
            platform::UniqueMemDc memDc(CreateCompatibleDC(dc));
            platform::SelectGuard select(memDc.get(), desktopPicture_.get());
            BitBlt(dc, 0, 0, all.right, all.bottom, memDc.get(), 0, 0, SRCCOPY);
        }
    }

    bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
        if (msg == WM_ERASEBKGND) {
            PaintBackground(reinterpret_cast<HDC>(wp));
            *result = 1;
            return true;
        }
        // The host may ask again while we run; we already are the screen saver.
        if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_SCREENSAVE) {
            *result = 0;
            return true;
        }
        if (SaverNotifications::IsKeyPress(msg, lp)) ExitSequence();
        // A monitor plugged in or out, or a new resolution: the windows no longer fit the
        // desktop, so the saver ends as if the user had come back (every tick compares the
        // monitors too, for platforms that do not send this). The saver's own switch
        // to 32 bits per pixel also sends this message but keeps every rectangle.
        if (msg == WM_DISPLAYCHANGE && LayoutChanged(monitorsAtStart_, EnumerateMonitors())) ExitSequence();
        if (notifications_) {
            if (std::optional<bool> nobodyCanSee = notifications_->OnVisibilityMessage(msg, wp, lp)) {
                nobodyCanSee_ = *nobodyCanSee;
                if (tick_) tick_->SetPaused(nobodyCanSee_);
                *result = TRUE;
                return true;
            }
        }
        return false;
    }

    platform::Random& random_;
    PlatformRandomSource randomSource_;
    SystemCursor cursor_;
    Battle battle_;
    platform::UniqueBitmap desktopPicture_;
    graphics::DDrawFrameDisplay display_;
    std::vector<MonitorInfo> monitorsAtStart_;
    std::vector<std::unique_ptr<MonitorWindow>> monitors_;
    std::optional<SaverNotifications> notifications_;
    bool nobodyCanSee_ = false;
    bool displayTaken_ = false;
    std::optional<SaverTick> tick_;
    platform::Ending ending_{EndingSteps()};
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
