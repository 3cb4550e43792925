// The DirectDraw display on Wine's DirectDraw: taking and giving back the display (one at a
// time, the mode left alone or the primary's own mode given back, cursor balance), colour
// conversion, keyed and clipped blits read back through Lock, fill, flip, the errors that
// name the failed call and keep its code, a refused ReleaseDC among them, and the display
// calls made and undone for each answer of the platform.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ddraw_test_support_win32.h"
#include "support/import_swap_win32.h"
#include "graphics/result_codes.h"
#include "platform/runtime_error.h"

namespace graphics {
namespace {

using namespace graphics::testing;
using platform::RuntimeError;

TEST(DisplayLifetime, OnePerProcessLeavingTheModeAloneAndAFreshOneAfterTheGiveBack) {
    std::unique_ptr<DDrawDisplay> first = TakeScreen();
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->ChangedMode());  // the desktop already has the size and depth
    IDirectDraw7* ddraw = first->DirectDraw();
    IDirectDrawSurface7* back = first->BackBuffer().Get();
    SetupFailure failure;
    EXPECT_FALSE(TakeScreen(TestWindow(), &failure, 640, 480));
    EXPECT_EQ(failure.Describe(), "Take failed: DDERR_EXCLUSIVEMODEALREADYSET (0x88760245)");
    EXPECT_EQ(first->DirectDraw(), ddraw);
    EXPECT_EQ(first->BackBuffer().Get(), back);
    EXPECT_NO_THROW(first->Flip());
    first.reset();
    EXPECT_TRUE(TakeScreen());
}

// A failed set-up names its call and gives back what it took; a display given back (as the
// fatal clean-up does, through the live one) refuses work instead of touching freed objects,
// and its destruction changes nothing more.
TEST(DisplayLifetime, FailedSetUpAndGivenBackDisplayLeaveNothingTaken) {
    SetupFailure failure;
    EXPECT_FALSE(TakeScreen(TestWindow(), &failure, 1, 1));  // a mode no display offers
    EXPECT_EQ(failure.call, "SetDisplayMode");
    EXPECT_EQ(failure.Describe().rfind("SetDisplayMode failed: DDERR_", 0), 0u) << failure.Describe();

    std::unique_ptr<DDrawDisplay> display = TakeScreen();
    ASSERT_TRUE(display);
    DDrawDisplay::GiveBackLive();
    EXPECT_FALSE(display->DirectDraw() || display->BackBuffer() || display->PrimarySurface());
    try {
        display->Flip();
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.ErrorNumber(), RuntimeError::kObjectNotSet);
    }
    EXPECT_THROW(display->SurfacePixel(kWhite), RuntimeError);
    EXPECT_THROW(display->SetSurface(1, platform::Picture::Filled(4, 4, 0xFFFFFF)), RuntimeError);
    EXPECT_FALSE(CreateOffscreenSurface(nullptr, 10, 10));
    EXPECT_TRUE(TakeScreen());  // the live slot was freed by the give-back
}

// A close request handled among the messages Take lets run gives the display back under it:
// Take then fails as a lost display, with the cursor as it was.
TEST(DisplayLifetime, GiveBackAmongTheSetUpsMessagesFailsItAsALostDisplay) {
    HWND window = MakeWindow(0, 0, 300, 200);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_CLOSE) return DDrawDisplay::GiveBackLive(), LRESULT{0};
        return DefWindowProcW(h, m, w, l);
    }));
    const int cursor = CursorCounter();
    PostMessageW(window, WM_CLOSE, 0, 0);
    SetupFailure failure;
    EXPECT_FALSE(TakeScreen(window, &failure));
    EXPECT_EQ(failure.Describe(), "Take failed: DDERR_NOEXCLUSIVEMODE (0x887600E1)");
    EXPECT_TRUE(IsDisplayLost(failure.result));
    EXPECT_EQ(CursorCounter(), cursor);
    EXPECT_TRUE(TakeScreen());
    DestroyWindow(window);
}

