// One frame tick of the saver, in the order the saver needs: the cursor check, every battle's
// ships, every battle's frame, then the window's pending messages. The saver window calls it
// from its 150 ms timer; native tests drive it with scripted cursors, draws and displays.
#pragma once

#include <functional>
#include <vector>

#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "graphics/frame_display.h"

namespace battle {

// Where the cursor is now, in virtual-screen pixels.
class CursorSource {
public:
    virtual ~CursorSource() = default;
    virtual CursorPoint Position() = 0;
};

// One monitor's battle and the display its frames go to.
struct BattleScreen {
    Battle* battle = nullptr;
    graphics::FrameDisplay* display = nullptr;
};

enum class TickOutcome {
    kRan,        // ships stepped and frames presented
    kSkipped,    // arrived inside a running tick (its message processing); nothing done
    kUserMoved,  // the cursor jumped: nothing stepped or drawn, the saver must end
};

class SaverTick {
public:
    // `screens[0]` is the primary: its battle keeps the last cursor position. `processMessages`
    // runs at the end of each tick and may deliver input, or the next timer message.
    SaverTick(std::vector<BattleScreen> screens, CursorSource& cursor, RandomSource& random, float twipsPerPixelX,
              float twipsPerPixelY, std::function<void()> processMessages);

    // Raises platform::RuntimeError from the rules or the displays; the tick is then over and
    // the next one may run.
    TickOutcome Run();

    // While nobody can see the screens (displays off, session locked) ticks change nothing.
    void SetPaused(bool paused) { paused_ = paused; }
    bool IsPaused() const { return paused_; }

private:
    std::vector<BattleScreen> screens_;
    CursorSource& cursor_;
    RandomSource& random_;
    float twipsPerPixelX_;
    float twipsPerPixelY_;
    std::function<void()> processMessages_;
    bool inTick_ = false;
    bool paused_ = false;
};

}  // namespace battle
