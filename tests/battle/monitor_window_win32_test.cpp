// A monitor's battle window under Wine: it covers exactly its rectangle, stays out of the
// way of the keyboard focus, hides the pointer, shows the chosen background with its
// ships after a tick, and hands any key or button to the saver.
#include <gtest/gtest.h>

#include <windows.h>

#include "assets/resource_ids.h"
#include "battle/frame_composer.h"
#include "assets/sprite_resources_win32.h"
#include "battle/monitor_window_win32.h"
#include "battle_test_support.h"
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

struct Shown {
    settings::SaverSettings values;
    MonitorWindow window;
    std::vector<UserInput> userInput;
    Shown(int16_t background, platform::Picture snapshot)
        : values{2, 2, settings::BackgroundMode{background}},
          window(Where(values), values, Background{std::move(snapshot)}, assets::LoadSprites(1), [this](UserInput i) { userInput.push_back(i); }) {
        window.Load();
        window.ShowOnTop();
        Pump();
    }
    // One frame as the tick draws it, and the colour of the window's top-left pixel (ships
    // are never placed closer than their diagonal to it).
    COLORREF DrawAndRead() {
        testing::CountingRandom random(5);
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

TEST(MonitorWindow, CoversItsRectangleOnTopWithoutTheFocusOrAPointer) {
    // The saver's main window stands in: it has the focus and must keep it.
    HWND main = testsupport::MakeWindow({.className = L"MonitorWindowTestMain", .title = L"main", .width = 50, .height = 50});
    SetForegroundWindow(main);
    Pump();
    ASSERT_EQ(GetForegroundWindow(), main);
    Shown shown(1, {});
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
    // A real click on it reaches it and still leaves the focus where it was.
    SetCursorPos(kRect.left + 200, kRect.top + 100);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    Pump();
    EXPECT_EQ(shown.userInput, std::vector<UserInput>{UserInput::kMouseButton});
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(h, GCLP_HCURSOR)),
              LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INVISIBLE)));
    DestroyWindow(main);
}

TEST(MonitorWindow, ShowsItsOwnSnapshotThePlainSeaOrBlackWithItsShips) {
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
        const Battle& b = *shown.window.Screen().battle;
        EXPECT_EQ(b.scrWidth, kRect.width);
        EXPECT_EQ(b.scrHeight, kRect.height);
        EXPECT_EQ(b.shipStat[1].mode, kSailing);
    }
}

TEST(MonitorWindow, AnyKeyOrButtonOnItIsHandedToTheSaver) {
    Shown shown(1, {});
    HWND h = shown.window.Handle();
    SendMessageW(h, WM_KEYDOWN, 'X', 0);
    SendMessageW(h, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    SendMessageW(h, WM_LBUTTONDOWN, 0, MAKELPARAM(kRect.width - 1, kRect.height - 1));
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));  // moving is the cursor rule's business
    EXPECT_EQ(shown.userInput, (std::vector<UserInput>{UserInput::kKey, UserInput::kMouseButton, UserInput::kMouseButton}));
}

}  // namespace
}  // namespace battle