// The display calls as the platform sees them: DirectDraw's own methods through the object's
// method table (slots of IDirectDraw7: RestoreDisplayMode 19, SetCooperativeLevel 20,
// SetDisplayMode 21), the primary's mode through ChangeDisplaySettingsExW, the window to the
// front through SetForegroundWindow (a window already in front shows Wine no difference).
// Xvfb switches no mode, so a switch is granted or refused by the stand-ins. Wine's own
// clean-up in the last Release calls the same methods; those are not the program's.
using testsupport::CallLog;
bool grantPrimaryAlone = true, grantDirectDrawMode = true, releasing = false, inFront = false;
testsupport::ImportSwap *createSwap = nullptr, *frontSwap = nullptr;

ULONG STDMETHODCALLTYPE Release(IDirectDraw7* self) {
    auto real = testsupport::MethodSwap::Real<decltype(&Release)>(self, 2);
    releasing = true;
    ULONG left = real(self);
    releasing = false;
    return left;
}
HRESULT STDMETHODCALLTYPE CooperativeLevel(IDirectDraw7* self, HWND window, DWORD flags) {
    if (!releasing)
        CallLog().push_back("SetCooperativeLevel " + testsupport::Hex(flags) + (window == TestWindow() ? " W" : " ?") +
                            (std::exchange(inFront, false) ? " in front" : ""));
    return testsupport::MethodSwap::Real<decltype(&CooperativeLevel)>(self, 20)(self, window, flags);
}
HRESULT STDMETHODCALLTYPE DisplayMode(IDirectDraw7*, DWORD w, DWORD h, DWORD bits, DWORD rate, DWORD flags) {
    CallLog().push_back("SetDisplayMode " + std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(bits) +
                        " " + std::to_string(rate) + " " + std::to_string(flags));
    return grantDirectDrawMode ? DD_OK : DDERR_UNSUPPORTEDMODE;
}
HRESULT STDMETHODCALLTYPE RestoreMode(IDirectDraw7* self) {
    if (releasing) return testsupport::MethodSwap::Real<decltype(&RestoreMode)>(self, 19)(self);
    CallLog().push_back("RestoreDisplayMode");
    return DD_OK;
}
HRESULT WINAPI CreateRecorded(GUID* guid, void** out, REFIID iid, IUnknown* outer) {
    HRESULT hr = createSwap->Original<decltype(&DirectDrawCreateEx)>()(guid, out, iid, outer);
    if (SUCCEEDED(hr))
        testsupport::MethodSwap::Replace(*out, 30, {{2, reinterpret_cast<void*>(&Release)},
                                                    {19, reinterpret_cast<void*>(&RestoreMode)},
                                                    {20, reinterpret_cast<void*>(&CooperativeLevel)},
                                                    {21, reinterpret_cast<void*>(&DisplayMode)}});
    return hr;
}
BOOL WINAPI ToFront(HWND window) {
    inFront = window == TestWindow();
    return frontSwap->Original<decltype(&SetForegroundWindow)>()(window);
}
LONG WINAPI ModeRequest(LPCWSTR device, DEVMODEW* mode, HWND, DWORD flags, void*) {
    MONITORINFOEXW primary{};
    primary.cbSize = sizeof primary;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    std::string text = std::string("ChangeDisplaySettingsEx ") + (device && primary.szDevice == std::wstring(device) ? "primary" : "?");
    if (mode)
        text += " " + std::to_string(mode->dmPelsWidth) + "x" + std::to_string(mode->dmPelsHeight) + "x" +
                std::to_string(mode->dmBitsPerPel) + " fields " + testsupport::Hex(mode->dmFields);
    CallLog().push_back(text + " flags " + testsupport::Hex(flags));
    return grantPrimaryAlone ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_BADMODE;
}

struct DisplayCallsCase {
    const char* name;
    int width, height;
    bool primaryAlone, directDrawMode, taken;
    std::vector<std::string> calls;  // taking, "|", giving back
};
class DisplayCalls : public ::testing::TestWithParam<DisplayCallsCase> {};

