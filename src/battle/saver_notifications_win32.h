// What the saver window listens to beyond its own keys and clicks: keys typed into another
// window (raw keyboard input with an input sink), the console display's power state and
// session lock/disconnect (to pause while nobody can see). The saver window registers on
// start-up and passes its messages through; a Windows-side test sends them directly.
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
    // WM_POWERBROADCAST with the console display state, WM_WTSSESSION_CHANGE: the new
    // "nobody can see" answer; nullopt for every other message.
    std::optional<bool> OnVisibilityMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    HWND window_;
    HPOWERNOTIFY powerNotify_ = nullptr;
    HMODULE wtsapi_ = nullptr;
    bool sessionRegistered_ = false;
    Visibility visibility_;
};

}  // namespace battle
