// Dx7DDrawSupport: the saver's only contact with the display. Takes the screen in exclusive
// full-screen mode through DirectDraw 7, owns the primary surface and its one back buffer,
// makes colour-keyed surfaces from GDI bitmaps, fills, blits with software clipping, flips,
// and hides the cursor. One display per process; the saver window drives it.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include <cstdint>

#include "platform/handles_win32.h"

namespace graphics {

// A counted reference to a surface; replacing or clearing it releases the surface.
using Surface = platform::ComPtr<IDirectDrawSurface7>;

// Takes the display: exclusive full screen for `window` at width x height x bitsPerPixel,
// a primary surface with one back buffer. False when already set up (nothing changes) or
// when any step fails (whatever was done is given back, so the module is not set up).
bool InitDDraw(HWND window, int32_t width, int32_t height, int32_t bitsPerPixel);
// Gives the display back: GDI surface, desktop mode, releases, the window's saved
// rectangle, then the cursor. Every step runs even when one fails (a lost display); the
// first failure is raised afterwards, with the display already given back. Does nothing
// when not set up.
void TermDDraw();
// Presents the back buffer. Afterwards the back buffer holds an older frame.
void FlipPrimary();

// A plain off-screen surface in the display's format, in video memory if possible, else
// in system memory; null (never an error) when neither can be made.
Surface CreateOffscreenSurface(int32_t width, int32_t height);
// Copies the whole bitmap to the surface's top-left corner through GDI.
void CopyBitmapToSurface(const Surface& surface, HBITMAP bitmap);
// A new surface holding the bitmap, whose source colour key is the value its top-left
// pixel has in the display's format.
Surface CreateSurfaceFromBitmap(HBITMAP bitmap);
// A bitmap's width and height in pixels.
SIZE BitmapSize(HBITMAP bitmap);

// The raw back-buffer pixel value of a GDI colour (0x00BBGGRR). Borrows the back buffer's
// pixel (0, 0) and puts it back.
uint32_t ColorToSurfacePixel(COLORREF color);
// Every pixel of the surface set to the raw value; returns the platform's status.
int32_t FillSurface(const Surface& surface, uint32_t value);
// Unstretched copy of the source rectangle at (sx, sy) of size w x h to (x, y) of dest,
// clipped against dest's limits (dw, dh) and the source's (sw, sh); a limit of 0 does not
// clip. With useKey, source pixels equal to the source's colour key are skipped. Returns
// the platform's status, 0 when nothing was left to draw.
int32_t BltFastClipped(const Surface& dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                       const Surface& src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, bool useKey);

// Balanced cursor hiding: each call changes the system's cursor counter at most once.
void HideMouseCursor();
void ShowMouseCursor();
bool CursorHidden();

// Module state, for callers that draw into it and for tests; null when not set up.
IDirectDraw7* DDraw();
const Surface& PrimarySurface();
const Surface& BackBuffer();

}  // namespace graphics
