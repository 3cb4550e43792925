// Start-up timing marks, for the benchmark builds only (compiled with BRACKMER_STARTUP_TRACE):
// each mark is a QueryPerformanceCounter reading, and WriteStartupTrace puts them, with the
// process's creation time, on the wall clock in startup-trace.txt beside the program, where
// scripts/bench.sh reads them. In every other build the marks are empty: the saver writes no file.
#pragma once

#include <windows.h>

#ifdef BRACKMER_STARTUP_TRACE
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/runtime_win32.h"
#endif

namespace platform {

#ifdef BRACKMER_STARTUP_TRACE
// Its own inline namespace: a traced and an untraced copy of these functions can never be
// taken for one another by the linker.
inline namespace startup_trace_on {

inline std::vector<std::pair<const char*, LARGE_INTEGER>>& StartupMarks() {
    static std::vector<std::pair<const char*, LARGE_INTEGER>> marks;
    return marks;
}

inline void StartupMark(const char* name) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    StartupMarks().emplace_back(name, now);
}

// One line per mark: microseconds since the Unix epoch, a space, the mark's name. The first
// line is the process's creation as the system recorded it.
inline void WriteStartupTrace() {
    LARGE_INTEGER frequency, anchorCounter;
    FILETIME anchorTime, created, exited, kernel, user;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&anchorCounter);
    GetSystemTimeAsFileTime(&anchorTime);
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto unixMicros = [](const FILETIME& t) {
        const long long ticks = (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        return ticks / 10 - 11644473600000000LL;
    };
    const long long anchor = unixMicros(anchorTime);
    std::string text;
    char line[128];
    std::snprintf(line, sizeof line, "%lld process created\r\n", unixMicros(created));
    text += line;
    for (const auto& [name, counter] : StartupMarks()) {
        const long long micros =
            anchor - (anchorCounter.QuadPart - counter.QuadPart) * 1000000LL / frequency.QuadPart;
        std::snprintf(line, sizeof line, "%lld %s\r\n", micros, name);
        text += line;
    }
    text.resize(text.size() - 2);  // WriteOneLineFile ends the last line itself
    WriteOneLineFile(FileInProgramFolder("startup-trace.txt"), text);
}

}  // namespace startup_trace_on
#else
inline void StartupMark(const char*) {}
inline void WriteStartupTrace() {}
#endif

}  // namespace platform
