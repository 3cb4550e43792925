// The primary screen's display as one owned object: DirectDraw's full-screen display where
// it starts, otherwise the same battle on the saver's window through GDI; the cursor freed
// over the other monitors' battles, and one give-back. The primary's ScreenWindow takes one
// once it shows and gives it back in the run's ending.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "battle/battle_state.h"
#include "graphics/dx7_ddraw_support_win32.h"
#include "graphics/gdi_frame_display_win32.h"

namespace battle {

class PrimaryDisplay {
public:
    // Takes the primary for `window` at width x height (32 bits per pixel), the size the
    // screen had when the run planned it: a primary the user has since given another size
    // keeps it, and GDI draws until the run ends on the change. Where DirectDraw cannot start (a
    // Remote Desktop session, a virtual machine without 3D) the log says once why, since such
    // a session starts every saver that way, and GDI draws instead; the window's own
    // see-through cursor hides the pointer there.
    PrimaryDisplay(HWND window, int32_t width, int32_t height);
    ~PrimaryDisplay() { GiveBack(); }
    PrimaryDisplay(const PrimaryDisplay&) = delete;
    PrimaryDisplay& operator=(const PrimaryDisplay&) = delete;

    graphics::FrameDisplay& Frames() { return *frames_; }
    // The GDI stand-in where DirectDraw could not start, else null: the window paints its
    // last frame again when it is uncovered.
    graphics::GdiFrameDisplay* Gdi() const { return gdi_.get(); }
    // Exclusive mode confines the cursor to the primary, so with battles on other monitors a
    // move or a click there could never reach the saver: the confinement is lifted and the
    // cursor put back at `restingAt` (where it was before the display was taken, when known).
    void FreeCursor(const std::optional<CursorPoint>& restingAt);
    // DirectDraw's display with its mode, surfaces and hidden pointer. Never throws; only
    // the first call does anything.
    void GiveBack() noexcept { ddraw_.reset(); }

private:
    std::unique_ptr<graphics::DDrawDisplay> ddraw_;
    std::unique_ptr<graphics::GdiFrameDisplay> gdi_;
    graphics::FrameDisplay* frames_ = nullptr;  // whichever of the two draws
};

}  // namespace battle
