// Whether anybody can see the saver: the displays may be switched off, the session locked
// or disconnected. The saver window feeds it the platform's notifications and pauses its
// tick while it says nobody can see; the values are the platform's own, so the window
// passes them through unchanged.
#pragma once

#include <cstdint>

namespace battle {

// Console display state of a power-setting notification.
enum DisplayState : uint32_t { kDisplayOff = 0, kDisplayOn = 1, kDisplayDimmed = 2 };

// Session change events (the platform's WTS_* codes).
enum SessionEvent : uint32_t {
    kConsoleConnect = 1,
    kConsoleDisconnect = 2,
    kRemoteConnect = 3,
    kRemoteDisconnect = 4,
    kSessionLogon = 5,
    kSessionLogoff = 6,
    kSessionLock = 7,
    kSessionUnlock = 8,
    kRemoteControl = 9,
};

class Visibility {
public:
    // A dimmed display is still seen; any value but off counts as on.
    void OnDisplayState(uint32_t state) { displayOff_ = state == kDisplayOff; }
    // Lock and disconnection are tracked apart: a locked session that is disconnected and
    // reconnected stays locked until it is unlocked.
    void OnSessionEvent(uint32_t event);
    bool NobodyCanSee() const { return displayOff_ || locked_ || disconnected_; }

private:
    bool displayOff_ = false;
    bool locked_ = false;
    bool disconnected_ = false;
};

}  // namespace battle
