// Win32 runtime services; see runtime_win32.h.
#include "platform/runtime_win32.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "platform/error_log.h"
#include "platform/form_win32.h"
#include "platform/handles_win32.h"
#include "platform/paths.h"

namespace platform {
namespace {
std::function<void()> fatalCleanup;
}  // namespace

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

ScreenTwips ReadScreenTwips() {
    WindowDc screen(nullptr);
    // Without a screen DC the figures read 0, which ScreenTwipsFor takes for 96.
    const int dpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return ScreenTwipsFor(dpiX, dpiY);
}

void UseSystemDpiForThisThread() {
    using SetContextFn = HANDLE(WINAPI*)(HANDLE);
    const HANDLE kSystemAware = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));  // DPI_AWARENESS_CONTEXT_SYSTEM_AWARE
    // user32 is loaded by every window program; the function is looked up so that systems
    // without it still start.
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        if (auto set = reinterpret_cast<SetContextFn>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")))
            set(kSystemAware);
    }
}

VersionNumbers ProgramVersion() {
    VersionNumbers v;
    HRSRC res = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16) /*RT_VERSION*/);
    HGLOBAL mem = res ? LoadResource(nullptr, res) : nullptr;
    const auto* data = static_cast<const unsigned char*>(mem ? LockResource(mem) : nullptr);
    DWORD size = res ? SizeofResource(nullptr, res) : 0;
    // The fixed part is found by its signature; walking the resource tree is not needed
    // for the four numbers and avoids pulling in version.dll.
    for (DWORD i = 0; data && i + sizeof(VS_FIXEDFILEINFO) <= size; i += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, data + i, sizeof info);
        if (info.dwSignature == 0xFEEF04BD) {
            v.major = static_cast<int16_t>(HIWORD(info.dwFileVersionMS));
            v.minor = static_cast<int16_t>(LOWORD(info.dwFileVersionMS));
            v.revision = static_cast<int16_t>(LOWORD(info.dwFileVersionLS));
            break;
        }
    }
    return v;
}

std::string ProgramFolder() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) { buf.resize(n); break; }
        buf.resize(buf.size() * 2);
    }
    return FolderOfFile(Narrow(std::wstring_view(buf.data(), buf.size())));
}

std::string FileInProgramFolder(std::string_view name) { return FileInFolder(ProgramFolder(), name); }

void WriteOneLineFile(const std::string& path, std::string_view line) {
    HANDLE f = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) throw RuntimeError(RuntimeError::kFileError, "Path/File access error: " + path);
    std::string text = std::string(line) + "\r\n";
    DWORD written = 0;
    BOOL ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    if (!ok || written != text.size()) throw RuntimeError(RuntimeError::kFileError, "Write failed: " + path);
}

namespace {

// Empty when the variable is not set. A value too long for the buffer is asked for again
// at the size the platform names (its length and the terminator), so any length is read.
std::string LocalAppDataFolder() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) return Narrow(std::wstring_view(buf.data(), n));
        buf.resize(n);
    }
}

bool WriteLogAt(const ErrorLogPlace& place, std::string_view line) {
    if (!place.folderToMake.empty() && !CreateDirectoryW(Widen(place.folderToMake).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    try {
        WriteOneLineFile(place.path, line);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace

std::string WriteErrorLog(std::string_view description) {
    try {
        static FirstErrorLog log(ErrorLogPlaces(ProgramFolder(), LocalAppDataFolder()), &WriteLogAt);
        return log.Record(description).value_or(std::string());
    } catch (...) {
        return {};  // out of memory while ending: the log is the one thing that may be lost
    }
}

namespace {

std::optional<std::string> ReadSmallFile(const std::string& path) {
    const UniqueHandle f = OpenedFile(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return std::nullopt;
    char buf[4096];
    DWORD read = 0;
    if (!ReadFile(f.get(), buf, sizeof buf, &read, nullptr)) return std::nullopt;
    return std::string(buf, read);
}

}  // namespace

void WriteErrorLogOnce(std::string_view note) {
    try {
        const auto places = ErrorLogPlaces(ProgramFolder(), LocalAppDataFolder());
        if (AlreadyLogged(places, note, &ReadSmallFile)) return;
        FirstErrorLog(places, &WriteLogAt).Record(note);
    } catch (...) {
        // A note that cannot be written is no reason to stop the saver.
    }
}

void ThrowLastError(std::string_view call) {
    DWORD code = GetLastError();
    char buf[64];
    std::snprintf(buf, sizeof buf, " failed: error %lu", static_cast<unsigned long>(code));
    std::string text = std::string(call) + buf;
    // The system's own words for the code, so the log says what went wrong.
    wchar_t* words = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD n = FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
    if (n > 0 && words) {
        std::wstring_view w(words, n);
        while (!w.empty() && (w.back() == L'\r' || w.back() == L'\n' || w.back() == L' ' || w.back() == L'.'))
            w.remove_suffix(1);
        if (!w.empty()) text += " (" + Narrow(w) + ")";
    }
    if (words) LocalFree(words);
    throw RuntimeError(RuntimeError::kPlatformCall, text);
}

void SetFatalCleanup(std::function<void()> cleanup) { fatalCleanup = std::move(cleanup); }

void EndProgram(int exitCode) {
    // TerminateProcess rather than ExitProcess: no DLL detach code runs, so nothing of the
    // graphics stack can fault or stall on the way out once the display is given back.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    ExitProcess(static_cast<UINT>(exitCode));
}

namespace {

BOOL CALLBACK HideWindow(HWND window, LPARAM) {
    ShowWindow(window, SW_HIDE);
    return TRUE;
}

}  // namespace

void ReportFatalError(int number, std::string_view description) {
    // Nothing of ours may run while the report is up: the message box pumps messages.
    StopAllEvents();
    if (auto cleanup = std::exchange(fatalCleanup, nullptr)) {
        try { cleanup(); } catch (...) {}
    }
    // The saver's window is topmost and covers the screen: the report goes on the desktop.
    EnumThreadWindows(GetCurrentThreadId(), &HideWindow, 0);
    std::wstring text = L"Run-time error '" + std::to_wstring(number) + L"':\r\n\r\n" + Widen(description);
    MessageBoxW(nullptr, text.c_str(), L"Brackmer Saver",
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(number > 0 ? number : 1));
}

void ReportFatalError(const std::exception& e) {
    if (auto* rt = dynamic_cast<const RuntimeError*>(&e)) ReportFatalError(rt->ErrorNumber(), rt->what());
    ReportFatalError(51 /*internal error*/, e.what());
}

}  // namespace platform
