// What the saver hears beyond its own keys and clicks: keys typed into another window (raw
// keyboard input with an input sink), the display's power state (the console's, and the
// session's own for a remote session) and session lock/disconnect. The saver's run
// registers the primary's window before it shows, and the window hands the decoded messages
// to the session; a Windows-side test
// sends them directly.
#pragma once

#include <windows.h>

#include <optional>

#include "battle/visibility.h"

namespace battle {

class SaverNotifications {
public:
    // Registers `window` for the notifications; whatever the platform refuses is left out
    // (the saver then simply keeps drawing, or relies on its own key messages).
    explicit SaverNotifications(HWND window);
    ~SaverNotifications();
    SaverNotifications(const SaverNotifications&) = delete;
    SaverNotifications& operator=(const SaverNotifications&) = delete;

    // WM_INPUT: true for a key going down anywhere, whichever window has the focus.
    static bool IsKeyPress(UINT msg, LPARAM lp);
    // WM_POWERBROADCAST with a display state, WM_WTSSESSION_CHANGE: the notification; nullopt
    // for every other message.
    static std::optional<Notice> Decode(UINT msg, WPARAM wp, LPARAM lp);

private:
    HWND window_;
    HPOWERNOTIFY consoleDisplay_ = nullptr;
    HPOWERNOTIFY sessionDisplay_ = nullptr;
    HPOWERNOTIFY monitorPower_ = nullptr;
    HMODULE wtsapi_ = nullptr;
    bool sessionRegistered_ = false;
};

}  // namespace battle
