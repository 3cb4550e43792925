// Notifications into "can anybody see": a connect of either kind means somebody is attached
// to the session again.
#include "battle/visibility.h"

namespace battle {

void Visibility::On(Notice notice) {
    switch (notice.kind) {
        case Notice::kConsoleDisplay: consoleOff_ = notice.value == kDisplayOff; break;
        case Notice::kSessionDisplay: sessionOff_ = notice.value == kDisplayOff; break;
        case Notice::kMonitorPower: monitorOff_ = notice.value == kDisplayOff; break;
        case Notice::kSessionChange:
            switch (notice.value) {
                case kSessionLock: locked_ = true; break;
                case kSessionUnlock: locked_ = false; break;
                case kConsoleDisconnect:
                case kRemoteDisconnect: disconnected_ = true; break;
                case kConsoleConnect:
                case kRemoteConnect: disconnected_ = false; break;
                default: break;  // logon, logoff, remote control: nothing about who sees the screen
            }
            break;
    }
}

}  // namespace battle
