// One screen of a saver run as a window: its entry of the start-up plan, its battle and the
// display its frames go to. The primary's window covers the screen and takes the display
// (DirectDraw, or GDI where that cannot start); every other monitor's is a topmost GDI window
// that never takes the focus. SaverRun makes one per screen; both kinds answer their messages
// in one handler, which turns them into events of the run's session.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "battle/battle_state.h"
#include "battle/primary_display_win32.h"
#include "battle/saver_session.h"
#include "battle/startup_plan.h"
#include "graphics/gdi_frame_display_win32.h"
#include "platform/form_win32.h"
#include "settings/settings_store.h"

namespace battle {

inline constexpr wchar_t kSaverWindowTitle[] = L"Main -- Brackmer Saver";
inline constexpr wchar_t kMonitorWindowTitle[] = L"Monitor -- Brackmer Saver";

class ScreenWindow final : public platform::Form {
public:
    enum class Kind { kPrimary, kOther };
    // What only the run knows: its frame tick (the primary's timer), and what to do when the
    // primary's window is destroyed by other means than the run's ending.
    struct RunHooks {
        std::function<void()> frameTick;
        std::function<void()> windowGone;
    };

    // `screen` is its entry of the plan, `background` its picture, taken before any saver
    // window showed (empty for a fill; late, the session brings the wallpaper). `session`
    // hears what the user does here, and on the primary everything else the run hears.
    ScreenWindow(Kind kind, const ScreenPlan& screen, Background background, SaverSession& session,
                 RunHooks hooks = {});

    // The display for its frames (the primary's taken, the others' made on GDI) and the
    // battle on it, with the sprites at the screen's scale; the picture is let go.
    void SetUp(const settings::SaverSettings& settings);
    // The primary in front with the keyboard; any other over everything on its monitor,
    // leaving the focus with the primary.
    void ShowOnTop();
    void StartFrames();
    BattleScreen Screen();
    // The primary's: the cursor freed over the other screens (PrimaryDisplay::FreeCursor).
    void FreeCursor(const std::optional<CursorPoint>& restingAt);
    // The one give-back of this screen: the primary's display (its mode, surfaces, pointer
    // and window rectangle). Never throws; only the first call does anything.
    void GiveBack() noexcept;

private:
    CreateParams GetCreateParams() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnUnload() override;
    void Paint();
    void PaintStandIn(HDC dc);

    Kind kind_;
    ScreenPlan screen_;
    Background background_;
    SaverSession& session_;
    RunHooks hooks_;
    // Until a display owns the screen the window shows the first frame's background.
    bool standIn_ = true;
    Battle battle_;
    std::unique_ptr<PrimaryDisplay> primary_;
    std::unique_ptr<graphics::GdiFrameDisplay> other_;
    graphics::FrameDisplay* frames_ = nullptr;
    graphics::GdiFrameDisplay* gdi_ = nullptr;  // where GDI presents the frames
};

}  // namespace battle
