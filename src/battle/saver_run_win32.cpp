// A saver run, from the command line to its end (SaverMain starts it for "/s"):
//
//   Start:  read the facts (settings, monitors with their DPI, twips, whose desktop)
//           PlanScreens: the screens to run, the primary first, each with its background
//           start reading the wallpaper off this thread where a screen shows the desktop
//           take every screen's background picture, before any saver window shows
//           load a ScreenWindow per screen (hidden); set up every other screen on GDI
//           listen for keys typed anywhere, then show the primary in front with the focus
//           take the primary's display (DirectDraw, else GDI), set up its battle on it
//           show the other screens, free the cursor for them, start the 150 ms timer
//           SaverSession::Start, and the first tick at once
//   then:   every tick       -> SaverSession::OnTick: layout, cursor, late wallpaper, ships,
//                               frames, pending messages
//           every message    -> ScreenWindow::OnMessage -> one session event (key, click,
//                               close, display change, power or session notice)
//   end:    the first decision to end runs EndingSteps once: stop every event, log an
//           error, give every screen back (the primary's mode, surfaces and pointer), end
//           the process. An error nothing caught gives back the same way before its report.
#include "battle/saver_run_win32.h"

#include <windows.h>

#include <string_view>
#include <utility>

#include "desktop/desktop_pixels_win32.h"
#include "desktop/screen_capture_win32.h"
#include "desktop/wallpaper_read_win32.h"
#include "platform/fault_switches.h"
#include "platform/monitors_win32.h"
#include "platform/runtime_win32.h"
#include "platform/startup_trace_win32.h"
#include "settings/registry_store_win32.h"

namespace battle {
namespace {

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

// The steps of the ending that are not the run's own.
void StopEvents() { platform::StopAllEvents(); }
void LogError(std::string_view description) { platform::WriteErrorLog(description); }
void EndProcess() { platform::EndProgram(); }

}  // namespace

SaverRun::~SaverRun() { platform::SetFatalCleanup(nullptr); }

void SaverRun::Start() {
    facts_ = ReadStartupFacts();
    plan_ = PlanScreens(facts_);
    for (const MonitorInfo& m : facts_.monitors) monitorRects_.push_back(m.rect);
    if (ShowsDesktop(plan_.front().background)) desktop::StartWallpaperRead(monitorRects_);
    // Events that arrive while the screens are set up (the display's set-up lets messages
    // through) are held by the session until it starts.
    session_.emplace(randomSource_, facts_.system.twipsPerPixelX, facts_.system.twipsPerPixelY,
                     [] { platform::ProcessPendingMessages(); }, EndingSteps());
    platform::SetFatalCleanup([this] { GiveBack(); });
    platform::StartupMark("settings read, screens planned");
    LoadScreens(TakeBackgrounds());
    platform::StartupMark("screen captured");
    notifications_.emplace(Primary().Handle());
    Primary().ShowOnTop();
    platform::StartupMark("window shown and painted");
    // Where the pointer rests before DirectDraw's exclusive mode may pull it in.
    const std::optional<CursorPoint> resting = ReadCursor();
    Primary().SetUp(facts_.settings);
    platform::StartupMark("surfaces made");
    // Freed before the other monitors show: a move the user makes once they show must not be
    // put back.
    if (screens_.size() > 1) Primary().FreeCursor(resting);
    // Where the pointer is before the other monitors show: a move made once they show ends
    // the run, also one made before the first frame.
    const std::optional<CursorPoint> shownAt = ReadCursor();
    std::vector<BattleScreen> battles;
    for (auto& screen : screens_) {
        if (screen.get() != &Primary()) screen->ShowOnTop();
        battles.push_back(screen->Screen());
    }
    Primary().StartFrames();
    if (session_->Start(std::move(battles), facts_.monitors, shownAt, LateWallpaper()) == Decision::kEndQuietly)
        return;
    // The first tick runs at once, so the first frame shown already has the fleets on it,
    // and a layout changed since the facts were read ends the run before it draws.
    OnFrameTimer();
}

// Every screen's picture is taken before any saver window shows anywhere.
std::vector<Background> SaverRun::TakeBackgrounds() {
    std::vector<Background> backgrounds;
    for (const ScreenPlan& screen : plan_) {
        backgrounds.push_back(BackgroundPicture(
            screen, [&] { return desktop::CaptureScreen(screen.rect); },
            [&] {
                desktop::WallpaperShare share = desktop::WallpaperPixels(screen.rect, monitorRects_);
                return Background{std::move(share.picture), share.late};
            }));
    }
    return backgrounds;
}

// The other screens are set up at once, hidden; the primary's waits for its display.
void SaverRun::LoadScreens(std::vector<Background> backgrounds) {
    for (size_t i = 0; i < plan_.size(); ++i) {
        const bool primary = i == 0;
        screens_.push_back(std::make_unique<ScreenWindow>(
            primary ? ScreenWindow::Kind::kPrimary : ScreenWindow::Kind::kOther, plan_[i], std::move(backgrounds[i]),
            *session_,
            primary ? ScreenWindow::RunHooks{[this] { OnFrameTimer(); }, [this] { WindowGone(); }}
                    : ScreenWindow::RunHooks{}));
        screens_.back()->Load();
        if (!primary) screens_.back()->SetUp(facts_.settings);
    }
}

void SaverRun::OnFrameTimer() {
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

// A screen whose wallpaper was late asks the read again on the session's ticks.
LateBackground SaverRun::LateWallpaper() {
    return [this](size_t screen) -> std::optional<platform::Picture> {
        return desktop::LateWallpaperPixels(plan_.at(screen).rect, monitorRects_);
    };
}

// What ends a run, whatever ended it; the session runs these once, in this order.
platform::Ending::Steps SaverRun::EndingSteps() {
    return {.stopEvents = StopEvents, .logError = LogError, .giveBack = {[this] { GiveBack(); }}, .endProcess = EndProcess};
}

// Every screen given back, the primary first: the user's mode is back before anything else.
void SaverRun::GiveBack() noexcept {
    for (auto& screen : screens_) screen->GiveBack();
}

// The primary's window destroyed by other means (it has given its display back): the other
// windows go with it, and the process ends by itself once they are gone.
void SaverRun::WindowGone() {
    notifications_.reset();
    for (auto& screen : screens_)
        if (screen.get() != &Primary()) screen->Unload();
}

}  // namespace battle
