// Test tool, run under Wine by the end-to-end table (tests/e2e/cases.sh): plays
// the screen-saver host. It makes a window (155 x 114 client area, or --size, at --at),
// starts the .scr with "<switch> <decimal handle>" (or with the handle in place of %u in the
// switch), and then:
//  - for a preview, waits for the preview child and checks where it sits (at the origin,
//    filling the client area), then ends it one way or another;
//  - for the settings dialog ("/c..."), finds it, reports its owner, whether the host is
//    disabled and where the dialog sits, ends it and reports whether the host is enabled.
//   preview_host.exe SCR [--switch /p] [--hold SECONDS] [--size WxH] [--at X,Y] [--in-process]
//                        [--end destroy|close|none] (preview) [--end ok|cancel|esc|enter|close] (dialog)
//   destroy: destroy the host window; close: post WM_CLOSE to the preview (or the close
//   box's command to the dialog); none: leave the host standing (the script kills this
//   process itself and watches the preview end); ok, cancel: click the button; esc, enter:
//   the key, to the dialog's focused control.
//   --in-process: run the preview code in this process instead of the .scr (SCR is then
//   ignored); Wine 8 does not paint a child window whose parent lives in another process,
//   so the picture inside the host can only be looked at this way.
// Prints one "key=value" line per finding and exits 0 when every check held.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

#include "platform/runtime_win32.h"
#include "startup/preview_window_win32.h"
#include "support/test_window_win32.h"

namespace {

constexpr wchar_t kPreviewTitle[] = L"Preview -- Brackmer Saver";
constexpr wchar_t kDialogTitle[] = L"Brackmer Saver\u8a2d\u5b9a";

int failures = 0;

void Report(const char* key, const std::string& value, bool ok) {
    std::printf("%s=%s%s\n", key, value.c_str(), ok ? "" : " FAIL");
    std::fflush(stdout);
    if (!ok) ++failures;
}

// Runs this thread's messages for up to `ms`, or until `done` says so.
template <class Done>
bool PumpUntil(DWORD ms, Done done) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

std::string Pair(long a, long b) { return std::to_string(a) + "," + std::to_string(b); }

// The settings dialog as the Screen Saver Settings window sees it; the script judges owner
// and placement, which depend on the handle it passed.
bool CheckDialog(HWND host, const std::wstring& end, HANDLE process) {
    HWND dialog = nullptr;
    PumpUntil(30000, [&] {
        dialog = FindWindowW(nullptr, kDialogTitle);
        return (dialog && IsWindowVisible(dialog)) || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    });
    Report("dialog_found", dialog ? "1" : "0", dialog != nullptr);
    if (!dialog) return false;
    PumpUntil(300, [] { return false; });
    Report("owner_is_host", GetWindow(dialog, GW_OWNER) == host ? "1" : "0", true);
    Report("host_disabled", IsWindowEnabled(host) ? "0" : "1", true);
    // An owned window without WS_EX_APPWINDOW gets no taskbar button of its own.
    Report("app_window", (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) ? "1" : "0", true);
    RECT d, h;
    GetWindowRect(dialog, &d);
    GetWindowRect(host, &h);
    Report("dialog_origin", Pair(d.left, d.top), true);
    Report("host_centre_offset", Pair(h.left + h.right - d.left - d.right, h.top + h.bottom - d.top - d.bottom), true);
    Report("screen_centre_offset", Pair(GetSystemMetrics(SM_CXSCREEN) - d.left - d.right,
                                        GetSystemMetrics(SM_CYSCREEN) - d.top - d.bottom), true);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
    HWND focus = gui.hwndFocus ? gui.hwndFocus : dialog;
    if (end == L"ok" || end == L"cancel") PostMessageW(GetDlgItem(dialog, end == L"ok" ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
    else if (end == L"esc" || end == L"enter") PostMessageW(focus, WM_KEYDOWN, end == L"esc" ? VK_ESCAPE : VK_RETURN, 1);
    else if (end == L"close") PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    bool ended = PumpUntil(10000, [&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; });
    Report("dialog_ended", ended ? "1" : "0", ended);
    PumpUntil(300, [] { return false; });
    Report("host_enabled", IsWindowEnabled(host) ? "1" : "0", IsWindowEnabled(host) != FALSE);
    return ended;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: preview_host.exe SCR [--switch /p] [--hold SECONDS] [--end destroy|close|none]\n");
        return 2;
    }
    std::wstring scr = argv[1], sw = L"/p", end = L"destroy";
    int holdSeconds = 0;
    int width = 155, height = 114, x = 400, y = 300;
    bool inProcess = false;
    for (int i = 2; i < argc; ++i) {
        std::wstring opt = argv[i];
        if (opt == L"--in-process") inProcess = true;
        if (i + 1 >= argc) continue;
        if (opt == L"--switch") sw = argv[++i];
        else if (opt == L"--hold") holdSeconds = _wtoi(argv[++i]);
        else if (opt == L"--end") end = argv[++i];
        else if (opt == L"--size") std::swscanf(argv[++i], L"%dx%d", &width, &height);
        else if (opt == L"--at") std::swscanf(argv[++i], L"%d,%d", &x, &y);
    }

    RECT r{0, 0, width, height};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND host = testsupport::MakeWindow({.className = L"BrackmerPreviewHost", .title = L"Brackmer Preview Host",
                                         .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .x = x, .y = y,
                                         .width = r.right - r.left, .height = r.bottom - r.top,
                                         .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))});
    UpdateWindow(host);
    POINT origin{0, 0};
    ClientToScreen(host, &origin);
    Report("host_client_origin", std::to_string(origin.x) + "," + std::to_string(origin.y), true);

