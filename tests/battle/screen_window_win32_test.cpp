// A screen's window under Wine, as another monitor's: it covers exactly its rectangle, stays
// out of the way of the keyboard focus, hides the pointer, shows the chosen background with
// its ships after a tick, and turns every key, button and close request into the end of the
// run, also one that comes before the run has started.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "assets/resource_ids.h"
#include "battle/frame_composer.h"
#include "battle/screen_window_win32.h"
#include "battle_test_support.h"
#include "support/import_swap_win32.h"
#include "support/test_window_win32.h"

namespace battle {
namespace {

constexpr platform::Rect kRect{120, 90, 320, 240};

// The monitor's entry of the start-up plan, beside a primary of its own.
ScreenPlan Where(const settings::SaverSettings& values) {
    StartupFacts facts;
    facts.settings = values;
    facts.monitors = {{{1000, 0, 640, 480}, true}, {kRect, false}};
    facts.screenWidth = 640;
    facts.screenHeight = 480;
    return PlanScreens(facts).at(1);
}

void Pump() {
    MSG msg;
    for (int i = 0; i < 10; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

// A monitor's window of a run whose ending is only counted.
struct Shown {
    settings::SaverSettings values;
    testing::CountingRandom random{5};
    int endings = 0;
    SaverSession session{random, 15, 15, nullptr, platform::Ending::Steps{.stopEvents = nullptr, .logError = nullptr, .giveBack = {}, .endProcess = [this] { ++endings; }}};
    ScreenWindow window;
    Shown(int16_t background, platform::Picture snapshot)
        : values{2, 2, settings::BackgroundMode{background}},
          window(ScreenWindow::Kind::kOther, Where(values), Background{std::move(snapshot)}, session) {
        window.Load();
        window.SetUp(values);
        window.ShowOnTop();
        Pump();
    }
    void Start() { session.Start({window.Screen()}, {}, std::nullopt); }
    // One frame as the tick draws it, and the colour of the window's top-left pixel (ships
    // are never placed closer than their diagonal to it).
    COLORREF DrawAndRead() {
        BattleScreen s = window.Screen();
        StepShips(*s.battle, random);
        ComposeFrame(*s.battle, *s.display);
        Pump();
        HDC dc = GetDC(window.Handle());
        const COLORREF c = GetPixel(dc, 0, 0);
        ReleaseDC(window.Handle(), dc);
        return c;
    }
};

TEST(ScreenWindow, AnotherMonitorsCoversItsRectangleOnTopWithoutTheFocusOrAPointer) {
    // The saver's main window stands in: it has the focus and must keep it.
    HWND main = testsupport::MakeWindow({.className = L"ScreenWindowTestMain", .title = L"main", .width = 50, .height = 50});
    SetForegroundWindow(main);
    Pump();
    ASSERT_EQ(GetForegroundWindow(), main);
    Shown shown(1, {});
    shown.Start();
    HWND h = shown.window.Handle();
    RECT r{};
    GetWindowRect(h, &r);
    EXPECT_EQ(r.left, kRect.left);
    EXPECT_EQ(r.top, kRect.top);
    EXPECT_EQ(r.right - r.left, kRect.width);
    EXPECT_EQ(r.bottom - r.top, kRect.height);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_NE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_EQ(GetForegroundWindow(), main);
    // A real click on it reaches it, ends the run and still leaves the focus where it was.
    SetCursorPos(kRect.left + 200, kRect.top + 100);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    Pump();
    EXPECT_EQ(shown.endings, 1);
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(h, GCLP_HCURSOR)),
              LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INVISIBLE)));
    DestroyWindow(main);
}

