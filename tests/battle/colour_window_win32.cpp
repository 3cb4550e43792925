// A plain window of one colour, for the end-to-end tests: it stands for the user's own
// program on a monitor (holding the keyboard focus) when the saver starts.
//   usage: colour_window TITLE X Y WIDTH HEIGHT RRGGBB
#include <windows.h>

#include <cwchar>
#include <cstdlib>

#include "support/test_window_win32.h"

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 7) return 2;
    const int x = _wtoi(argv[2]), y = _wtoi(argv[3]), w = _wtoi(argv[4]), h = _wtoi(argv[5]);
    const unsigned long rgb = std::wcstoul(argv[6], nullptr, 16);
    HWND hwnd = testsupport::MakeWindow(
        {.className = L"BrackmerTestColour", .title = argv[1], .x = x, .y = y, .width = w, .height = h, .proc = Proc,
         .background = CreateSolidBrush(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF)),
         .cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512))});
    SetForegroundWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
