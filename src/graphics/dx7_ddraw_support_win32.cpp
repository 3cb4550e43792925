// Dx7DDrawSupport over real DirectDraw 7. Every failed DirectDraw call becomes a
// platform::RuntimeError naming the call and its DDERR_ code (and carrying the code); Take
// alone reports its failures as a SetupFailure. No lost-surface recovery: the saver ends on
// such an error, and giving the display back never stops half-way.
#include "graphics/dx7_ddraw_support_win32.h"

#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "graphics/clip.h"
#include "graphics/display_mode.h"
#include "platform/dib_win32.h"
#include "platform/fault_switches.h"
#include "platform/form_win32.h"
#include "platform/numbers.h"
#include "platform/runtime_error.h"
#include "platform/runtime_win32.h"

namespace graphics {
namespace {

void Check(HRESULT hr, const char* call) {
    if (FAILED(hr))
        throw platform::RuntimeError(platform::RuntimeError::kPlatformCall,
                                     SetupFailure{call, static_cast<uint32_t>(hr)}.Describe(),
                                     static_cast<uint32_t>(hr));
}

// Using a surface that was never made (a failed creation, or the display not set up).
IDirectDrawSurface7* Require(const Surface& surface, const char* use) {
    if (!surface)
        throw platform::RuntimeError(platform::RuntimeError::kObjectNotSet,
                                     std::string(use) + ": object variable not set (no surface)");
    return surface.Get();
}

DDSURFACEDESC2 Describe(DWORD flags, DWORD caps) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = flags;
    desc.ddsCaps.dwCaps = caps;
    return desc;
}

// Pixel (0, 0) as a raw value of the surface's format. Masked to the pixel's bit count so
// that at depths below 32 the neighbouring pixel does not leak into the value.
uint32_t ReadFirstPixel(IDirectDrawSurface7* surface) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    Check(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), "Lock");
    uint32_t value = 0;
    std::memcpy(&value, desc.lpSurface, sizeof value);
    Check(surface->Unlock(nullptr), "Unlock");
    return PixelOfDepth(value, desc.ddpfPixelFormat.dwRGBBitCount);
}

// A surface's device context for GDI drawing, given back when the guard ends, also when a
// call in between raises. Release() gives it back early and reports a failure.
class SurfaceDc {
public:
    explicit SurfaceDc(IDirectDrawSurface7* surface) : surface_(surface) { Check(surface->GetDC(&dc_), "GetDC"); }
    ~SurfaceDc() {
        if (dc_) surface_->ReleaseDC(dc_);
    }
    SurfaceDc(const SurfaceDc&) = delete;
    SurfaceDc& operator=(const SurfaceDc&) = delete;
    HDC get() const { return dc_; }
    void Release() { Check(surface_->ReleaseDC(std::exchange(dc_, nullptr)), "ReleaseDC"); }

private:
    IDirectDrawSurface7* surface_;
    HDC dc_ = nullptr;
};

// Pixel (0, 0) of a surface shows a GDI colour until the loan ends; then it has its own
// colour again, whatever failed in between. Return() ends the loan and reports a failure.
class PixelLoan {
public:
    PixelLoan(IDirectDrawSurface7* surface, COLORREF color) : surface_(surface) {
        SurfaceDc dc(surface);
        kept_ = GetPixel(dc.get(), 0, 0);
        SetPixel(dc.get(), 0, 0, color);
        lent_ = true;
        dc.Release();
    }
    ~PixelLoan() {
        if (!lent_) return;
        try {
            Return();
        } catch (const platform::RuntimeError&) {
            // Already failing: the first error is the one to report.
        }
    }
    PixelLoan(const PixelLoan&) = delete;
    PixelLoan& operator=(const PixelLoan&) = delete;
    void Return() {
        lent_ = false;
        SurfaceDc dc(surface_);
        SetPixel(dc.get(), 0, 0, kept_);
        dc.Release();
    }

private:
    IDirectDrawSurface7* surface_;
    COLORREF kept_ = 0;
    bool lent_ = false;
};

// The test builds' lost display (platform/fault_switches.h): a flip fails as lost from its
// turn on, and the give-back then fails too.
HRESULT FaultyFlip(HRESULT real) { return platform::InjectFlipLost() ? DDERR_SURFACELOST : real; }
HRESULT FaultyGiveBack(HRESULT real) { return platform::InjectedDisplayLost() ? DDERR_SURFACELOST : real; }

HRESULT CreateDirectDraw(platform::ComPtr<IDirectDraw7>& ddraw) {
    if (platform::InjectNoDirectDraw()) return DDERR_NODIRECTDRAWHW;
    return DirectDrawCreateEx(nullptr, ddraw.PutVoid(), IID_IDirectDraw7, nullptr);
}

// The primary's display device and its mode now; nothing when the platform cannot say.
std::optional<DisplayMode> ReadPrimaryMode(std::wstring* device, DEVMODEW* mode) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) return std::nullopt;
    *device = info.szDevice;
    *mode = DEVMODEW{};
    mode->dmSize = sizeof *mode;
    if (!EnumDisplaySettingsExW(device->c_str(), ENUM_CURRENT_SETTINGS, mode, 0)) return std::nullopt;
    return DisplayMode{static_cast<int32_t>(mode->dmPelsWidth), static_cast<int32_t>(mode->dmPelsHeight),
                       static_cast<int32_t>(mode->dmBitsPerPel)};
}

