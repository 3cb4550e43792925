// Dx7DDrawSupport over real DirectDraw 7. Every failed DirectDraw call becomes a
// platform::RuntimeError naming the call and its DDERR_ code; InitDDraw alone turns its
// failures into False. No lost-surface recovery: the saver ends on such an error, and
// giving the display back never stops half-way.
#include "graphics/dx7_ddraw_support_win32.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "graphics/clip.h"
#include "graphics/result_codes.h"
#include "platform/form_win32.h"
#include "platform/runtime_error.h"
#include "platform/runtime_win32.h"

namespace graphics {
namespace {

struct DisplayState {
    platform::ComPtr<IDirectDraw7> ddraw;
    Surface primary;
    Surface backBuffer;
    HWND target = nullptr;
    RECT savedRect{};
    bool cursorHidden = false;
};
DisplayState g;

void Check(HRESULT hr, const char* call) {
    if (FAILED(hr))
        throw platform::RuntimeError(platform::RuntimeError::kPlatformCall,
                                     std::string(call) + " failed: " + DescribeResult(static_cast<uint32_t>(hr)));
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
    DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
    if (bits > 0 && bits < 32) value &= (1u << bits) - 1;
    return value;
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

void RestoreWindowRect() {
    const RECT& r = g.savedRect;
    if (GetParent(g.target))
        SetWindowPos(g.target, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    else
        SetWindowPos(g.target, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
}

// Test builds only: a display that is lost after a number of good flips, as when another
// window comes to the front, and whose give-back then fails too.
#ifdef BRACKMER_FAULT_LOSE_DISPLAY_AFTER_FLIPS
int faultFlips = 0;
bool DisplayLost() { return faultFlips > BRACKMER_FAULT_LOSE_DISPLAY_AFTER_FLIPS; }
HRESULT FaultyFlip(HRESULT real) { return ++faultFlips, DisplayLost() ? DDERR_SURFACELOST : real; }
HRESULT FaultyGiveBack(HRESULT real) { return DisplayLost() ? DDERR_SURFACELOST : real; }
#else
HRESULT FaultyFlip(HRESULT real) { return real; }
HRESULT FaultyGiveBack(HRESULT real) { return real; }
#endif

// Every step runs whatever the one before it returned: a lost display still gets its mode
// back, its objects released and its window put back. The first failure is the result.
HRESULT GiveBack() {
    HRESULT first = FaultyGiveBack(g.ddraw->FlipToGDISurface());
    HRESULT restore = FaultyGiveBack(g.ddraw->RestoreDisplayMode());
    if (SUCCEEDED(first)) first = restore;
    // The back buffer goes first: releasing the flip chain's root destroys the back buffer
    // with it, and a later release of the back buffer would touch freed memory.
    g.backBuffer = nullptr;
    g.primary = nullptr;
    g.ddraw = nullptr;
    RestoreWindowRect();
    return first;
}

// Runs before the report of an error nothing caught: the user gets the cursor and the
// desktop back even when the saver dies.
void FatalCleanup() {
    ShowMouseCursor();
    if (g.ddraw) GiveBack();
}

// Without a window manager, exclusive mode taken by a window that is not in front loses
// its surfaces at the first flip.
void BringToFront(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
    SetFocus(window);
}

}  // namespace

bool InitDDraw(HWND window, int32_t width, int32_t height, int32_t bitsPerPixel) {
    if (g.ddraw) return false;
    g.target = window;
    platform::SetFatalCleanup(&FatalCleanup);
    // Taken first so that a failed set-up can put the window back too.
    GetWindowRect(window, &g.savedRect);
    try {
        Check(DirectDrawCreateEx(nullptr, g.ddraw.PutVoid(), IID_IDirectDraw7, nullptr), "DirectDrawCreateEx");
        BringToFront(window);
        Check(g.ddraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT),
              "SetCooperativeLevel");
        Check(g.ddraw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                      static_cast<DWORD>(bitsPerPixel), 0, 0),
              "SetDisplayMode");
        DDSURFACEDESC2 desc = Describe(DDSD_CAPS | DDSD_BACKBUFFERCOUNT,
                                       DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
        desc.dwBackBufferCount = 1;
        Check(g.ddraw->CreateSurface(&desc, g.primary.Put(), nullptr), "CreateSurface");
        DDSCAPS2 caps{};
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        Check(g.primary->GetAttachedSurface(&caps, g.backBuffer.Put()), "GetAttachedSurface");
    } catch (const platform::RuntimeError&) {
        // A half-taken display would stay changed after the saver quits on False.
        if (g.ddraw) GiveBack();
        return false;
    }
    platform::ProcessPendingMessages();
    return true;
}

void TermDDraw() {
    if (!g.ddraw) return;
    HRESULT result = GiveBack();
    ShowMouseCursor();
    Check(result, "TermDDraw");
}

void FlipPrimary() {
    Check(FaultyFlip(Require(g.primary, "FlipPrimary")->Flip(g.backBuffer.Get(), DDFLIP_WAIT)), "Flip");
}

Surface CreateOffscreenSurface(int32_t width, int32_t height) {
    Surface surface;
    if (!g.ddraw) return surface;
    for (DWORD memory : {DDSCAPS_VIDEOMEMORY, DDSCAPS_SYSTEMMEMORY}) {
        DDSURFACEDESC2 desc = Describe(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH, DDSCAPS_OFFSCREENPLAIN | memory);
        desc.dwWidth = static_cast<DWORD>(width);
        desc.dwHeight = static_cast<DWORD>(height);
        if (SUCCEEDED(g.ddraw->CreateSurface(&desc, surface.Put(), nullptr))) return surface;
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

Surface CreateSurfaceFromBitmap(HBITMAP bitmap) {
#ifdef BRACKMER_FAULT_IN_SETUP
    // Test builds only: the saver's set-up fails with the display taken, so the standard
    // error report shows over what the saver covered.
    if (g.ddraw)
        throw platform::RuntimeError(platform::RuntimeError::kObjectNotSet, "CreateSurfaceFromBitmap: injected");
#endif
    SIZE size = BitmapSize(bitmap);
    Surface surface = CreateOffscreenSurface(size.cx, size.cy);
    CopyBitmapToSurface(surface, bitmap);
    DDCOLORKEY key{};
    key.dwColorSpaceLowValue = key.dwColorSpaceHighValue = ReadFirstPixel(surface.Get());
    Check(surface->SetColorKey(DDCKEY_SRCBLT, &key), "SetColorKey");
    return surface;
}

uint32_t ColorToSurfacePixel(COLORREF color) {
    IDirectDrawSurface7* back = Require(g.backBuffer, "ColorToSurfacePixel");
    PixelLoan loan(back, color);
    const uint32_t value = ReadFirstPixel(back);
    loan.Return();
    return value;
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

void HideMouseCursor() {
    if (g.cursorHidden) return;
    ShowCursor(FALSE);
    g.cursorHidden = true;
}

void ShowMouseCursor() {
    if (!g.cursorHidden) return;
    ShowCursor(TRUE);
    g.cursorHidden = false;
}

bool CursorHidden() { return g.cursorHidden; }
IDirectDraw7* DDraw() { return g.ddraw.Get(); }
const Surface& PrimarySurface() { return g.primary; }
const Surface& BackBuffer() { return g.backBuffer; }

}  // namespace graphics
