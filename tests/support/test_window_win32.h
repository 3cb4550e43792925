// A plain window for the Windows-side tests and their tools (a preview host, an owner, a
// window in front of the saver, one of a known colour): its class is registered on first use
// and the window made in one call.
#pragma once

#include <windows.h>

namespace testsupport {

struct WindowSpec {
    const wchar_t* className = L"BrackmerTestWindow";  // one class per procedure and brush
    const wchar_t* title = L"";
    DWORD style = WS_POPUP | WS_VISIBLE;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 100, height = 100;
    HWND owner = nullptr;
    WNDPROC proc = DefWindowProcW;
    HBRUSH background = nullptr;
    HCURSOR cursor = nullptr;  // none: the pointer keeps whatever shape it has
};

inline HWND MakeWindow(const WindowSpec& s) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (!GetClassInfoW(instance, s.className, &wc)) {
        wc.lpfnWndProc = s.proc;
        wc.hInstance = instance;
        wc.lpszClassName = s.className;
        wc.hCursor = s.cursor;
        wc.hbrBackground = s.background;
        RegisterClassW(&wc);
    }
    return CreateWindowExW(s.exStyle, s.className, s.title, s.style, s.x, s.y, s.width, s.height, s.owner, nullptr,
                           instance, nullptr);
}

}  // namespace testsupport