// Exclusive full screen on the saver's window; a mode already right is neither set nor set
// back; a switch is the primary's alone and temporary, DirectDraw's own only where that is
// refused, and exactly the switch made is undone, once, also one that failed half-way.
TEST_P(DisplayCalls, ExactlyTheSwitchMadeIsUndoneOnce) {
    const DisplayCallsCase& c = GetParam();
    testsupport::ImportSwap create("ddraw.dll", "DirectDrawCreateEx", reinterpret_cast<void*>(&CreateRecorded));
    testsupport::ImportSwap change("user32.dll", "ChangeDisplaySettingsExW", reinterpret_cast<void*>(&ModeRequest));
    testsupport::ImportSwap front("user32.dll", "SetForegroundWindow", reinterpret_cast<void*>(&ToFront));
    ASSERT_TRUE(create.Found() && change.Found() && front.Found());
    createSwap = &create, frontSwap = &front;
    grantPrimaryAlone = c.primaryAlone, grantDirectDrawMode = c.directDrawMode;
    CallLog().clear();
    std::unique_ptr<DDrawDisplay> display =
        TakeScreen(TestWindow(), nullptr, c.width ? c.width : ScreenWidth(), c.height ? c.height : ScreenHeight());
    EXPECT_EQ(display != nullptr, c.taken);
    CallLog().push_back("|");
    display.reset();
    EXPECT_EQ(CallLog(), c.calls);
}

