// The primary screen's display as one owned object: DirectDraw's full-screen display where
// it starts, otherwise the same battle on the saver window through GDI; the pointer hidden
// either way, the cursor freed over the other monitors' battles, and one give-back. The
// saver window takes one after its window shows and gives it back in its ending.
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
    // Takes the primary for `window` at width x height (32 bits per pixel). Where DirectDraw
    // cannot start (a Remote Desktop session, a virtual machine without 3D) the log says once
    // why, since such a session starts every saver that way, and GDI draws instead.
    PrimaryDisplay(HWND window, int32_t width, int32_t height);
    ~PrimaryDisplay() { GiveBack(); }
    PrimaryDisplay(const PrimaryDisplay&) = delete;
    PrimaryDisplay& operator=(const PrimaryDisplay&) = delete;

    graphics::FrameDisplay& Frames() { return *frames_; }
    // Exclusive mode confines the cursor to the primary, so with battles on other monitors a
    // move or a click there could never reach the saver: the confinement is lifted and the
    // cursor put back at `restingAt` (where it was before the display was taken, when known).
    void FreeCursor(const std::optional<CursorPoint>& restingAt);
    // Whether GDI draws (DirectDraw could not start): the window then paints the last frame
    // again with Repaint when it is uncovered.
    bool OnGdi() const { return gdi_ != nullptr; }
    void Repaint(HDC dc) const;
    // DirectDraw's display with its mode and surfaces, or the GDI stand-in with its hidden
    // pointer. Never throws; only the first call does anything.
    void GiveBack() noexcept;

private:
    std::unique_ptr<graphics::DDrawDisplay> ddraw_;
    std::unique_ptr<graphics::GdiFrameDisplay> gdi_;
    graphics::FrameDisplay* frames_ = nullptr;  // whichever of the two draws
    bool pointerHidden_ = false;  // by the stand-in: DirectDraw's display hides its own
};

}  // namespace battle
