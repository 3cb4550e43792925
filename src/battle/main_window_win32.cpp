// The saver window "Main -- Brackmer Saver": sets the battle up, takes the screen, runs one
// tick at once and then every 150 ms, and ends the moment the user stirs (key, button,
// cursor jump).
// The rules are battle_core's; this file only wires the timer, the input and the display.
#include "battle/main_window_win32.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "assets/resource_ids.h"
#include "assets/sprite_resources_win32.h"
#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "battle/frame_composer.h"
#include "battle/saver_tick.h"
#include "graphics/dx7_ddraw_support_win32.h"
#include "graphics/dx7_frame_display_win32.h"
#include "platform/numbers.h"
#include "platform/handles_win32.h"
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
        battle_ = SetUpBattle(values, {screen.width, screen.height, screen.twipsPerPixelX, screen.twipsPerPixelY,
                                       static_cast<float>(cell.cx) * screen.twipsPerPixelX,
                                       static_cast<float>(cell.cy) * screen.twipsPerPixelY});
        platform::StartupMark("settings read, cell measured");

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

        SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        // Exclusive mode needs a visible foreground window. Taking the display costs half a
        // second under Wine; until then the window shows the first frame's background
        // through GDI (PaintBackground), painted now rather than black.
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
        platform::StartupMark("window shown and painted");

        // From here the display owns the screen, also in the messages InitDDraw lets through.
        displayTaken_ = true;
        if (!graphics::InitDDraw(hwnd(), battle_.scrWidth, battle_.scrHeight, 32)) platform::EndProgram();
        platform::StartupMark("display taken");
        if (battle_.background == settings::kPlainBlue)
            battle_.seaColor = static_cast<int32_t>(graphics::ColorToSurfacePixel(kSeaGdiColor));
        graphics::HideMouseCursor();
        display_.SetSurface(graphics::kBackgroundSurface, desktopPicture_.get());
        display_.LoadSpritesFromResources(spriteScale);
        platform::StartupMark("surfaces made");
        battle_.lastCursor = cursor_.Position();
        tick_.emplace(std::vector<BattleScreen>{{&battle_, &display_}}, cursor_, randomSource_, screen.twipsPerPixelX,
                      screen.twipsPerPixelY, [] { platform::ProcessPendingMessages(); });
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

    void WriteErrorLogAndExit(const platform::RuntimeError& error) {
        try {
            platform::WriteOneLineFile(platform::FileInProgramFolder("ErLog.txt"), error.Description());
        } catch (const platform::RuntimeError& logError) {
            // The log could not be written: the display and the cursor still go back
            // before the error report.
            GiveBackDisplay();
            platform::ReportFatalError(logError);
        }
        ExitSequence();
    }

    // The sprite and background surfaces go first: they hold the DirectDraw object, which
    // would otherwise outlive TermDDraw and be torn down only by the process's end.
    void GiveBackDisplay() {
        graphics::ShowMouseCursor();
        display_.ReleaseSurfaces();
        graphics::TermDDraw();
    }

    [[noreturn]] void ExitSequence() {
        GiveBackDisplay();
        platform::EndProgram();
    }

    void OnKeyDown(WPARAM) override { ExitSequence(); }
    void OnMouseDown() override { ExitSequence(); }

    void OnUnload() override {
        StopTimer(kFrameTimer);
        GiveBackDisplay();
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

    bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) override {
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
        return false;
    }

    platform::Random& random_;
    PlatformRandomSource randomSource_;
    SystemCursor cursor_;
    Battle battle_;
    platform::UniqueBitmap desktopPicture_;
    graphics::DDrawFrameDisplay display_;
    bool displayTaken_ = false;
    std::optional<SaverTick> tick_;
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
