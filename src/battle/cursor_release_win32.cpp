// Cursor release. Under Wine the confinement comes with SetCooperativeLevel's exclusive
// mode and stays until lifted; ClipCursor(nullptr) lifts it for the rest of the run.
#include "battle/cursor_release_win32.h"

#include <windows.h>

namespace battle {

void FreeCursorOverDesktop(const std::optional<CursorPoint>& restingAt) {
    ClipCursor(nullptr);
    POINT now{};
    if (restingAt && GetCursorPos(&now) && (now.x != restingAt->x || now.y != restingAt->y))
        SetCursorPos(restingAt->x, restingAt->y);
}

}  // namespace battle
