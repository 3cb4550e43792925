// Whether anybody can see the saver: the displays may be switched off, the session locked
// or disconnected. The saver session feeds it the platform's notifications and pauses its
// tick while it says nobody can see; the values are the platform's own, so the windows
// pass them through unchanged.
#pragma once

#include <cstdint>
#include <optional>

namespace battle {

// Display state of a power-setting notification (the console's, or the session's own).
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

// One notification as the platform delivered it.
struct Notice {
    enum Kind : uint8_t {
        kConsoleDisplay,  // the console monitor's DisplayState
        kSessionDisplay,  // the DisplayState of this program's own session's display
        kSessionChange,   // a SessionEvent
        kMonitorPower,    // the monitor power setting, off (0) or on: the console's display
                          // state where that is not delivered (Windows 7)
    };
    Kind kind;
    uint32_t value;
};

class Visibility {
public:
    void On(Notice notice);
    bool NobodyCanSee() const {
        return sessionOff_.value_or(consoleOff_.value_or(monitorOff_)) || locked_ || disconnected_;
    }

private:
    // A dimmed display is still seen; any value but off counts as on. A Remote Desktop
    // session hears its own display's status and not the console's, and the console's
    // monitor says nothing about a remote viewer: once heard, the session's alone decides.
    // Windows 8 and later send the console's state and the older monitor power setting
    // alike; once the console's is heard, it alone decides.
    std::optional<bool> consoleOff_;
    bool monitorOff_ = false;
    std::optional<bool> sessionOff_;
    // Lock and disconnection are tracked apart: a locked session that is disconnected and
    // reconnected stays locked until it is unlocked.
    bool locked_ = false;
    bool disconnected_ = false;
};

}  // namespace battle