TEST(ScreenWindow, ShowsItsOwnSnapshotThePlainSeaOrBlackWithItsShips) {
    const platform::Picture snapshot = platform::Picture::Filled(kRect.width, kRect.height, 0x123456);
    struct Case {
        int16_t background;
        COLORREF sea;
    };
    // Every other unknown background is the composer's table.
    for (const Case& c : {Case{0, RGB(0x12, 0x34, 0x56)}, Case{1, RGB(0, 0, 170)}, Case{2, RGB(0, 0, 0)}}) {
        SCOPED_TRACE(c.background);
        Shown shown(c.background, snapshot);
        EXPECT_EQ(shown.DrawAndRead(), c.sea);
        // Drawn over, then shown again, the window paints its last frame once more.
        const HWND h = shown.window.Handle();
        HDC dc = GetDC(h);
        const RECT all{0, 0, kRect.width, kRect.height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        InvalidateRect(h, nullptr, FALSE);
        UpdateWindow(h);
        EXPECT_EQ(GetPixel(dc, 0, 0), c.sea);
        ReleaseDC(h, dc);
        const Battle& b = *shown.window.Screen().battle;
        EXPECT_EQ(b.scrWidth, kRect.width);
        EXPECT_EQ(b.scrHeight, kRect.height);
        EXPECT_EQ(b.shipStat[1].mode, kSailing);
    }
}

// Each message on its own window and run: whether it ends the run, once, when it comes after
// the start, and when it comes before (held until the start, never lost).
TEST(ScreenWindow, EveryKeyButtonAndCloseRequestEndsTheRunOnceAndNothingElseDoes) {
    struct Case {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        int endings;
    } cases[] = {
        {WM_KEYDOWN, 'X', 1, 1},       {WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29), 1}, {WM_LBUTTONDOWN, 0, 0, 1},
        {WM_RBUTTONDOWN, 0, 0, 1},     {WM_MBUTTONDOWN, 0, 0, 1},                {WM_XBUTTONDOWN, 0, 0, 1},
        {WM_CLOSE, 0, 0, 1},           {WM_MOUSEMOVE, 0, MAKELPARAM(6, 6), 0},   {WM_KEYUP, 'X', 1, 0},
        {WM_SYSCOMMAND, SC_SCREENSAVE, 0, 0},    {WM_SYSCOMMAND, SC_CLOSE, 0, 1},  // the platform's close
    };
    for (bool beforeStart : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << "message 0x" << std::hex << c.msg << (beforeStart ? " before" : " after"));
            Shown shown(1, {});
            if (!beforeStart) shown.Start();
            SendMessageW(shown.window.Handle(), c.msg, c.wp, c.lp);
            SendMessageW(shown.window.Handle(), c.msg, c.wp, c.lp);
            EXPECT_EQ(shown.endings, beforeStart ? 0 : c.endings);
            if (beforeStart) shown.Start();
            EXPECT_EQ(shown.endings, c.endings);
            EXPECT_TRUE(IsWindow(shown.window.Handle()));  // the run's ending, not the platform's, closes it
        }
    }
}

// The host may ask a running saver to start again, the low four bits being the platform's
// own: no such request goes on to the default, which on Windows would start a saver anew.
LRESULT WINAPI NoteCommand(HWND, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_SYSCOMMAND) testsupport::CallLog().push_back(testsupport::Hex(wp));
    return 0;
}
TEST(ScreenWindow, EveryScreenSaveRequestStaysWithUsAndOtherCommandsGoOn) {
    Shown shown(1, {});
    testsupport::CallLog().clear();
    testsupport::ImportSwap passed("user32.dll", "DefWindowProcW", reinterpret_cast<void*>(&NoteCommand));
    for (WPARAM low = 0; low < 16; ++low) SendMessageW(shown.window.Handle(), WM_SYSCOMMAND, SC_SCREENSAVE | low, 0);
    SendMessageW(shown.window.Handle(), WM_SYSCOMMAND, SC_MONITORPOWER, 2);
    EXPECT_EQ(testsupport::CallLog(), std::vector<std::string>{testsupport::Hex(SC_MONITORPOWER)});
}

// Until its display takes the screen the primary's window shows the first frame's
// background, painted as it shows, before any message is handled.
TEST(ScreenWindow, ThePrimaryShowsItsBackgroundAsItShowsAndLaterFreesThePointer) {
    StartupFacts facts;
    facts.settings = {2, 2, settings::kDesktop};
    facts.screenWidth = 64;
    facts.screenHeight = 48;
    const ScreenPlan plan = PlanScreens(facts).front();
    testing::CountingRandom random(5);
    SaverSession session(random, 15, 15, nullptr, {});
    platform::Picture picture = platform::Picture::Filled(64, 48, 0x123456);
    picture.At(63, 47) = 0x654321;  // the picture from its own corner, not shifted
    ScreenWindow window(ScreenWindow::Kind::kPrimary, plan, Background{picture}, session);
    window.Load();
    window.ShowOnTop();
    HDC dc = GetDC(window.Handle());
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(GetPixel(dc, 63, 47), RGB(0x65, 0x43, 0x21));
    ReleaseDC(window.Handle(), dc);
    window.Unload();
    // Without a picture: the plan's fill, corner to corner.
    facts.settings.background = settings::kPlainBlue;
    const ScreenPlan sea = PlanScreens(facts).front();
    ScreenWindow plain(ScreenWindow::Kind::kPrimary, sea, Background{}, session);
    plain.Load();
    plain.ShowOnTop();
    dc = GetDC(plain.Handle());
    EXPECT_EQ(GetPixel(dc, 0, 0), COLORREF(sea.fillGdiColour));
    EXPECT_EQ(GetPixel(dc, 63, 47), COLORREF(sea.fillGdiColour));
    ReleaseDC(plain.Handle(), dc);
    // Once its display holds the screen, the primary's window frees the pointer it held for
    // the other screens, back where it rested.
    plain.SetUp(facts.settings);
    const RECT corner{0, 0, 8, 8};
    ClipCursor(&corner);
    plain.FreeCursor(CursorPoint{30, 20});
    POINT now{};
    GetCursorPos(&now);
    EXPECT_EQ(std::pair(now.x, now.y), std::pair(30L, 20L));
}

}  // namespace
}  // namespace battle
