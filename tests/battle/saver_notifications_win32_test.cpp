// The saver's notifications as the platform delivers them: power broadcasts and session
// changes decoded into notices (other settings and events left alone), the keyboard
// registration that hears keys on their way down while another window has the focus, and
// what the saver registers and gives back, each once, whatever the platform refuses.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "battle/saver_notifications_win32.h"
#include "support/import_swap_win32.h"
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

// What the platform answers in a case of the registration table, and the stand-ins that
// play it and note each call: "W" is the saver's window, a power setting is named by its
// notice, and a handle given back is named by the setting it was taken for.
struct Answers {
    bool console = true, session = true, monitor = true;  // power settings granted
    bool library = true, functions = true, sessionNotices = true;
};
Answers answers;
HWND saverWindow = nullptr;
using testsupport::CallLog;

std::string Who(HWND window) { return window == saverWindow ? "W" : testsupport::Hex(uintptr_t(window)); }
const char* SettingName(const GUID* g) {
    if (IsEqualGUID(*g, kConsoleDisplayState)) return "console";
    if (IsEqualGUID(*g, kSessionDisplayStatus)) return "session";
    if (IsEqualGUID(*g, kMonitorPowerOn)) return "monitor";
    return "other";
}
HPOWERNOTIFY WINAPI RegisterPower(HANDLE recipient, LPCGUID setting, DWORD flags) {
    std::string name = SettingName(setting);
    CallLog().push_back("power " + name + " " + Who(HWND(recipient)) + " " + std::to_string(flags));
    bool granted = name == "console" ? answers.console : name == "session" ? answers.session : answers.monitor;
    return granted ? reinterpret_cast<HPOWERNOTIFY>(new std::string(name)) : nullptr;
}
BOOL WINAPI UnregisterPower(HPOWERNOTIFY handle) {
    auto* name = reinterpret_cast<std::string*>(handle);
    CallLog().push_back("unpower " + (name ? *name : std::string("null")));
    delete name;
    return TRUE;
}
BOOL WINAPI RegisterSession(HWND window, DWORD flags) {
    CallLog().push_back("session " + Who(window) + " " + std::to_string(flags));
    return answers.sessionNotices;
}
BOOL WINAPI UnregisterSession(HWND window) {
    CallLog().push_back("unsession " + Who(window));
    return TRUE;
}
testsupport::ImportSwap *loadSwap, *freeSwap, *procSwap, *rawSwap;
HMODULE WINAPI Load(LPCWSTR name) {
    CallLog().push_back(std::string("load ") + (std::wstring(name) == L"wtsapi32.dll" ? "wtsapi32" : "other"));
    return answers.library ? loadSwap->Original<decltype(&LoadLibraryW)>()(name) : nullptr;
}
BOOL WINAPI Free(HMODULE module) {
    CallLog().push_back("free");
    return freeSwap->Original<decltype(&FreeLibrary)>()(module);
}
FARPROC WINAPI Proc(HMODULE module, LPCSTR name) {
    const bool session = HIWORD(uintptr_t(name)) && std::strncmp(name, "WTS", 3) == 0;
    if (!session) return procSwap->Original<decltype(&GetProcAddress)>()(module, name);
    if (!answers.functions) return nullptr;
    void* standIn = std::strcmp(name, "WTSRegisterSessionNotification") == 0 ? reinterpret_cast<void*>(&RegisterSession)
                                                                              : reinterpret_cast<void*>(&UnregisterSession);
    return reinterpret_cast<FARPROC>(standIn);
}
BOOL WINAPI RawInput(PCRAWINPUTDEVICE devices, UINT count, UINT size) {
    CallLog().push_back("keyboard " + testsupport::Hex(devices->dwFlags) + " " + Who(devices->hwndTarget));
    return rawSwap->Original<decltype(&RegisterRawInputDevices)>()(devices, count, size);
}

struct RegistrationCase {
    const char* name;
    Answers answers;
    std::vector<std::string> calls;  // after the constructor's, "|", then the destructor's
};

class Registrations : public ::testing::TestWithParam<RegistrationCase> {};

// Each notice is registered once for the saver's window, and exactly what was granted is
// given back, once, in reverse order; a refusal anywhere leaves the rest as it was.
TEST_P(Registrations, EachGrantedNoticeOnceForTheWindowAndGivenBackOnce) {
    answers = GetParam().answers;
    saverWindow = MakeWindow(L"Registrations test", 0);
    testsupport::ImportSwap swaps[] = {
        {"user32.dll", "RegisterPowerSettingNotification", reinterpret_cast<void*>(&RegisterPower)},
        {"user32.dll", "UnregisterPowerSettingNotification", reinterpret_cast<void*>(&UnregisterPower)},
        {"kernel32.dll", "LoadLibraryW", reinterpret_cast<void*>(&Load)},
        {"kernel32.dll", "FreeLibrary", reinterpret_cast<void*>(&Free)},
        {"kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&Proc)},
        {"user32.dll", "RegisterRawInputDevices", reinterpret_cast<void*>(&RawInput)}};
    for (const auto& swap : swaps) ASSERT_TRUE(swap.Found());
    loadSwap = &swaps[2], freeSwap = &swaps[3], procSwap = &swaps[4], rawSwap = &swaps[5];
    CallLog().clear();
    {
        SaverNotifications notifications(saverWindow);
        CallLog().push_back("|");
    }
    EXPECT_EQ(CallLog(), GetParam().calls);
    DestroyWindow(saverWindow);
}

// What the constructor asks for whatever the answers (and the session notices where the
// library has the function), "|", then what the destructor gives back.
std::vector<std::string> Calls(bool asksSession, std::vector<std::string> givenBack) {
    std::vector<std::string> calls = {"keyboard 0x100 W", "power console W 0", "power session W 0",
                                      "power monitor W 0", "load wtsapi32"};
    if (asksSession) calls.push_back("session W 0");
    calls.push_back("|");
    calls.insert(calls.end(), givenBack.begin(), givenBack.end());
    calls.push_back("keyboard 0x1 0x0");
    return calls;
}
Answers With(bool Answers::*refused) {
    Answers a;
    a.*refused = false;
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, Registrations,
    ::testing::Values(
        RegistrationCase{"AllGranted", {},
                         Calls(true, {"unsession W", "free", "unpower monitor", "unpower session", "unpower console"})},
        RegistrationCase{"ConsoleStateRefused", With(&Answers::console),
                         Calls(true, {"unsession W", "free", "unpower monitor", "unpower session"})},
        RegistrationCase{"SessionStateRefused", With(&Answers::session),
                         Calls(true, {"unsession W", "free", "unpower monitor", "unpower console"})},
        RegistrationCase{"MonitorPowerRefused", With(&Answers::monitor),
                         Calls(true, {"unsession W", "free", "unpower session", "unpower console"})},
        RegistrationCase{"SessionNoticesRefused", With(&Answers::sessionNotices),
                         Calls(true, {"free", "unpower monitor", "unpower session", "unpower console"})},
        RegistrationCase{"NoSessionLibrary", With(&Answers::library),
                         Calls(false, {"unpower monitor", "unpower session", "unpower console"})},
        RegistrationCase{"LibraryWithoutTheFunctions", With(&Answers::functions),
                         Calls(false, {"free", "unpower monitor", "unpower session", "unpower console"})}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace battle
