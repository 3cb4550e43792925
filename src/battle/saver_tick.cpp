// The tick's order and its guard against running inside itself. A frame that takes longer
// than the timer's interval lets the next timer message arrive during the tick's own message
// processing; that tick is skipped, because a nested one would step ships mid-frame.
#include "battle/saver_tick.h"

#include "battle/cursor_check.h"
#include "battle/frame_composer.h"

namespace battle {

SaverTick::SaverTick(std::vector<BattleScreen> screens, CursorSource& cursor, RandomSource& random,
                     float twipsPerPixelX, float twipsPerPixelY, std::function<void()> processMessages)
    : screens_(std::move(screens)),
      cursor_(cursor),
      random_(random),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      processMessages_(std::move(processMessages)) {}

TickOutcome SaverTick::Run() {
    if (inTick_) return TickOutcome::kSkipped;
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(inTick_);

    // The cursor is watched even while nothing is drawn: a user who moves the mouse to wake
    // the displays wants the desktop back.
    Battle& primary = *screens_.front().battle;
    const CursorPoint current = cursor_.Position();
    if (CursorMovedTooFar(primary.lastCursor, current, twipsPerPixelX_, twipsPerPixelY_))
        return TickOutcome::kUserMoved;
    primary.lastCursor = current;

    if (!paused_) {
        for (BattleScreen& s : screens_) StepShips(*s.battle, random_);
        for (BattleScreen& s : screens_) ComposeFrame(*s.battle, *s.display);
    }
    if (processMessages_) processMessages_();
    return TickOutcome::kRan;
}

}  // namespace battle
