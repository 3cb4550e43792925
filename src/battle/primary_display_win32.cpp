// The primary's display; see primary_display_win32.h. Under Wine the cursor's confinement
// comes with SetCooperativeLevel's exclusive mode and stays until lifted; ClipCursor(nullptr)
// lifts it for the rest of the run.
#include "battle/primary_display_win32.h"

#include "platform/runtime_win32.h"
#include "platform/startup_trace_win32.h"

namespace battle {

PrimaryDisplay::PrimaryDisplay(HWND window, int32_t width, int32_t height) {
    graphics::SetupFailure failure;
    ddraw_ = graphics::DDrawDisplay::Take(window, width, height, 32, &failure, graphics::SizeRule::kAsPlanned);
    platform::StartupMark("display taken");
    frames_ = ddraw_.get();
    if (!ddraw_) {
        // A primary resized since the plan is no fault of the platform: the run ends on the
        // change, and GDI draws until then without switching anything back.
        if (failure.result != graphics::kWrongMode) platform::WriteErrorLogOnce(failure.Describe());
        gdi_ = std::make_unique<graphics::GdiFrameDisplay>(window, width, height);
        frames_ = gdi_.get();
    }
}

void PrimaryDisplay::FreeCursor(const std::optional<CursorPoint>& restingAt) {
    ClipCursor(nullptr);
    POINT now{};
    if (restingAt && GetCursorPos(&now) && (now.x != restingAt->x || now.y != restingAt->y))
        SetCursorPos(restingAt->x, restingAt->y);
}

}  // namespace battle
