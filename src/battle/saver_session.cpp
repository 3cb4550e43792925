// The saver session's decisions; see saver_session.h. A tick runs in the order the saver needs
// (layout, cursor, late backgrounds, every battle's ships, every battle's frame, then the
// pending messages), and a tick that arrives inside another's message processing is
// skipped, because a nested one would step ships mid-frame.
#include "battle/saver_session.h"

#include <utility>

#include "battle/cursor_check.h"
#include "battle/frame_composer.h"
#include "battle/startup_plan.h"
#include "graphics/result_codes.h"
#include "platform/numbers.h"

namespace battle {

SaverSession::SaverSession(RandomSource& random, float twipsPerPixelX, float twipsPerPixelY,
                           std::function<void()> processMessages, platform::Ending::Steps ending)
    : random_(random),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      processMessages_(std::move(processMessages)),
      ending_(std::move(ending)) {}

Decision SaverSession::Start(std::vector<BattleScreen> screens, std::vector<MonitorInfo> monitors,
                             std::optional<CursorPoint> cursor, LateBackground lateBackground) {
    if (started_ || ended_) return Current();
    Battle& primary = *platform::At(screens, 0).battle;
    screens_ = std::move(screens);
    monitorsAtStart_ = std::move(monitors);
    lateBackground_ = std::move(lateBackground);
    if (lateBackground_)
        for (size_t i = 0; i < screens_.size(); ++i)
            if (screens_[i].backgroundLate) lateScreens_.push_back(i);
    started_ = true;
    if (cursor)
        primary.lastCursor = *cursor;
    else
        cursorUnknown_ = true;
    if (heldEnd_) return End(*heldEnd_);
    return Current();
}

Decision SaverSession::OnInput(UserInput) {
    if (!started_) {
        heldEnd_ = Decision::kEndQuietly;
        return Current();
    }
    return End(Decision::kEndQuietly);
}

Decision SaverSession::OnCloseRequest() { return OnInput(UserInput::kKey); }

Decision SaverSession::OnTick(std::optional<CursorPoint> cursor, const std::vector<MonitorInfo>& monitors) {
    if (!IsRunning() || inTick_) return Current();
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(inTick_);

    // A monitor plugged in or out, or a new resolution: the windows no longer fit the desktop.
    if (!LayoutHolds(monitors)) return End(Decision::kEndQuietly);
    try {
        // The cursor is watched even while nothing is drawn: a user who moves the mouse to
        // wake the displays wants the desktop back. An unreadable cursor is no move: it is
        // what a locked or switched desktop gives, and nobody sees the saver then.
        Battle& primary = *screens_.front().battle;
        if (cursor) {
            if (!cursorUnknown_ && CursorMovedTooFar(primary.lastCursor, *cursor, twipsPerPixelX_, twipsPerPixelY_))
                return End(Decision::kEndQuietly);
            primary.lastCursor = *cursor;
        }
        cursorUnknown_ = !cursor;
        if (!IsPaused()) {
            ShowLateBackgrounds();
            for (BattleScreen& s : screens_) StepShips(*s.battle, random_);
            for (BattleScreen& s : screens_) ComposeFrame(*s.battle, *s.display);
        }
    } catch (const platform::RuntimeError& e) {
        // The tick is over; its messages wait for the next one.
        return OnError(e);
    }
    if (processMessages_) processMessages_();
    return Current();
}

Decision SaverSession::OnDisplayChange(const std::vector<MonitorInfo>& monitors) {
    // Before the start the first tick compares; the saver's own switch to 32 bits per pixel
    // also lands here and keeps every rectangle.
    if (!IsRunning() || LayoutHolds(monitors)) return Current();
    return End(Decision::kEndQuietly);
}

Decision SaverSession::OnNotice(Notice notice) {
    visibility_.On(notice);
    return Current();
}

Decision SaverSession::OnError(const platform::RuntimeError& error) {
    // A secure-desktop switch or another full-screen program takes the surfaces away: that is
    // the user coming back, not a fault worth a log line.
    if (graphics::IsDisplayLost(error.PlatformResult())) return End(Decision::kEndQuietly);
    return End(Decision::kEndWithError, error.Description());
}

bool SaverSession::IsPaused() const { return !ended_ && (visibility_.NobodyCanSee() || cursorUnknown_); }

Decision SaverSession::End(Decision how, std::optional<std::string> error) {
    if (ended_) return *ended_;
    ended_ = how;
    ending_.Run(error ? std::optional<std::string_view>(*error) : std::nullopt);
    return how;
}

Decision SaverSession::Current() const {
    if (ended_) return *ended_;
    return IsPaused() ? Decision::kPause : Decision::kContinue;
}

// Nobody sees a paused screen, and its display may be gone: a picture that arrives then
// waits in the read for the next tick that draws. A screen that had its answer is not asked
// again, so once every one has, a tick asks nothing.
void SaverSession::ShowLateBackgrounds() {
    std::erase_if(lateScreens_, [this](size_t i) {
        const std::optional<platform::Picture> picture = lateBackground_(i);
        if (!picture) return false;
        if (picture->IsWhole()) ShowBackground(*screens_[i].battle, *picture, *screens_[i].display);
        return true;
    });
}

bool SaverSession::LayoutHolds(const std::vector<MonitorInfo>& monitors) const {
    return !LayoutChanged(monitorsAtStart_, monitors);
}

}  // namespace battle
