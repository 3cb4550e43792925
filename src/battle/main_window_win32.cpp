// frmMain, the saver window "Main -- Brackmer Saver": sets the battle up, takes the screen,
// runs one tick every 150 ms and ends the moment the user stirs (key, button, cursor jump).
// The rules are battle_core's; this file only wires the timer, the input and the display.
#include "battle/main_window_win32.h"

#include <windows.h>

#include "assets/resource_ids.h"
#include "assets/sprite_resources_win32.h"
#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "battle/cursor_check.h"
#include "battle/frame_composer.h"
#include "graphics/dx7_ddraw_support_win32.h"
#include "graphics/dx7_frame_display_win32.h"
#include "platform/numbers.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"
#include "settings/registry_store_win32.h"

namespace battle {
namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 150;

CursorPoint CurrentCursor() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

class frmMain final : public platform::Form {
public:
    explicit frmMain(platform::Random& random) : random_(random) {}

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

    void Form_Load() override {
        settings::RegistryStore store;
        settings::SaverSettings values = settings::LoadSaverSettings(store);
        platform::ScreenTwips screen = platform::ReadScreenTwips();

        // The sprite cell is measured from the first ship picture, as a picture box holding
        // it would report its size in twips.
        platform::UniqueBitmap first = assets::LoadPictureBitmap(1);
        SIZE cell = graphics::BitmapSize(first.get());
        battle_ = SetUpBattle(values, {screen.width, screen.height, screen.twipsPerPixelX, screen.twipsPerPixelY,
                                       static_cast<float>(cell.cx) * screen.twipsPerPixelX,
                                       static_cast<float>(cell.cy) * screen.twipsPerPixelY});

        // picMain: the whole screen as it is now, before the saver covers it.
        {
            platform::WindowDc screenDc(nullptr);
            picMain_.reset(CreateCompatibleBitmap(screenDc.Get(), battle_.ScrWidth, battle_.ScrHeight));
            if (!picMain_) platform::ThrowLastError("CreateCompatibleBitmap");
            if (battle_.BackGround == settings::Desktop) {
                HWND desktop = GetDesktopWindow();
                platform::WindowDc desktopDc(desktop);
                platform::UniqueMemDc memDc(CreateCompatibleDC(screenDc.Get()));
                platform::SelectGuard select(memDc.get(), picMain_.get());
                BitBlt(memDc.get(), 0, 0, battle_.ScrWidth, battle_.ScrHeight, desktopDc.Get(), 0, 0, SRCCOPY);
            }
        }

        SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        // Exclusive mode needs a visible foreground window; the window is black until the
        // first frame, 150 ms later.
        ShowWindow(hwnd(), SW_SHOW);

        if (!graphics::InitDDraw(hwnd(), battle_.ScrWidth, battle_.ScrHeight, 32)) platform::EndProgram();
        if (battle_.BackGround == settings::PlainBlue)
            battle_.SeaColor = static_cast<int32_t>(graphics::ColorToSurfacePixel(kSeaGdiColor));
        graphics::HideMouseCursor();
        display_.SetSurface(graphics::kBackgroundSurface, picMain_.get());
        display_.LoadSpritesFromResources();
        battle_.LastCursor = CurrentCursor();
        StartTimer(kTimer1, kTimer1Interval);
    }

    void OnTimer(UINT_PTR id) override {
        if (id == kTimer1) Timer1_Timer();
    }

    void Timer1_Timer() {
        // The tick's own message processing can deliver the next timer message when a
        // frame takes longer than the interval; that tick is skipped rather than nested.
        if (inTick_) return;
        struct TickScope {
            bool& flag;
            explicit TickScope(bool& f) : flag(f) { flag = true; }
            ~TickScope() { flag = false; }
        } scope(inTick_);
        try {
            CheckMouseMove();
#ifdef BRACKMER_FAULT_AFTER_TICKS
            // Test builds only: a tick error on demand, to prove the error path end to end.
            if (++ticks_ > BRACKMER_FAULT_AFTER_TICKS) (void)platform::Mul16(32767, 2);
#endif
            PlatformRandomSource source(random_);
            StepShips(battle_, source);
            ComposeFrame(battle_, display_);
            platform::ProcessPendingMessages();
        } catch (const platform::RuntimeError& e) {
            WriteErrorLogAndExit(e);
        }
    }

    void CheckMouseMove() {
        CursorPoint current = CurrentCursor();
        platform::ScreenTwips screen = platform::ReadScreenTwips();
        if (CursorMovedTooFar(battle_.LastCursor, current, screen.twipsPerPixelX, screen.twipsPerPixelY))
            ExitSequence();
        battle_.LastCursor = current;
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

    void OnKeyDown(WPARAM) override { Form_KeyDown(); }
    void OnMouseDown() override { Form_MouseDown(); }
    [[noreturn]] void Form_KeyDown() { ExitSequence(); }
    [[noreturn]] void Form_MouseDown() { ExitSequence(); }

    void Form_Unload() override {
        StopTimer(kTimer1);
        GiveBackDisplay();
    }

    bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) override {
        // The host may ask again while we run; we already are the screen saver.
        if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_SCREENSAVE) {
            *result = 0;
            return true;
        }
        return false;
    }

    platform::Random& random_;
    Battle battle_;
    platform::UniqueBitmap picMain_;
    graphics::DDrawFrameDisplay display_;
    bool inTick_ = false;
#ifdef BRACKMER_FAULT_AFTER_TICKS
    int ticks_ = 0;
#endif
};

}  // namespace

std::unique_ptr<platform::Form> CreateSaverWindow(platform::Random& random) {
    return std::make_unique<frmMain>(random);
}

}  // namespace battle