    std::wstring handle = std::to_wstring(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(host)));
    Report("host_handle", platform::Narrow(handle), true);
    std::unique_ptr<platform::Form> preview;
    PROCESS_INFORMATION pi{};
    if (inProcess) {
        preview = startup::ShowPreview(platform::Narrow(sw + L" " + handle));
    } else {
        std::wstring arg = sw + L" " + handle;
        if (size_t at = sw.find(L"%u"); at != std::wstring::npos) arg = std::wstring(sw).replace(at, 2, handle);
        std::wstring cmd = L"\"" + scr + L"\" " + arg;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            Report("started", std::to_string(GetLastError()), false);
            return 1;
        }
        CloseHandle(pi.hThread);
        Report("preview_pid", std::to_string(pi.dwProcessId), true);
        if (sw.size() > 1 && (sw[1] == L'c' || sw[1] == L'C')) {
            if (!CheckDialog(host, end, pi.hProcess)) TerminateProcess(pi.hProcess, 1);
            CloseHandle(pi.hProcess);
            std::printf("%d failed\n", failures);
            return failures == 0 ? 0 : 1;
        }
    }
    auto previewEnded = [&] {
        return preview ? !preview->IsLoaded() : WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
    };

    // The child exists from SetParent on and is shown two steps later.
    HWND child = nullptr;
    PumpUntil(30000, [&] {
        child = FindWindowExW(host, nullptr, nullptr, kPreviewTitle);
        return (child && IsWindowVisible(child)) || previewEnded();
    });
    Report("child_found", child ? "1" : "0", child != nullptr);
    if (child) {
        LONG style = GetWindowLongW(child, GWL_STYLE);
        Report("child_style", (style & WS_CHILD) ? "child" : "not-child", (style & WS_CHILD) != 0);
        Report("parent_is_host", GetParent(child) == host ? "1" : "0", GetParent(child) == host);
        POINT at{0, 0};
        MapWindowPoints(child, host, &at, 1);
        Report("position", std::to_string(at.x) + "," + std::to_string(at.y), at.x == 0 && at.y == 0);
        RECT client;
        GetClientRect(child, &client);
        Report("client", std::to_string(client.right) + "x" + std::to_string(client.bottom),
               client.right == width && client.bottom == height);
        Report("visible", IsWindowVisible(child) ? "1" : "0", IsWindowVisible(child) != FALSE);
    }

    Report("ready", "1", true);
    PumpUntil(static_cast<DWORD>(holdSeconds) * 1000, [] { return false; });

    if (child && end == L"destroy") {
        DestroyWindow(host);
    } else if (child && end == L"close") {
        PostMessageW(child, WM_CLOSE, 0, 0);
    } else if (end == L"none") {
        // The script ends this process and watches the preview go by itself.
        PumpUntil(INFINITE, [] { return false; });
    }
    DWORD startWait = GetTickCount();
    bool ended = PumpUntil(5000, previewEnded);
    Report("preview_ended", ended ? std::to_string(GetTickCount() - startWait) + "ms" : "no", ended);
    if (end == L"close") Report("host_alive", IsWindow(host) ? "1" : "0", IsWindow(host) != FALSE);
    if (!preview) {
        DWORD code = 0;
        if (ended) {
            GetExitCodeProcess(pi.hProcess, &code);
            Report("preview_exit_code", std::to_string(code), code == 0);
        } else {
            TerminateProcess(pi.hProcess, 1);
        }
        CloseHandle(pi.hProcess);
    }
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
