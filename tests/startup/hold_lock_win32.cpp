// Test tool, run under Wine by tests/e2e/cases.sh: holds the saver's start lock as a saver
// starting at the same moment would, so that the start beside it must give way.
//   hold_lock.exe [SECONDS]   prints "held" once the lock is its own (20 s by default)
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "startup/saver_main_win32.h"

int main(int argc, char** argv) {
    HANDLE lock = CreateMutexW(nullptr, FALSE, startup::kSaverMutexName);
    if (!lock || GetLastError() == ERROR_ALREADY_EXISTS) return 1;
    std::puts("held");
    std::fflush(stdout);
    Sleep(DWORD(argc > 1 ? std::atoi(argv[1]) : 20) * 1000);
    CloseHandle(lock);
    return 0;
}
