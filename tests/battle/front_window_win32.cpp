// Test tool, run under Wine by tests/e2e/test_saver_errors.sh: another program that comes to
// the front while the saver runs, as a message box or a new editor window would.
//   front_window.exe [--after MS] [--hold MS]
// Waits MS milliseconds (2000), then shows a window titled "Front Window" and makes it the
// foreground window, prints "shown" and keeps it up for the hold time (3000) before it ends.
#include <windows.h>

#include <cstdio>
#include <string>

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
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrackmerFrontWindow";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Front Window", WS_OVERLAPPEDWINDOW, 200, 150,
                                  320, 200, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    std::printf("shown\n");
    std::fflush(stdout);
    PumpFor(hold);
    DestroyWindow(window);
    return 0;
}
