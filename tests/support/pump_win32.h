// The form toolkit's message loop run for a while, for the Windows-side tests whose forms
// need their timers and posted messages handled, as the program's own loop would.
#pragma once

#include <windows.h>

#include "platform/form_win32.h"

namespace testsupport {

inline void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        platform::ProcessPendingMessages();
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

}  // namespace testsupport