// FULLSCREEN | ALLOWREBOOT | EXCLUSIVE, asked for once the window was brought to the front
const std::string kExclusive = "SetCooperativeLevel 0x13 W in front";
const std::string kPrimaryTo640 = "ChangeDisplaySettingsEx primary 640x480x32 fields 0x1c0000 flags 0x4";
INSTANTIATE_TEST_SUITE_P(
    Modes, DisplayCalls,
    ::testing::Values(
        DisplayCallsCase{"AlreadyRight", 0, 0, true, true, true, {kExclusive, "|"}},
        DisplayCallsCase{"PrimaryAlone", 640, 480, true, true, true,
                         {kExclusive, kPrimaryTo640, "|", "ChangeDisplaySettingsEx primary flags 0x0"}},
        DisplayCallsCase{"DirectDrawWherePrimaryAloneIsRefused", 640, 480, false, true, true,
                         {kExclusive, kPrimaryTo640, "SetDisplayMode 640x480x32 0 0", "|", "RestoreDisplayMode"}},
        DisplayCallsCase{"BothRefused", 640, 480, false, false, false,
                         {kExclusive, kPrimaryTo640, "SetDisplayMode 640x480x32 0 0", "RestoreDisplayMode", "|"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The mode to keep or give back is the primary's, asked for as the monitor at the origin: a
// point beside it can be another monitor's (one left of the primary has x < 0).
testsupport::ImportSwap* pointSwap = nullptr;
HMONITOR WINAPI MonitorAt(POINT p, DWORD flags) {
    CallLog().push_back("MonitorFromPoint " + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
                        testsupport::Hex(flags));
    return pointSwap->Original<decltype(&MonitorFromPoint)>()(p, flags);
}
TEST(PrimaryMode, ReadFromTheMonitorAtTheOrigin) {
    testsupport::ImportSwap at("user32.dll", "MonitorFromPoint", reinterpret_cast<void*>(&MonitorAt));
    ASSERT_TRUE(at.Found());
    pointSwap = &at;
    CallLog().clear();
    EXPECT_TRUE(TakeScreen());
    EXPECT_EQ(CallLog(), std::vector<std::string>{"MonitorFromPoint 0,0 0x1"});
}

// A surface whose ReleaseDC answers with an error on call number `failing` (it gives the DC
// back all the same), by its own method table while the fault lives.
class FailingReleaseDc {
public:
    FailingReleaseDc(IDirectDrawSurface7* surface, int failing) : surface_(surface) {
        calls_ = 0;
        failing_ = failing;
        table_ = *reinterpret_cast<void***>(surface);
        std::memcpy(copy_, table_, sizeof copy_);
        real_ = reinterpret_cast<ReleaseDcFn>(table_[kReleaseDcSlot]);
        copy_[kReleaseDcSlot] = reinterpret_cast<void*>(&ReleaseDc);
        *reinterpret_cast<void***>(surface) = copy_;
    }
    ~FailingReleaseDc() { *reinterpret_cast<void***>(surface_) = table_; }

private:
    using ReleaseDcFn = HRESULT(STDMETHODCALLTYPE*)(IDirectDrawSurface7*, HDC);
    static constexpr int kReleaseDcSlot = 26, kMethods = 49;  // IUnknown's 3, then ddraw.h's order
    static HRESULT STDMETHODCALLTYPE ReleaseDc(IDirectDrawSurface7* self, HDC dc) {
        HRESULT hr = real_(self, dc);
        return ++calls_ == failing_ ? DDERR_GENERIC : hr;
    }
    static inline ReleaseDcFn real_ = nullptr;
    static inline int calls_ = 0, failing_ = 0;
    IDirectDrawSurface7* surface_;
    void** table_;
    void* copy_[kMethods];
};

// Every surface DC lent to GDI is given back and a refusal is reported, not left to the
// guard's silent clean-up: each step of a colour's conversion and of a sprite's copy.
TEST_F(DisplayTest, AFailedReleaseDcIsReportedAtEachStep) {
    auto bitmap = MakeBitmap(4, 4, [](int, int) { return kWhite; });
    Surface sprite = CreateOffscreenSurface(display->DirectDraw(), 4, 4);
    ASSERT_TRUE(sprite);
    for (int failing : {1, 2}) {
        FailingReleaseDc fault(Back().Get(), failing);
        EXPECT_THROW(display->SurfacePixel(kWhite), RuntimeError) << "conversion, release " << failing;
    }
    FailingReleaseDc fault(sprite.Get(), 1);
    try {
        CopyBitmapToSurface(sprite, bitmap.get());
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), "ReleaseDC failed: " + DescribeResult(static_cast<uint32_t>(DDERR_GENERIC)));
    }
}

// The saver stretches its window over the screen; the give-back puts the rectangle back.
TEST(WindowRectRestore, GiveBackPutsTheRectangleBackOnce) {
    HWND window = MakeWindow(40, 30, 400, 300);
    std::unique_ptr<DDrawDisplay> display = TakeScreen(window);
    ASSERT_TRUE(display);
    SetWindowPos(window, nullptr, 0, 0, ScreenWidth(), ScreenHeight(), SWP_NOZORDER);
    display->GiveBack();
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
    // Where the window goes afterwards is no longer the display's business.
    SetWindowPos(window, nullptr, 5, 6, 70, 80, SWP_NOZORDER);
    display.reset();
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 70);
    DestroyWindow(window);
}

// The cursor is hidden exactly while a display lives, whatever the order of taking (I), a
// refused second take (D), a failed take (X), the fatal clean-up (F) and destruction (T).
// `hidden` says after each step whether the counter is one below the start (1) or at it (0).
struct CursorCase {
    const char* name;
    const char* steps;
    const char* hidden;
};

class CursorBalance : public ::testing::TestWithParam<CursorCase> {};

TEST_P(CursorBalance, HiddenOnceWhileTheDisplayLives) {
    const int start = CursorCounter();
    const char* hidden = GetParam().hidden;
    std::unique_ptr<DDrawDisplay> display;
    for (const char* step = GetParam().steps; *step; ++step, ++hidden) {
        switch (*step) {
            case 'I': display = TakeScreen(); ASSERT_TRUE(display); break;
            case 'D': EXPECT_FALSE(TakeScreen()); break;
            case 'X': EXPECT_FALSE(TakeScreen(TestWindow(), nullptr, 1, 1)); break;
            case 'F': DDrawDisplay::GiveBackLive(); break;
            case 'T': display.reset(); break;
        }
        EXPECT_EQ(CursorCounter(), start - (*hidden == '1' ? 1 : 0)) << "after step " << *step;
    }
    display.reset();
    EXPECT_EQ(CursorCounter(), start);
}

INSTANTIATE_TEST_SUITE_P(Sequences, CursorBalance,
                         ::testing::Values(CursorCase{"TakeAndGo", "IT", "10"},
                                           CursorCase{"FailedTakeNeverHides", "XIT", "010"},
                                           CursorCase{"RefusedSecondTakeKeepsItHiddenOnce", "IDT", "110"},
                                           CursorCase{"FatalCleanUpThenDestruction", "IFFT", "1000"},
                                           CursorCase{"TwoDisplaysInTurn", "ITIT", "1010"}),
                         [](const auto& info) { return std::string(info.param.name); });

bool lockRefused = false;
HRESULT STDMETHODCALLTYPE RefusingLock(IDirectDrawSurface7* self, RECT* rect, DDSURFACEDESC2* desc, DWORD flags,
                                       HANDLE event) {
    if (lockRefused) return DDERR_SURFACEBUSY;
    return testsupport::MethodSwap::Real<decltype(&RefusingLock)>(self, 25)(self, rect, desc, flags, event);
}

// The pixel lent to GDI for a conversion is given back, also when the read in between fails.
TEST_F(DisplayTest, SurfacePixelGivesRawValueAndKeepsPixel) {
    ASSERT_EQ(FillSurface(Back(), 0x123456), DD_OK);
    EXPECT_EQ(display->SurfacePixel(RGB(0, 0, 170)), 0x0000AAu);
    EXPECT_EQ(display->SurfacePixel(RGB(1, 2, 3)), 0x010203u);
    EXPECT_EQ(ReadPixel(Back(), 0, 0), 0x123456u);
    testsupport::MethodSwap::Replace(Back().Get(), 49, {{25, reinterpret_cast<void*>(&RefusingLock)}});
    lockRefused = true;
    EXPECT_THROW(display->SurfacePixel(RGB(1, 2, 3)), RuntimeError);
    lockRefused = false;
    EXPECT_EQ(ReadPixel(Back(), 0, 0), 0x123456u);
}

TEST_F(DisplayTest, KeyedBlitSkipsOnlyTheTopLeftColour) {
    // A white sprite with a near-white, a black and a red pixel, and their raw values.
    struct Spot { int x, y; COLORREF colour; uint32_t raw; };
    static const Spot kSpots[] = {
        {1, 0, RGB(250, 250, 250), 0xFAFAFA}, {2, 1, RGB(0, 0, 0), 0}, {3, 2, RGB(255, 0, 0), 0xFF0000}};
    auto spotAt = [](int x, int y) -> const Spot* {
        for (const Spot& s : kSpots)
            if (s.x == x && s.y == y) return &s;
        return nullptr;
    };
    auto bitmap = MakeBitmap(6, 3, [&](int x, int y) { return spotAt(x, y) ? spotAt(x, y)->colour : kWhite; });
    Surface sprite = CreateSurfaceFromBitmap(display->DirectDraw(), bitmap.get());
    DDCOLORKEY key{};
    ASSERT_EQ(sprite->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(key.dwColorSpaceHighValue, key.dwColorSpaceLowValue);

    const int w = ScreenWidth(), h = ScreenHeight();
    ASSERT_EQ(FillSurface(Back(), 0x0000AA), DD_OK);
    ASSERT_EQ(BltFastClipped(Back(), 100, 50, 6, 3, w, h, sprite, 0, 0, 6, 3, true), DD_OK);
    ASSERT_EQ(BltFastClipped(Back(), 200, 50, 6, 3, w, h, sprite, 0, 0, 6, 3, false), DD_OK);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const Spot* spot = spotAt(x, y);
            EXPECT_EQ(ReadPixel(Back(), 100 + x, 50 + y), spot ? spot->raw : 0x0000AAu) << "keyed " << x << y;
            EXPECT_EQ(ReadPixel(Back(), 200 + x, 50 + y), spot ? spot->raw : 0xFFFFFFu) << "plain " << x << y;
        }
}

TEST_F(DisplayTest, ClippedBlitTakesTheVisibleStrip) {
    // Column c is red 10 * (c + 1), so a pixel tells which source column it came from.
    auto bitmap = MakeBitmap(8, 2, [](int x, int) { return RGB(10 * (x + 1), 0, 0); });
    Surface strip = CreateSurfaceFromBitmap(display->DirectDraw(), bitmap.get());
    const int w = ScreenWidth(), h = ScreenHeight();
    ASSERT_EQ(FillSurface(Back(), 0), DD_OK);
    EXPECT_EQ(BltFastClipped(Back(), -3, 0, 8, 2, w, h, strip, 0, 0, 8, 2, false), DD_OK);
    EXPECT_EQ(ReadPixel(Back(), 0, 0), 40u << 16);
    EXPECT_EQ(ReadPixel(Back(), 4, 1), 80u << 16);
    EXPECT_EQ(ReadPixel(Back(), 5, 0), 0u);
    // The far corner through the display, as a frame draws, from a part of the sprite: each
    // limit and each start on its own axis.
    platform::Picture picture{8, 2, {}};
    for (int i = 0; i < 16; ++i) picture.pixels.push_back(uint32_t(10 * (i % 8 + 1)) << 16);
    display->SetSurface(1, picture);
    EXPECT_EQ(display->BltToBackBuffer(1, w - 2, h - 1, 7, 2, w, h, 1, 0, 8, 2, false), DD_OK);
    EXPECT_EQ(ReadPixel(Back(), w - 1, h - 1), 30u << 16);
    // Nothing left to draw never reaches the platform, so a missing source is no error.
    EXPECT_EQ(BltFastClipped(Back(), w, 0, 8, 2, w, h, nullptr, 0, 0, 8, 2, true), 0);
    EXPECT_EQ(BltFastClipped(Back(), 0, 0, 0, 2, w, h, nullptr, 0, 0, 8, 2, true), 0);
}

TEST_F(DisplayTest, OffscreenSurfaceFillsAndImpossibleOneIsNull) {
    Surface surface = CreateOffscreenSurface(display->DirectDraw(), 50, 20);
    ASSERT_TRUE(surface);
    EXPECT_EQ(FillSurface(surface, 0x123456), DD_OK);
    EXPECT_EQ(ReadPixel(surface, 0, 0), 0x123456u);
    EXPECT_EQ(ReadPixel(surface, 49, 19), 0x123456u);
    EXPECT_FALSE(CreateOffscreenSurface(display->DirectDraw(), 0, 0));
}

TEST_F(DisplayTest, FlipPresentsTheBackBuffer) {
    for (uint32_t value : {0x336699u, 0x00AA00u}) {
        ASSERT_EQ(FillSurface(Back(), value), DD_OK);
        display->Flip();
        EXPECT_EQ(ReadPixel(display->PrimarySurface(), 10, 10), value);
    }
}

TEST_F(DisplayTest, FailedCallErrorNamesTheCall) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(Back()->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    std::string message;
    uint32_t result = 0;
    try {
        display->Flip();
    } catch (const RuntimeError& e) {
        message = e.what();
        result = e.PlatformResult();
    }
    Back()->Unlock(nullptr);
    EXPECT_EQ(result & 0xFFFF0000u, 0x88760000u) << message;  // the call's own code goes with it
    EXPECT_EQ(message, "Flip failed: " + DescribeResult(result));
    EXPECT_FALSE(IsDisplayLost(result)) << message;
}

// Another window that comes to the front takes the display from the saver: the next flip
// names the loss and carries a code that reads as lost, and giving back still releases
// everything and shows the cursor although the surfaces are gone (the window itself is
// minimised by then; the saver ends with it).
TEST(LostDisplay, FlipNamesTheLossAndGivingBackStillRestoresEverything) {
    HWND window = MakeWindow(40, 30, 400, 300);
    std::unique_ptr<DDrawDisplay> display = TakeScreen(window);
    ASSERT_TRUE(display);
    SetWindowPos(window, nullptr, 0, 0, ScreenWidth(), ScreenHeight(), SWP_NOZORDER);
    const int hiddenCounter = CursorCounter();
    // The other window belongs to another thread, as another program's would: only then
    // does the saver's application lose the activation.
    HANDLE front = CreateThread(nullptr, 0, [](void*) -> DWORD {
        HWND other = MakeWindow(100, 100, 200, 100);
        SetForegroundWindow(other);
        MSG m;
        for (int i = 0; i < 40; ++i) {
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
            Sleep(5);
        }
        DestroyWindow(other);
        return 0;
    }, nullptr, 0, nullptr);
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
    std::string flip;
    uint32_t result = 0;
    try {
        display->Flip();
    } catch (const RuntimeError& e) {
        flip = e.what();
        result = e.PlatformResult();
    }
    EXPECT_EQ(flip, "Flip failed: DDERR_SURFACELOST (0x887601C2)");
    EXPECT_TRUE(IsDisplayLost(result));
    display->GiveBack();
    EXPECT_FALSE(display->DirectDraw() || display->BackBuffer() || display->PrimarySurface());
    EXPECT_EQ(CursorCounter(), hiddenCounter + 1);
    display.reset();
    EXPECT_EQ(CursorCounter(), hiddenCounter + 1);
    WaitForSingleObject(front, INFINITE);
    CloseHandle(front);
    DestroyWindow(window);
}

// The names are kept apart from ddraw.h, in the portable code; they must match its values.
TEST(ResultNames, MatchTheHeadersValues) {
#define N(code) std::pair<HRESULT, const char*>{code, #code}
    for (const auto& [code, name] : {
        N(DDERR_SURFACELOST), N(DDERR_SURFACEBUSY), N(DDERR_WASSTILLDRAWING), N(DDERR_INVALIDPARAMS),
        N(DDERR_INVALIDOBJECT), N(DDERR_INVALIDRECT), N(DDERR_INVALIDCAPS), N(DDERR_INVALIDMODE),
        N(DDERR_INVALIDPIXELFORMAT), N(DDERR_INVALIDSURFACETYPE), N(DDERR_UNSUPPORTEDMODE), N(DDERR_UNSUPPORTED),
        N(DDERR_OUTOFMEMORY), N(DDERR_OUTOFVIDEOMEMORY), N(DDERR_NOEXCLUSIVEMODE), N(DDERR_NODIRECTDRAWHW),
        N(DDERR_EXCLUSIVEMODEALREADYSET), N(DDERR_NOCOOPERATIVELEVELSET), N(DDERR_HWNDALREADYSET),
        N(DDERR_HWNDSUBCLASSED), N(DDERR_WRONGMODE), N(DDERR_PRIMARYSURFACEALREADYEXISTS), N(DDERR_NOTFLIPPABLE),
        N(DDERR_NOTFOUND), N(DDERR_NOTLOCKED), N(DDERR_CANTLOCKSURFACE), N(DDERR_NODC), N(DDERR_DCALREADYCREATED),
        N(DDERR_CANTCREATEDC), N(DDERR_NOBLTHW), N(DDERR_NOTINITIALIZED), N(DDERR_INCOMPATIBLEPRIMARY),
        N(DDERR_GENERIC)}) {
        EXPECT_EQ(DescribeResult(static_cast<uint32_t>(code)).rfind(std::string(name) + " (0x", 0), 0u) << name;
    }
#undef N
}

}  // namespace
}  // namespace graphics
