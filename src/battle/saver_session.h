// A running saver's whole life as one portable object: it owns the screens' tick, the cursor
// rule, who can see, the monitor-layout rule and the ending, and turns every event the
// windows hear into one decision. The screens' windows only translate messages into these
// events; native tests drive the same object through event sequences.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "battle/monitor_layout.h"
#include "battle/visibility.h"
#include "graphics/frame_display.h"
#include "platform/picture.h"
#include "platform/ending.h"
#include "platform/runtime_error.h"

namespace battle {

// One monitor's battle and the display its frames go to.
struct BattleScreen {
    Battle* battle = nullptr;
    graphics::FrameDisplay* display = nullptr;
    bool backgroundLate = false;  // set up on its wallpaper's fallback while the read went on
};

// Asked, on a tick, for a screen whose background was late (by its index in the screens the
// session started with), without waiting: none while its wallpaper is still being read;
// then its desktop picture, or an empty one where none came and the fallback stands.
using LateBackground = std::function<std::optional<platform::Picture>(size_t screen)>;

enum class Decision {
    kContinue,      // go on drawing
    kPause,         // go on, but nothing is stepped or drawn: nobody can see the screens
    kEndQuietly,    // the user is back (or the display is): give everything back, end
    kEndWithError,  // an error ended the run: log it, give everything back, end
};

// What the user did that a window heard: both end the saver, from any of its windows, and
// also while it is paused (a key pressed to wake the displays wants the desktop back).
enum class UserInput { kKey, kMouseButton };

class SaverSession {
public:
    // `processMessages` runs at the end of every tick that stepped or paused (other events may
    // arrive inside it). `ending` is run once, by the first decision to end.
    SaverSession(RandomSource& random, float twipsPerPixelX, float twipsPerPixelY,
                 std::function<void()> processMessages, platform::Ending::Steps ending);

    // The set-up is done: `screens[0]` is the primary, whose battle keeps the last cursor
    // position. An ending asked for during the set-up (a key, a close request) is carried
    // out now, since tearing down mid-set-up would pull the window from under it.
    // `lateBackground` is asked on every tick that draws, before the frames, for each screen
    // whose background was late until it has had its answer.
    Decision Start(std::vector<BattleScreen> screens, std::vector<MonitorInfo> monitors,
                   std::optional<CursorPoint> cursor, LateBackground lateBackground = nullptr);

    Decision OnInput(UserInput input);
    // One frame tick: the monitor layout, the cursor (nullopt when it cannot be read, as
    // while another desktop has the input), the late backgrounds, the ships and frames, then
    // the pending messages.
    Decision OnTick(std::optional<CursorPoint> cursor, const std::vector<MonitorInfo>& monitors);
    Decision OnDisplayChange(const std::vector<MonitorInfo>& monitors);
    // A power or session notification: whether anybody can see the screens.
    Decision OnNotice(Notice notice);
    Decision OnCloseRequest();
    // An error outside the tick: a lost display ends quietly, any other with its log line.
    Decision OnError(const platform::RuntimeError& error);

private:
    bool IsRunning() const { return started_ && !ended_; }
    bool IsPaused() const;
    Decision End(Decision how, std::optional<std::string> error = std::nullopt);
    Decision Current() const;
    bool LayoutHolds(const std::vector<MonitorInfo>& monitors) const;
    void ShowLateBackgrounds();

    RandomSource& random_;
    float twipsPerPixelX_;
    float twipsPerPixelY_;
    std::function<void()> processMessages_;
    platform::Ending ending_;

    std::vector<BattleScreen> screens_;
    std::vector<MonitorInfo> monitorsAtStart_;
    LateBackground lateBackground_;
    std::vector<size_t> lateScreens_;  // still to be answered
    Visibility visibility_;
    bool started_ = false;
    bool inTick_ = false;
    // The cursor's last reading failed: the next good one is a new baseline, not a move.
    bool cursorUnknown_ = false;
    std::optional<Decision> heldEnd_;
    std::optional<Decision> ended_;
};

}  // namespace battle
