// The saver's notifications as its window receives them: display power and session
// messages pausing and resuming the tick (nothing composed while paused), other power
// messages left alone, and keys heard through the input sink while another window has the
// keyboard focus.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "battle/saver_notifications_win32.h"
#include "battle/saver_tick.h"
#include "battle_test_support.h"
#include "graphics/soft_display.h"
#include "support/test_window_win32.h"

namespace battle {
namespace {

constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kAcDcPowerSource = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
constexpr UINT kSessionChange = 0x02B1;

// The saver window's wiring, on a window of the test's own: visibility messages pause the
// tick, a key press anywhere is counted.
struct Wiring {
    std::optional<SaverNotifications> notifications;
    SaverTick* tick = nullptr;
    int keyPresses = 0;
};

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* w = reinterpret_cast<Wiring*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (w && w->notifications) {
        if (SaverNotifications::IsKeyPress(msg, lp)) ++w->keyPresses;
        if (auto nobodyCanSee = w->notifications->OnVisibilityMessage(msg, wp, lp)) {
            w->tick->SetPaused(*nobodyCanSee);
            return TRUE;
        }
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeWindow(const wchar_t* title, int x, Wiring* wiring) {
    HWND h = testsupport::MakeWindow({.className = L"NotificationsTestWindow", .title = title, .x = x, .proc = Proc});
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wiring));
    return h;
}

void Pump() {
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

LRESULT SendDisplayState(HWND hwnd, const GUID& setting, DWORD state, DWORD length = sizeof(DWORD)) {
    alignas(POWERBROADCAST_SETTING) unsigned char buffer[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)]{};
    auto* s = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer);
    s->PowerSetting = setting;
    s->DataLength = length;
    std::memcpy(s->Data, &state, sizeof state);
    return SendMessageW(hwnd, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(s));
}

class SaverNotificationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = MakeWindow(L"Saver notifications test", 0, &wiring);
        wiring.notifications.emplace(window);
        wiring.tick = &tick;
        for (int n = 1; n <= graphics::kExplosionSurface; ++n)
            display.SetSurface(n, 117, 44, std::vector<graphics::PixelValue>(117 * 44, 0xFFFFFF));
    }
    void TearDown() override {
        wiring.notifications.reset();
        DestroyWindow(window);
    }
    // Runs one tick and tells whether it composed a frame.
    bool TickDraws() {
        const int before = display.FlipCount();
        EXPECT_EQ(tick.Run(), TickOutcome::kRan);
        return display.FlipCount() == before + 1;
    }

    struct StillCursor final : CursorSource {
        CursorPoint Position() override { return {}; }
    } cursor;
    testing::CountingRandom random{3};
    Battle battle = testing::MakeBattle(2, 2, 640, 480);
    graphics::SoftDisplay display{640, 480};
    SaverTick tick{{{&battle, &display}}, cursor, random, 15, 15, nullptr};
    Wiring wiring;
    HWND window = nullptr;
};

TEST_F(SaverNotificationsTest, DisplayOffPausesTheTickAndDimmedOrOnResumesIt) {
    ASSERT_TRUE(TickDraws());
    EXPECT_EQ(SendDisplayState(window, kConsoleDisplayState, 0), TRUE);
    EXPECT_FALSE(TickDraws());
    EXPECT_FALSE(TickDraws());
    SendDisplayState(window, kConsoleDisplayState, 2);
    EXPECT_TRUE(TickDraws());
    SendDisplayState(window, kConsoleDisplayState, 0);
    EXPECT_FALSE(TickDraws());
    SendDisplayState(window, kConsoleDisplayState, 1);
    EXPECT_TRUE(TickDraws());
}

TEST_F(SaverNotificationsTest, OtherPowerMessagesAndSettingsChangeNothing) {
    SendDisplayState(window, kConsoleDisplayState, 0);
    // Another setting with a 0 in it, a display state without its value, another event.
    EXPECT_NE(SendDisplayState(window, kAcDcPowerSource, 1), TRUE);
    EXPECT_NE(SendDisplayState(window, kConsoleDisplayState, 1, 0), TRUE);
    EXPECT_NE(SendMessageW(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0), TRUE);
    EXPECT_TRUE(tick.IsPaused());
    SendDisplayState(window, kConsoleDisplayState, 1);
    EXPECT_FALSE(tick.IsPaused());
    EXPECT_NE(SendDisplayState(window, kAcDcPowerSource, 0), TRUE);
    EXPECT_FALSE(tick.IsPaused());
}

TEST_F(SaverNotificationsTest, ALockedOrDisconnectedSessionPausesUntilUnlockedAndConnected) {
    SendMessageW(window, kSessionChange, 7 /*lock*/, 0);
    EXPECT_FALSE(TickDraws());
    SendMessageW(window, kSessionChange, 2 /*console disconnect*/, 0);
    SendMessageW(window, kSessionChange, 8 /*unlock*/, 0);
    EXPECT_FALSE(TickDraws());
    SendMessageW(window, kSessionChange, 3 /*remote connect*/, 0);
    EXPECT_TRUE(TickDraws());
    // The display and the session each keep the tick paused on their own.
    SendDisplayState(window, kConsoleDisplayState, 0);
    SendMessageW(window, kSessionChange, 7, 0);
    SendDisplayState(window, kConsoleDisplayState, 1);
    EXPECT_FALSE(TickDraws());
    SendMessageW(window, kSessionChange, 8, 0);
    EXPECT_TRUE(TickDraws());
}

TEST_F(SaverNotificationsTest, KeysTypedIntoAnotherWindowAreHeardOnceEachOnTheWayDown) {
    Wiring other;
    HWND focused = MakeWindow(L"Other program", 200, &other);
    SetForegroundWindow(focused);
    SetFocus(focused);
    Pump();
    ASSERT_EQ(GetForegroundWindow(), focused);

    INPUT keys[4]{};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F13;
    keys[2].ki.wVk = keys[3].ki.wVk = VK_F14;
    keys[1].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
    Pump();
    EXPECT_EQ(wiring.keyPresses, 2);
    EXPECT_EQ(other.keyPresses, 0);  // not registered: its own WM_KEYDOWN is another matter
    DestroyWindow(focused);

    EXPECT_FALSE(SaverNotifications::IsKeyPress(WM_KEYDOWN, 0));
    EXPECT_FALSE(SaverNotifications::IsKeyPress(WM_INPUT, 0));  // no such input: not a key
}

}  // namespace
}  // namespace battle
