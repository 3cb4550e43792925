// Registration and decoding of the saver's notifications. The session functions live in
// wtsapi32.dll, which is looked up at run time so the program keeps importing only the
// DLLs every Windows installation loads anyway.
#include "battle/saver_notifications_win32.h"

#include <cstring>

namespace battle {
namespace {

// GUID_CONSOLE_DISPLAY_STATE, GUID_SESSION_DISPLAY_STATUS and GUID_MONITOR_POWER_ON, spelled
// out so no GUID library is needed.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kSessionDisplayStatus = {0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
constexpr UINT kWtsSessionChange = 0x02B1;       // WM_WTSSESSION_CHANGE
constexpr DWORD kNotifyForThisSession = 0;       // NOTIFY_FOR_THIS_SESSION

using RegisterSessionFn = BOOL(WINAPI*)(HWND, DWORD);
using UnregisterSessionFn = BOOL(WINAPI*)(HWND);

template <class Fn>
Fn Function(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

SaverNotifications::SaverNotifications(HWND window) : window_(window) {
    // Keys that go to whichever window kept the focus still reach the saver. Raw input was
    // chosen over polling the key state in the tick: it is delivered as the key goes down,
    // so a tap shorter than a tick is not missed, and Wine 8 delivers it to input sinks
    // (measured: a window without the focus receives WM_INPUT for keys typed into another
    // program's window, while its own WM_KEYDOWN never comes).
    RAWINPUTDEVICE keyboard{0x01 /*generic desktop*/, 0x06 /*keyboard*/, RIDEV_INPUTSINK, window};
    RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);

    consoleDisplay_ = RegisterPowerSettingNotification(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    sessionDisplay_ = RegisterPowerSettingNotification(window, &kSessionDisplayStatus, DEVICE_NOTIFY_WINDOW_HANDLE);
    // Windows 7 knows neither display state above; its monitor power setting says the same.
    monitorPower_ = RegisterPowerSettingNotification(window, &kMonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
    wtsapi_ = LoadLibraryW(L"wtsapi32.dll");
    if (auto reg = Function<RegisterSessionFn>(wtsapi_, "WTSRegisterSessionNotification"))
        sessionRegistered_ = reg(window, kNotifyForThisSession) != FALSE;
}

SaverNotifications::~SaverNotifications() {
    if (sessionRegistered_) {
        if (auto unreg = Function<UnregisterSessionFn>(wtsapi_, "WTSUnRegisterSessionNotification")) unreg(window_);
    }
    if (wtsapi_) FreeLibrary(wtsapi_);
    if (monitorPower_) UnregisterPowerSettingNotification(monitorPower_);
    if (sessionDisplay_) UnregisterPowerSettingNotification(sessionDisplay_);
    if (consoleDisplay_) UnregisterPowerSettingNotification(consoleDisplay_);
    RAWINPUTDEVICE keyboard{0x01, 0x06, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);
}

bool SaverNotifications::IsKeyPress(UINT msg, LPARAM lp) {
    if (msg != WM_INPUT) return false;
    RAWINPUT input{};
    UINT size = sizeof input;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(lp), RID_INPUT, &input, &size, sizeof(RAWINPUTHEADER)) ==
        UINT(-1))
        return false;
    return input.header.dwType == RIM_TYPEKEYBOARD && (input.data.keyboard.Flags & RI_KEY_BREAK) == 0;
}

std::optional<Notice> SaverNotifications::Decode(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_POWERBROADCAST && wp == PBT_POWERSETTINGCHANGE && lp) {
        const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lp);
        if (setting->DataLength < sizeof(DWORD)) return std::nullopt;
        DWORD state;
        std::memcpy(&state, setting->Data, sizeof state);
        if (std::memcmp(&setting->PowerSetting, &kConsoleDisplayState, sizeof(GUID)) == 0)
            return Notice{Notice::kConsoleDisplay, state};
        if (std::memcmp(&setting->PowerSetting, &kSessionDisplayStatus, sizeof(GUID)) == 0)
            return Notice{Notice::kSessionDisplay, state};
        if (std::memcmp(&setting->PowerSetting, &kMonitorPowerOn, sizeof(GUID)) == 0)
            return Notice{Notice::kMonitorPower, state};
        return std::nullopt;
    }
    if (msg == kWtsSessionChange) return Notice{Notice::kSessionChange, static_cast<uint32_t>(wp)};
    return std::nullopt;
}

}  // namespace battle
