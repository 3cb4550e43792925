// Session events: a connect of either kind means somebody is attached to the session again.
#include "battle/visibility.h"

namespace battle {

void Visibility::OnSessionEvent(uint32_t event) {
    switch (event) {
        case kSessionLock: locked_ = true; break;
        case kSessionUnlock: locked_ = false; break;
        case kConsoleDisconnect:
        case kRemoteDisconnect: disconnected_ = true; break;
        case kConsoleConnect:
        case kRemoteConnect: disconnected_ = false; break;
        default: break;  // logon, logoff, remote control: nothing about who sees the screen
    }
}

}  // namespace battle
