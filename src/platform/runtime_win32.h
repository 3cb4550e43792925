// Runtime services of the Win32 side: text conversion, screen metrics in twips, the
// program's own version and folder, one-line text files, and the standard error report.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/runtime_error.h"
#include "platform/screen_metrics.h"
#include "platform/version.h"

namespace platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The primary screen's size and factors (see screen_metrics.h).
ScreenTwips ReadScreenTwips();

// The process is declared aware of each monitor's own DPI for the saver's sake; windows
// this thread creates afterwards are laid out and scaled at the system's DPI instead, as a
// system-aware program's are. Where the system cannot do this per thread (before Windows 10
// 1607) it does nothing, and the process-wide awareness applies.
void UseSystemDpiForThisThread();

// From the program's own version resource (FILEVERSION major, minor, -, revision).
VersionNumbers ProgramVersion();

// The folder of the running program file (FolderOfFile in paths.h), and a file in it.
std::string ProgramFolder();
std::string FileInProgramFolder(std::string_view name);

// Creates or empties the file and writes one line (CRLF). Throws RuntimeError on failure.
void WriteOneLineFile(const std::string& path, std::string_view line);

// Writes the error that ended the saver to ErLog.txt beside the program or, when that
// folder cannot be written, to %LOCALAPPDATA%\BrackmerSaver\ErLog.txt. Only the first call
// of a run writes. Never throws; returns the path written, empty when none.
std::string WriteErrorLog(std::string_view description);

// Writes a note that does not end the run (the saver carries on) where the log would go,
// unless it already says exactly that; leaves the first-error rule of WriteErrorLog alone.
void WriteErrorLogOnce(std::string_view note);

// Throws RuntimeError naming the call when a Win32 call reported failure.
[[noreturn]] void ThrowLastError(std::string_view call);

// Something to run before the error report of an uncaught error, so a failure never
// leaves the display mode changed or an owner disabled: the one give-back of whoever took
// something (the saver's run, the dialog). Null clears it.
void SetFatalCleanup(std::function<void()> cleanup);

// Ends the process at once: no further handler of any window runs.
[[noreturn]] void EndProgram(int exitCode = 0);

// The standard error report for an error nothing caught: every event stopped, cleanup, the
// program's windows hidden, then a message box in front of the given-back desktop, exit.
[[noreturn]] void ReportFatalError(int number, std::string_view description);
[[noreturn]] void ReportFatalError(const std::exception& e);

}  // namespace platform
