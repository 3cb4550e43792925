// Dx7DDrawSupport: the primary screen through DirectDraw 7. DDrawDisplay takes it in
// exclusive mode and owns everything that comes with it (surfaces, display mode, window
// rectangle, hidden cursor) until it goes; the battle's PrimaryDisplay holds one where
// DirectDraw starts. Stateless surface helpers for tests and the frame benchmark sit beside it.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/display_mode.h"
#include "graphics/frame_display.h"
#include "graphics/result_codes.h"
#include "platform/handles_win32.h"

namespace graphics {

// A counted reference to a surface; replacing or clearing it releases the surface.
using Surface = platform::ComPtr<IDirectDrawSurface7>;

// What a take may do to the primary's size: switch it to the size asked for, or only take it
// at the size the caller planned for (the saver plans on the desktop as it is).
enum class SizeRule { kSwitch, kAsPlanned };

// One per process, as DirectDraw's exclusive mode allows: Take fails ("Take",
// DDERR_EXCLUSIVEMODEALREADYSET) while another lives. All on the window's thread.
class DDrawDisplay final : public FrameDisplay {
public:
    // Takes the screen: exclusive full screen for `window`, width x height x bitsPerPixel (the
    // mode is switched only where the primary is not already in it), a primary with one back
    // buffer, the cursor hidden; then lets pending messages run (their handlers run inside).
    // nullptr with *failure filled when a step fails, whatever was done given back first. A
    // give-back during those messages (the window closing) fails it as a lost display.
    // With SizeRule::kAsPlanned a primary resized since the caller planned for width x height
    // is the user's change: the take fails ("Take", DDERR_WRONGMODE) with nothing switched.
    static std::unique_ptr<DDrawDisplay> Take(HWND window, int32_t width, int32_t height, int32_t bitsPerPixel,
                                              SetupFailure* failure, SizeRule size = SizeRule::kSwitch);
    // The one give-back; see GiveBack.
    ~DDrawDisplay() override;
    DDrawDisplay(const DDrawDisplay&) = delete;
    DDrawDisplay& operator=(const DDrawDisplay&) = delete;

    // Borrows the back buffer's pixel (0, 0) for the conversion and puts it back.
    PixelValue SurfacePixel(uint32_t gdiColour) override;
    // The key is the top-left pixel's value in the display's format.
    void SetSurface(int id, const platform::Picture& picture) override;
    const Surface& SurfaceOf(int id) const;

    int32_t FillBackBuffer(PixelValue value) override;
    int32_t BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                            int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) override;
    // Presents the back buffer, which then holds an older frame. A failure raises
    // platform::RuntimeError carrying the result (IsDisplayLost tells a lost screen).
    void Flip() override;

    // Gives everything back: sprite surfaces, GDI surface, the mode in force at the start
    // (only if it was switched, and for the primary alone where it was switched alone),
    // primary, DirectDraw object, window rectangle, cursor. Every step runs whatever the
    // others did; never throws; only the first call does anything.
    void GiveBack() noexcept;
    // The same, on the display that lives now, if any: for a give-back that comes among the
    // messages Take lets run, before its caller holds the display.
    static void GiveBackLive() noexcept;

    // Whether the display mode was switched (it is left alone where it already fits).
    bool ChangedMode() const { return modeSwitch_ != ModeSwitch::kNone; }
    IDirectDraw7* DirectDraw() const { return ddraw_.Get(); }
    const Surface& PrimarySurface() const { return primary_; }
    const Surface& BackBuffer() const { return backBuffer_; }

private:
    explicit DDrawDisplay(HWND window) : window_(window) {}
    bool TakeScreen(const DisplayMode& wanted, SizeRule size, SetupFailure& failure);
    void RestoreStartMode() noexcept;
    void RestoreWindowRect() noexcept;

    static DDrawDisplay* live_;

    HWND window_;
    platform::ComPtr<IDirectDraw7> ddraw_;
    Surface primary_;
    Surface backBuffer_;
    std::array<Surface, kExplosionSurface + 1> surfaces_;
    RECT savedRect_{};
    std::wstring device_;      // the primary's display device, whose mode may change
    DEVMODEW startMode_{};     // its mode at the start, when known
    bool startModeKnown_ = false;
    enum class ModeSwitch { kNone, kPrimaryAlone, kDirectDraw } modeSwitch_ = ModeSwitch::kNone;
    bool cursorHidden_ = false;
    bool givenBack_ = false;
};

// A plain off-screen surface of `ddraw`'s display format, in video memory if possible, else
// in system memory; null (never an error) when neither can be made or there is no object.
Surface CreateOffscreenSurface(IDirectDraw7* ddraw, int32_t width, int32_t height);
// Copies the whole bitmap to the surface's top-left corner through GDI.
void CopyBitmapToSurface(const Surface& surface, HBITMAP bitmap);
// A new surface holding the bitmap, keyed on the value its top-left pixel has.
Surface CreateSurfaceFromBitmap(IDirectDraw7* ddraw, HBITMAP bitmap);
// A bitmap's width and height in pixels.
SIZE BitmapSize(HBITMAP bitmap);
// Every pixel of the surface set to the raw value; returns the platform's status.
int32_t FillSurface(const Surface& surface, uint32_t value);
// Unstretched copy of the source rectangle at (sx, sy) of size w x h to (x, y) of dest,
// clipped against dest's limits (dw, dh) and the source's (sw, sh); a limit of 0 does not
// clip. With useKey, source pixels equal to the source's colour key are skipped. Returns
// the platform's status, 0 when nothing was left to draw.
int32_t BltFastClipped(const Surface& dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                       const Surface& src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey);

}  // namespace graphics
