// Test tool, run under Wine by tests/e2e/cases.sh: a close request that reaches
// the saver while it is still setting up, as a host or a shutdown would send it.
//   close_window.exe TITLE
// Watches for a window titled TITLE (hidden ones too: the saver's exists before it shows),
// posts WM_CLOSE to it the moment it appears, prints "posted", ends; "none" after 30 s.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    for (int i = 0; i < 30000; ++i) {
        if (HWND h = FindWindowW(nullptr, argv[1])) {
            PostMessageW(h, WM_CLOSE, 0, 0);
            std::puts("posted");
            return 0;
        }
        Sleep(1);
    }
    std::puts("none");
    return 1;
}
