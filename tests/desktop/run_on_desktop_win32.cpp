// For the end-to-end tests: runs a program on a desktop of its own named "Screen-saver", as
// Windows runs a saver that locks the session, and waits for it to end.
//   usage: run_on_desktop PROGRAM [ARGUMENTS...]    (exit code: the program's)
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) return 2;
    HDESK desk = CreateDesktopW(L"Screen-saver", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!desk) return 3;
    // The program quoted, its arguments as given: a saver reads "/s" bare, as Windows passes it.
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    for (int i = 2; i < argc; ++i) command += L" " + std::wstring(argv[i]);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.lpDesktop = const_cast<wchar_t*>(L"WinSta0\\Screen-saver");
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 4;
    DWORD code = 5;
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseDesktop(desk);
    return int(code);
}