// The primary display device alone to that mode, temporarily (never stored as
// the user's setting); false when the platform refuses.
bool SwitchPrimary(const std::wstring& device, const DEVMODEW& now, const DisplayMode& to) {
    DEVMODEW mode = now;
    mode.dmPelsWidth = static_cast<DWORD>(to.width);
    mode.dmPelsHeight = static_cast<DWORD>(to.height);
    mode.dmBitsPerPel = static_cast<DWORD>(to.bitsPerPixel);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    return ChangeDisplaySettingsExW(device.c_str(), &mode, nullptr, CDS_FULLSCREEN, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

// Without a window manager, exclusive mode taken by a window that is not in front loses
// its surfaces at the first flip.
void BringToFront(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
    SetFocus(window);
}

}  // namespace

DDrawDisplay* DDrawDisplay::live_ = nullptr;

std::unique_ptr<DDrawDisplay> DDrawDisplay::Take(HWND window, int32_t width, int32_t height, int32_t bitsPerPixel,
                                                 SetupFailure* failure, SizeRule size) {
    if (live_) {
        if (failure) *failure = {"Take", kExclusiveModeAlreadySet};
        return nullptr;
    }
    std::unique_ptr<DDrawDisplay> display(new DDrawDisplay(window));
    live_ = display.get();
    // Taken first so that a failed set-up can put the window back too.
    GetWindowRect(window, &display->savedRect_);
    SetupFailure why;
    if (!display->TakeScreen({width, height, bitsPerPixel}, size, why)) {
        display.reset();
        if (failure) *failure = why;
        return nullptr;
    }
    ShowCursor(FALSE);
    display->cursorHidden_ = true;
    platform::ProcessPendingMessages();
    if (display->givenBack_) {
        if (failure) *failure = {"Take", kNoExclusiveMode};
        return nullptr;
    }
    return display;
}

bool DDrawDisplay::TakeScreen(const DisplayMode& wanted, SizeRule size, SetupFailure& failure) {
    auto failed = [&failure](HRESULT hr, const char* call) {
        if (SUCCEEDED(hr)) return false;
        failure = {call, static_cast<uint32_t>(hr)};
        return true;
    };
    if (failed(CreateDirectDraw(ddraw_), "DirectDrawCreateEx")) return false;
    BringToFront(window_);
    if (failed(ddraw_->SetCooperativeLevel(window_, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT),
               "SetCooperativeLevel"))
        return false;
    const std::optional<DisplayMode> current = ReadPrimaryMode(&device_, &startMode_);
    startModeKnown_ = current.has_value();
    if (size == SizeRule::kAsPlanned && ResizedSince(current, wanted)) {
        failure = {"Take", kWrongMode};
        return false;
    }
    if (NeedsModeChange(current, wanted)) {
        // The primary alone, for this run only: DirectDraw's own switch (and its restore at the
        // end) may apply a stored layout of every monitor, undoing what the user changed since
        // (Wine's does). DirectDraw switches only where the platform refuses this.
        if (startModeKnown_ && SwitchPrimary(device_, startMode_, wanted)) {
            modeSwitch_ = ModeSwitch::kPrimaryAlone;
        } else {
            // Marked before the call: a switch that fails half-way is put back too.
            modeSwitch_ = ModeSwitch::kDirectDraw;
            if (failed(ddraw_->SetDisplayMode(static_cast<DWORD>(wanted.width), static_cast<DWORD>(wanted.height),
                                              static_cast<DWORD>(wanted.bitsPerPixel), 0, 0),
                       "SetDisplayMode"))
                return false;
        }
    }
    DDSURFACEDESC2 desc =
        Describe(DDSD_CAPS | DDSD_BACKBUFFERCOUNT, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
    desc.dwBackBufferCount = 1;
    if (failed(ddraw_->CreateSurface(&desc, primary_.Put(), nullptr), "CreateSurface")) return false;
    DDSCAPS2 caps{};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    return !failed(primary_->GetAttachedSurface(&caps, backBuffer_.Put()), "GetAttachedSurface");
}

DDrawDisplay::~DDrawDisplay() { GiveBack(); }

void DDrawDisplay::GiveBack() noexcept {
    if (std::exchange(givenBack_, true)) return;
    // The sprite surfaces hold the DirectDraw object: released first, or it would outlive
    // the give-back.
    for (Surface& surface : surfaces_) surface = nullptr;
    if (ddraw_) {
        FaultyGiveBack(ddraw_->FlipToGDISurface());
        RestoreStartMode();
        // The back buffer goes first: releasing the flip chain's root destroys the back buffer
        // with it, and a later release of the back buffer would touch freed memory.
        backBuffer_ = nullptr;
        primary_ = nullptr;
        ddraw_ = nullptr;
    }
    RestoreWindowRect();
    if (std::exchange(cursorHidden_, false)) ShowCursor(TRUE);
    if (live_ == this) live_ = nullptr;
}

void DDrawDisplay::GiveBackLive() noexcept {
    if (live_) live_->GiveBack();
}

// The primary's own mode again where it was switched alone: a temporary (full-screen) change
// is ended as the platform prescribes, by asking for the device's stored mode, which also
// drops the temporary mode from the system's books.
void DDrawDisplay::RestoreStartMode() noexcept {
    if (modeSwitch_ == ModeSwitch::kPrimaryAlone) {
        ChangeDisplaySettingsExW(device_.c_str(), nullptr, nullptr, 0, nullptr);
    } else if (modeSwitch_ == ModeSwitch::kDirectDraw) {
        FaultyGiveBack(ddraw_->RestoreDisplayMode());
    }
}

void DDrawDisplay::RestoreWindowRect() noexcept {
    const RECT& r = savedRect_;
    if (GetParent(window_))
        SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    else
        SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
}

PixelValue DDrawDisplay::SurfacePixel(uint32_t gdiColour) {
    IDirectDrawSurface7* back = Require(backBuffer_, "SurfacePixel");
    PixelLoan loan(back, gdiColour);
    const uint32_t value = ReadFirstPixel(back);
    loan.Return();
    return value;
}

void DDrawDisplay::SetSurface(int id, const platform::Picture& picture) {
    Surface& surface = platform::At(surfaces_, id);
    surface = CreateSurfaceFromBitmap(ddraw_.Get(), platform::MakeDibSection(picture).get());
}

const Surface& DDrawDisplay::SurfaceOf(int id) const { return platform::At(surfaces_, id); }

int32_t DDrawDisplay::FillBackBuffer(PixelValue value) { return FillSurface(backBuffer_, value); }

int32_t DDrawDisplay::BltToBackBuffer(int surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw,
                                      int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) {
    return BltFastClipped(backBuffer_, x, y, w, h, dw, dh, SurfaceOf(surface), sx, sy, sw, sh, useKey);
}

void DDrawDisplay::Flip() {
    Check(FaultyFlip(Require(primary_, "Flip")->Flip(backBuffer_.Get(), DDFLIP_WAIT)), "Flip");
}

Surface CreateOffscreenSurface(IDirectDraw7* ddraw, int32_t width, int32_t height) {
    Surface surface;
    if (!ddraw) return surface;
    for (DWORD memory : {DDSCAPS_VIDEOMEMORY, DDSCAPS_SYSTEMMEMORY}) {
        DDSURFACEDESC2 desc = Describe(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH, DDSCAPS_OFFSCREENPLAIN | memory);
        desc.dwWidth = static_cast<DWORD>(width);
        desc.dwHeight = static_cast<DWORD>(height);
        if (SUCCEEDED(ddraw->CreateSurface(&desc, surface.Put(), nullptr))) return surface;
    }
    return nullptr;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

void CopyBitmapToSurface(const Surface& surface, HBITMAP bitmap) {
    SIZE size = BitmapSize(bitmap);
    platform::UniqueMemDc memory(CreateCompatibleDC(nullptr));
    platform::SelectGuard selected(memory.get(), bitmap);
    SurfaceDc dc(Require(surface, "CopyBitmapToSurface"));
    BitBlt(dc.get(), 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
    dc.Release();
}

Surface CreateSurfaceFromBitmap(IDirectDraw7* ddraw, HBITMAP bitmap) {
    // The test builds' failing set-up: with the display taken, so the standard error report
    // shows over what the saver covered.
    if (ddraw && platform::InjectSetupFault())
        throw platform::RuntimeError(platform::RuntimeError::kObjectNotSet, "CreateSurfaceFromBitmap: injected");
    SIZE size = BitmapSize(bitmap);
    Surface surface = CreateOffscreenSurface(ddraw, size.cx, size.cy);
    CopyBitmapToSurface(surface, bitmap);
    DDCOLORKEY key{};
    key.dwColorSpaceLowValue = key.dwColorSpaceHighValue = ReadFirstPixel(surface.Get());
    Check(surface->SetColorKey(DDCKEY_SRCBLT, &key), "SetColorKey");
    return surface;
}

int32_t FillSurface(const Surface& surface, uint32_t value) {
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = value;
    return Require(surface, "FillSurface")->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

int32_t BltFastClipped(const Surface& dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                       const Surface& src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey) {
    auto clipped = ClipBlit({.x = x, .y = y, .w = w, .h = h, .dw = dw, .dh = dh,
                             .sx = sx, .sy = sy, .sw = sw, .sh = sh});
    if (!clipped) return 0;
    RECT from{clipped->left, clipped->top, clipped->right, clipped->bottom};
    DWORD flags = useKey ? DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT : DDBLTFAST_WAIT;
    return Require(dest, "BltFastClipped")->BltFast(static_cast<DWORD>(clipped->x), static_cast<DWORD>(clipped->y),
                                                    Require(src, "BltFastClipped"), &from, flags);
}

}  // namespace graphics
