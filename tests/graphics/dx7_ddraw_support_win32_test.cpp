// Dx7DDrawSupport on Wine's DirectDraw: taking and giving back the display, cursor balance,
// colour conversion, keyed and clipped blits read back through Lock, fill, flip, and the
// errors that name the failed call.
#include <gtest/gtest.h>

#include <string>

#include "ddraw_test_support_win32.h"
#include "graphics/result_codes.h"
#include "platform/runtime_error.h"

namespace graphics {
namespace {

using namespace graphics::testing;
using platform::RuntimeError;

TEST(DisplayLifetime, SecondInitFailsAndKeepsTheFirstThenTermTwice) {
    ASSERT_TRUE(InitDDraw(TestWindow(), ScreenWidth(), ScreenHeight(), 32));
    IDirectDraw7* ddraw = DDraw();
    IDirectDrawSurface7* back = BackBuffer().Get();
    EXPECT_FALSE(InitDDraw(TestWindow(), 640, 480, 32));
    EXPECT_EQ(DDraw(), ddraw);
    EXPECT_EQ(BackBuffer().Get(), back);
    EXPECT_NO_THROW(FlipPrimary());
    TermDDraw();
    EXPECT_FALSE(DDraw() || BackBuffer() || PrimarySurface());
    HideMouseCursor();
    TermDDraw();  // not set up: not even the cursor step runs
    EXPECT_TRUE(CursorHidden());
    ShowMouseCursor();
}

TEST(DisplayLifetime, FailedSetUpReturnsFalseAndLeavesNothingTaken) {
    // Cooperative level granted, then a mode no display offers.
    EXPECT_FALSE(InitDDraw(TestWindow(), 1, 1, 32));
    EXPECT_EQ(DDraw(), nullptr);
    ASSERT_TRUE(InitDDraw(TestWindow(), ScreenWidth(), ScreenHeight(), 32));
    TermDDraw();
}

TEST(DisplayLifetime, WithoutDisplaySurfacesAreMissingNotBroken) {
    EXPECT_FALSE(CreateOffscreenSurface(10, 10));
    auto bitmap = MakeBitmap(4, 4, [](int, int) { return kWhite; });
    try {
        CreateSurfaceFromBitmap(bitmap.get());
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.ErrorNumber(), RuntimeError::kObjectNotSet);
        EXPECT_NE(std::string(e.what()).find("CopyBitmapToSurface"), std::string::npos) << e.what();
    }
    EXPECT_THROW(FlipPrimary(), RuntimeError);
    EXPECT_THROW(ColorToSurfacePixel(kWhite), RuntimeError);
}

// The saver stretches its window over the screen; TermDDraw puts the rectangle back, only
// the size for an owned popup (a window with a "parent").
class WindowRectRestore : public ::testing::TestWithParam<bool> {};

TEST_P(WindowRectRestore, TermPutsTheRectangleBack) {
    const bool owned = GetParam();
    HWND window = MakeWindow(40, 30, 400, 300, owned ? TestWindow() : nullptr);
    ASSERT_TRUE(InitDDraw(window, ScreenWidth(), ScreenHeight(), 32));
    SetWindowPos(window, nullptr, 0, 0, ScreenWidth(), ScreenHeight(), SWP_NOZORDER);
    TermDDraw();
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_EQ(r.left, owned ? 0 : 40);
    EXPECT_EQ(r.top, owned ? 0 : 30);
    DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowRectRestore, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Owned" : "TopLevel"); });

// Any order of hide (H), show (S), set-up (I) and give-back (T) moves the cursor counter
// at most one step, and a final show always restores it. `hidden` says after each step
// whether the cursor is hidden (1) or shown (0).
struct CursorCase {
    const char* name;
    const char* steps;
    const char* hidden;
};

class CursorBalance : public ::testing::TestWithParam<CursorCase> {};

TEST_P(CursorBalance, CounterMovesAtMostOnce) {
    const int start = CursorCounter();
    const char* hidden = GetParam().hidden;
    for (const char* step = GetParam().steps; *step; ++step, ++hidden) {
        switch (*step) {
            case 'H': HideMouseCursor(); break;
            case 'S': ShowMouseCursor(); break;
            case 'I': ASSERT_TRUE(InitDDraw(TestWindow(), ScreenWidth(), ScreenHeight(), 32)); break;
            case 'T': TermDDraw(); break;
        }
        EXPECT_EQ(CursorHidden(), *hidden == '1') << "after step " << *step;
        EXPECT_EQ(CursorCounter(), start - (*hidden == '1' ? 1 : 0)) << "after step " << *step;
    }
    ShowMouseCursor();
    TermDDraw();
    EXPECT_EQ(CursorCounter(), start);
}

INSTANTIATE_TEST_SUITE_P(Sequences, CursorBalance,
                         ::testing::Values(CursorCase{"ShowWithoutHide", "S", "0"},
                                           CursorCase{"HideTwice", "HH", "11"},
                                           CursorCase{"HideShowShow", "HSS", "100"},
                                           CursorCase{"HideShowHide", "HSH", "101"},
                                           CursorCase{"TermShowsIt", "IHT", "010"},
                                           CursorCase{"ExitPathOrder", "IHST", "0100"},
                                           CursorCase{"TermTwiceOnlyTheFirstShows", "IHTHT", "01011"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisplayTest, ColorToSurfacePixelGivesRawValueAndKeepsPixel) {
    ASSERT_EQ(FillSurface(BackBuffer(), 0x123456), DD_OK);
    EXPECT_EQ(ColorToSurfacePixel(RGB(0, 0, 170)), 0x0000AAu);
    EXPECT_EQ(ColorToSurfacePixel(RGB(1, 2, 3)), 0x010203u);
    EXPECT_EQ(ReadPixel(BackBuffer(), 0, 0), 0x123456u);
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
    Surface sprite = CreateSurfaceFromBitmap(bitmap.get());
    DDCOLORKEY key{};
    ASSERT_EQ(sprite->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(key.dwColorSpaceHighValue, key.dwColorSpaceLowValue);

    const int w = ScreenWidth(), h = ScreenHeight();
    ASSERT_EQ(FillSurface(BackBuffer(), 0x0000AA), DD_OK);
    ASSERT_EQ(BltFastClipped(BackBuffer(), 100, 50, 6, 3, w, h, sprite, 0, 0, 6, 3, true), DD_OK);
    ASSERT_EQ(BltFastClipped(BackBuffer(), 200, 50, 6, 3, w, h, sprite, 0, 0, 6, 3, false), DD_OK);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const Spot* spot = spotAt(x, y);
            EXPECT_EQ(ReadPixel(BackBuffer(), 100 + x, 50 + y), spot ? spot->raw : 0x0000AAu) << "keyed " << x << y;
            EXPECT_EQ(ReadPixel(BackBuffer(), 200 + x, 50 + y), spot ? spot->raw : 0xFFFFFFu) << "plain " << x << y;
        }
}

TEST_F(DisplayTest, ClippedBlitTakesTheVisibleStrip) {
    // Column c is red 10 * (c + 1), so a pixel tells which source column it came from.
    auto bitmap = MakeBitmap(8, 2, [](int x, int) { return RGB(10 * (x + 1), 0, 0); });
    Surface strip = CreateSurfaceFromBitmap(bitmap.get());
    const int w = ScreenWidth(), h = ScreenHeight();
    ASSERT_EQ(FillSurface(BackBuffer(), 0), DD_OK);
    EXPECT_EQ(BltFastClipped(BackBuffer(), -3, 0, 8, 2, w, h, strip, 0, 0, 8, 2, false), DD_OK);
    EXPECT_EQ(ReadPixel(BackBuffer(), 0, 0), 40u << 16);
    EXPECT_EQ(ReadPixel(BackBuffer(), 4, 1), 80u << 16);
    EXPECT_EQ(ReadPixel(BackBuffer(), 5, 0), 0u);
    EXPECT_EQ(BltFastClipped(BackBuffer(), w - 2, h - 1, 8, 2, w, h, strip, 0, 0, 8, 2, false), DD_OK);
    EXPECT_EQ(ReadPixel(BackBuffer(), w - 1, h - 1), 20u << 16);
    // Nothing left to draw never reaches the platform, so a missing source is no error.
    EXPECT_EQ(BltFastClipped(BackBuffer(), w, 0, 8, 2, w, h, nullptr, 0, 0, 8, 2, true), 0);
    EXPECT_EQ(BltFastClipped(BackBuffer(), 0, 0, 0, 2, w, h, nullptr, 0, 0, 8, 2, true), 0);
}

TEST_F(DisplayTest, OffscreenSurfaceFillsAndImpossibleOneIsNull) {
    Surface surface = CreateOffscreenSurface(50, 20);
    ASSERT_TRUE(surface);
    EXPECT_EQ(FillSurface(surface, 0x123456), DD_OK);
    EXPECT_EQ(ReadPixel(surface, 0, 0), 0x123456u);
    EXPECT_EQ(ReadPixel(surface, 49, 19), 0x123456u);
    EXPECT_FALSE(CreateOffscreenSurface(0, 0));
}

TEST_F(DisplayTest, FlipPresentsTheBackBuffer) {
    for (uint32_t value : {0x336699u, 0x00AA00u}) {
        ASSERT_EQ(FillSurface(BackBuffer(), value), DD_OK);
        FlipPrimary();
        EXPECT_EQ(ReadPixel(PrimarySurface(), 10, 10), value);
    }
}

TEST_F(DisplayTest, FailedCallErrorNamesTheCall) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(BackBuffer()->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    std::string message;
    try {
        FlipPrimary();
    } catch (const RuntimeError& e) {
        message = e.what();
    }
    BackBuffer()->Unlock(nullptr);
    EXPECT_EQ(message.rfind("Flip failed: DDERR_", 0), 0u) << message;
    EXPECT_NE(message.find(" (0x8876"), std::string::npos) << message;
}

// Another window that comes to the front takes the display from the saver: the next flip
// names the loss, and giving back still releases everything and shows the cursor although
// the surfaces are gone (the window itself is minimised by then; the saver ends with it).
TEST(LostDisplay, FlipNamesTheLossAndGivingBackStillRestoresEverything) {
    HWND window = MakeWindow(40, 30, 400, 300);
    ASSERT_TRUE(InitDDraw(window, ScreenWidth(), ScreenHeight(), 32));
    SetWindowPos(window, nullptr, 0, 0, ScreenWidth(), ScreenHeight(), SWP_NOZORDER);
    HideMouseCursor();
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
    try {
        FlipPrimary();
    } catch (const RuntimeError& e) {
        flip = e.what();
    }
    EXPECT_EQ(flip, "Flip failed: DDERR_SURFACELOST (0x887601C2)");
    std::string term;
    try {
        TermDDraw();
    } catch (const RuntimeError& e) {
        term = e.what();  // a lost display may refuse the GDI surface; that is all it says
    }
    EXPECT_TRUE(term.empty() || term.rfind("TermDDraw failed: DDERR_", 0) == 0) << term;
    EXPECT_FALSE(DDraw() || BackBuffer() || PrimarySurface());
    EXPECT_FALSE(CursorHidden());
    EXPECT_EQ(CursorCounter(), hiddenCounter + 1);
    WaitForSingleObject(front, INFINITE);
    CloseHandle(front);
    DestroyWindow(window);
}

// The names are kept apart from ddraw.h, in the portable code; they must match its values.
TEST(ResultNames, MatchTheHeadersValues) {
#define EXPECT_NAMED(code) EXPECT_EQ(DescribeResult(static_cast<uint32_t>(code)).rfind(#code " (0x", 0), 0u) << #code
    EXPECT_NAMED(DDERR_SURFACELOST);
    EXPECT_NAMED(DDERR_SURFACEBUSY);
    EXPECT_NAMED(DDERR_WASSTILLDRAWING);
    EXPECT_NAMED(DDERR_INVALIDPARAMS);
    EXPECT_NAMED(DDERR_INVALIDOBJECT);
    EXPECT_NAMED(DDERR_INVALIDRECT);
    EXPECT_NAMED(DDERR_INVALIDCAPS);
    EXPECT_NAMED(DDERR_INVALIDMODE);
    EXPECT_NAMED(DDERR_INVALIDPIXELFORMAT);
    EXPECT_NAMED(DDERR_INVALIDSURFACETYPE);
    EXPECT_NAMED(DDERR_UNSUPPORTEDMODE);
    EXPECT_NAMED(DDERR_UNSUPPORTED);
    EXPECT_NAMED(DDERR_OUTOFMEMORY);
    EXPECT_NAMED(DDERR_OUTOFVIDEOMEMORY);
    EXPECT_NAMED(DDERR_NOEXCLUSIVEMODE);
    EXPECT_NAMED(DDERR_EXCLUSIVEMODEALREADYSET);
    EXPECT_NAMED(DDERR_NOCOOPERATIVELEVELSET);
    EXPECT_NAMED(DDERR_HWNDALREADYSET);
    EXPECT_NAMED(DDERR_HWNDSUBCLASSED);
    EXPECT_NAMED(DDERR_WRONGMODE);
    EXPECT_NAMED(DDERR_PRIMARYSURFACEALREADYEXISTS);
    EXPECT_NAMED(DDERR_NOTFLIPPABLE);
    EXPECT_NAMED(DDERR_NOTFOUND);
    EXPECT_NAMED(DDERR_NOTLOCKED);
    EXPECT_NAMED(DDERR_CANTLOCKSURFACE);
    EXPECT_NAMED(DDERR_NODC);
    EXPECT_NAMED(DDERR_DCALREADYCREATED);
    EXPECT_NAMED(DDERR_CANTCREATEDC);
    EXPECT_NAMED(DDERR_NOBLTHW);
    EXPECT_NAMED(DDERR_NOTINITIALIZED);
    EXPECT_NAMED(DDERR_INCOMPATIBLEPRIMARY);
    EXPECT_NAMED(DDERR_GENERIC);
#undef EXPECT_NAMED
}

}  // namespace
}  // namespace graphics
