// A saver run ("/s"): the screens' windows, the session that decides and the one give-back.
// SaverMain starts one and keeps it for the life of the process.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "battle/saver_notifications_win32.h"
#include "battle/saver_session.h"
#include "battle/screen_window_win32.h"
#include "battle/startup_plan.h"
#include "platform/random.h"

namespace battle {

class SaverRun {
public:
    explicit SaverRun(platform::Random& random) : randomSource_(random) {}
    ~SaverRun();
    SaverRun(const SaverRun&) = delete;
    SaverRun& operator=(const SaverRun&) = delete;

    // Everything from the facts to the first frame (see the flow in saver_run_win32.cpp); the
    // session decides from then on. An ending held during it is carried out at its end.
    void Start();

private:
    ScreenWindow& Primary() { return *screens_.front(); }
    std::vector<Background> TakeBackgrounds();
    void LoadScreens(std::vector<Background> backgrounds);
    void OnFrameTimer();
    LateBackground LateWallpaper();
    platform::Ending::Steps EndingSteps();
    void GiveBack() noexcept;
    void WindowGone();

    PlatformRandomSource randomSource_;
    StartupFacts facts_;
    std::vector<ScreenPlan> plan_;
    std::vector<platform::Rect> monitorRects_;  // the monitors' rectangles, as the wallpaper read knows them
    std::optional<SaverSession> session_;
    std::optional<SaverNotifications> notifications_;
    std::vector<std::unique_ptr<ScreenWindow>> screens_;  // the primary first, as planned
#ifdef BRACKMER_STARTUP_TRACE
    bool traced_ = false;
#endif
};

}  // namespace battle
