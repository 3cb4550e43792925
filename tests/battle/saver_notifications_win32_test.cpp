// The saver's notifications as the platform delivers them: power broadcasts and session
// changes decoded into notices (other settings and events left alone), and the keyboard
// registration that hears keys on their way down while another window has the focus.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "battle/saver_notifications_win32.h"
#include "support/test_window_win32.h"

namespace battle {
namespace {

constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kSessionDisplayStatus = {0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
constexpr GUID kAcDcPowerSource = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
constexpr UINT kSessionChange = 0x02B1;

std::optional<Notice> DecodeSetting(const GUID& setting, DWORD state, DWORD length = sizeof(DWORD),
                                    WPARAM event = PBT_POWERSETTINGCHANGE) {
    alignas(POWERBROADCAST_SETTING) unsigned char buffer[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)]{};
    auto* s = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer);
    s->PowerSetting = setting;
    s->DataLength = length;
    std::memcpy(s->Data, &state, sizeof state);
    return SaverNotifications::Decode(WM_POWERBROADCAST, event, reinterpret_cast<LPARAM>(s));
}

bool Is(std::optional<Notice> n, Notice::Kind kind, uint32_t value) { return n && n->kind == kind && n->value == value; }

TEST(SaverNotifications, DisplayStatesAndSessionChangesAreDecodedAndNothingElse) {
    EXPECT_TRUE(Is(DecodeSetting(kConsoleDisplayState, 0), Notice::kConsoleDisplay, 0));
    EXPECT_TRUE(Is(DecodeSetting(kConsoleDisplayState, 2), Notice::kConsoleDisplay, 2));
    EXPECT_TRUE(Is(DecodeSetting(kSessionDisplayStatus, 0), Notice::kSessionDisplay, 0));
    EXPECT_TRUE(Is(DecodeSetting(kSessionDisplayStatus, 1), Notice::kSessionDisplay, 1));
    EXPECT_TRUE(Is(DecodeSetting(kMonitorPowerOn, 0), Notice::kMonitorPower, 0));
    EXPECT_TRUE(Is(SaverNotifications::Decode(kSessionChange, 7, 0), Notice::kSessionChange, 7));
    // Another setting with a 0 in it, a state without its value, another power event.
    EXPECT_FALSE(DecodeSetting(kAcDcPowerSource, 0));
    EXPECT_FALSE(DecodeSetting(kConsoleDisplayState, 0, sizeof(DWORD) - 1));
    EXPECT_FALSE(DecodeSetting(kConsoleDisplayState, 0, sizeof(DWORD), PBT_APMRESUMEAUTOMATIC));
    EXPECT_FALSE(SaverNotifications::Decode(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, 0));
    EXPECT_FALSE(SaverNotifications::Decode(WM_KEYDOWN, 7, 0));
}

int keyPresses = 0;
LRESULT CALLBACK CountKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (SaverNotifications::IsKeyPress(msg, lp)) ++keyPresses;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeWindow(const wchar_t* title, int x) {
    return testsupport::MakeWindow({.className = L"NotificationsTestWindow", .title = title, .x = x, .proc = CountKeys});
}

void Pump() {
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

void SendKey(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
    Pump();
}

// Wine hears keys through the sink whichever way the saver registers, so the registration
// itself is checked: an input sink for the keyboard, aimed at the saver's window.
TEST(SaverNotifications, KeysTypedIntoAnotherWindowAreHeardOnTheirWayDown) {
    HWND saver = MakeWindow(L"Saver notifications test", 0);
    std::optional<SaverNotifications> notifications(std::in_place, saver);
    RAWINPUTDEVICE registered[4]{};
    UINT count = 4;
    ASSERT_EQ(GetRegisteredRawInputDevices(registered, &count, sizeof(RAWINPUTDEVICE)), 1u);
    EXPECT_EQ(registered[0].usUsagePage, 0x01);
    EXPECT_EQ(registered[0].usUsage, 0x06);
    EXPECT_EQ(registered[0].dwFlags, DWORD(RIDEV_INPUTSINK));
    EXPECT_EQ(registered[0].hwndTarget, saver);

    HWND focused = MakeWindow(L"Other program", 200);
    SetForegroundWindow(focused);
    SetFocus(focused);
    Pump();
    ASSERT_EQ(GetForegroundWindow(), focused);
    keyPresses = 0;
    SendKey(VK_F13, 0);
    EXPECT_EQ(keyPresses, 1);  // heard as it goes down
    SendKey(VK_F13, KEYEVENTF_KEYUP);
    EXPECT_EQ(keyPresses, 1);  // and not again on its way up
    DestroyWindow(focused);

    notifications.reset();  // the registration is given back with the saver's window
    count = 4;
    EXPECT_EQ(GetRegisteredRawInputDevices(registered, &count, sizeof(RAWINPUTDEVICE)), 0u);
    DestroyWindow(saver);
    EXPECT_FALSE(SaverNotifications::IsKeyPress(WM_INPUT, 0));  // no such input: not a key
}

}  // namespace
}  // namespace battle
