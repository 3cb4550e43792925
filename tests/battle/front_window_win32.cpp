// Test tool, run under Wine by tests/e2e/cases.sh: another program that comes to
// the front while the saver runs, as a message box or a new editor window would.
//   front_window.exe [--after MS] [--hold MS]
// Waits MS milliseconds (2000), then shows a window titled "Front Window" and makes it the
// foreground window, prints "shown" and keeps it up for the hold time (3000) before it ends.
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/test_window_win32.h"

namespace {

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    DWORD after = 2000, hold = 3000;
    for (int i = 1; i + 1 < argc; ++i) {
        std::wstring opt = argv[i];
        if (opt == L"--after") after = static_cast<DWORD>(_wtoi(argv[++i]));
        else if (opt == L"--hold") hold = static_cast<DWORD>(_wtoi(argv[++i]));
    }
    Sleep(after);
    HWND window = testsupport::MakeWindow({.className = L"BrackmerFrontWindow", .title = L"Front Window",
                                           .style = WS_OVERLAPPEDWINDOW, .exStyle = WS_EX_TOPMOST, .x = 200, .y = 150,
                                           .width = 320, .height = 200,
                                           .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))});
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    std::printf("shown\n");
    std::fflush(stdout);
    PumpFor(hold);
    DestroyWindow(window);
    return 0;
}
