// Test tool, run under Wine by tests/e2e/test_config_dialog.sh: plays the Screen Saver
// Settings window. It shows a window, starts the .scr as "/c:<its handle>" (or --arg, with
// %u for the handle), finds the dialog and checks owner, disabled host and placement, ends
// the dialog one way and checks the host is enabled again:
//   config_host.exe SCR [--arg TEXT] [--at X,Y] [--end ok|cancel|esc|enter|close]
// Prints one "key=value" line per finding (the script judges owner and placement, which
// depend on the handle it passed) and exits 0 when every check held.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kDialogTitle[] = L"Brackmer Saver\u8a2d\u5b9a";
constexpr int kHostWidth = 420, kHostHeight = 360;
int failures = 0;

void Report(const char* key, const std::string& value, bool ok) {
    std::printf("%s=%s%s\n", key, value.c_str(), ok ? "" : " FAIL");
    std::fflush(stdout);
    if (!ok) ++failures;
}

// The host must answer the dialog's cross-process calls (EnableWindow sends WM_ENABLE), so
// it runs its messages while it waits.
template <class Done>
bool PumpUntil(DWORD ms, Done done) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// A key as the dialog's own loop would get it from the keyboard, to its focused control.
void PostKey(HWND dialog, WPARAM key) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
    HWND to = gui.hwndFocus ? gui.hwndFocus : dialog;
    PostMessageW(to, WM_KEYDOWN, key, 1);
    PostMessageW(to, WM_KEYUP, key, 0xC0000001);
}

std::string Point(long x, long y) { return std::to_string(x) + "," + std::to_string(y); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: config_host.exe SCR [--arg TEXT] [--at X,Y] [--end ok|cancel|esc|close]\n");
        return 2;
    }
    std::wstring scr = argv[1], arg = L"/c:%u", end = L"cancel";
    int x = 300, y = 200;
    for (int i = 2; i + 1 < argc; i += 2) {
        std::wstring opt = argv[i];
        if (opt == L"--arg") arg = argv[i + 1];
        else if (opt == L"--at") std::swscanf(argv[i + 1], L"%d,%d", &x, &y);
        else if (opt == L"--end") end = argv[i + 1];
    }

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrackmerSettingsHost";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    HWND host = CreateWindowW(wc.lpszClassName, L"Brackmer Settings Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                              kHostWidth, kHostHeight, nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(host);

    std::wstring handle = std::to_wstring(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(host)));
    if (size_t at = arg.find(L"%u"); at != std::wstring::npos) arg.replace(at, 2, handle);
    std::wstring cmd = L"\"" + scr + L"\" " + arg;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        Report("started", std::to_string(GetLastError()), false);
        return 1;
    }
    CloseHandle(pi.hThread);

    HWND dialog = nullptr;
    PumpUntil(30000, [&] {
        dialog = FindWindowW(nullptr, kDialogTitle);
        return (dialog && IsWindowVisible(dialog)) || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
    });
    Report("dialog_found", dialog ? "1" : "0", dialog != nullptr);
    if (dialog) {
        PumpUntil(300, [] { return false; });
        bool ownedByHost = GetWindow(dialog, GW_OWNER) == host;
        Report("owner_is_host", ownedByHost ? "1" : "0", true);
        bool disabled = !IsWindowEnabled(host);
        Report("host_disabled", disabled ? "1" : "0", true);
        // An owned window without WS_EX_APPWINDOW gets no taskbar button of its own.
        bool appWindow = (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
        Report("app_window", appWindow ? "1" : "0", !appWindow);

        RECT d, h;
        GetWindowRect(dialog, &d);
        GetWindowRect(host, &h);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        GetMonitorInfoW(MonitorFromWindow(host, MONITOR_DEFAULTTONEAREST), &mi);
        bool inside = d.left >= mi.rcWork.left && d.top >= mi.rcWork.top && d.right <= mi.rcWork.right &&
                      d.bottom <= mi.rcWork.bottom;
        Report("dialog_rect", Point(d.left, d.top) + "," + Point(d.right - d.left, d.bottom - d.top), inside);
        Report("host_centre_offset", Point((h.left + h.right) - (d.left + d.right), (h.top + h.bottom) - (d.top + d.bottom)),
               true);
        Report("screen_centre_offset",
               Point(GetSystemMetrics(SM_CXSCREEN) - (d.left + d.right), GetSystemMetrics(SM_CYSCREEN) - (d.top + d.bottom)),
               true);

        if (end == L"ok") PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        else if (end == L"cancel") PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        else if (end == L"esc") PostKey(dialog, VK_ESCAPE);
        else if (end == L"enter") PostKey(dialog, VK_RETURN);
        else if (end == L"close") PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    bool ended = PumpUntil(10000, [&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; });
    Report("dialog_ended", ended ? "1" : "0", ended);
    if (!ended) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    PumpUntil(300, [] { return false; });
    Report("host_enabled", IsWindowEnabled(host) ? "1" : "0", IsWindowEnabled(host) != FALSE);
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
