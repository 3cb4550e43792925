// The wallpaper's facts from the system; see wallpaper_facts_win32.h.
#include "desktop/wallpaper_facts_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "desktop/wallpaper_source.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"

namespace desktop {
namespace {

// How long the worker waits for the shell to name each monitor's picture. Explorer answers
// in a few milliseconds; on the secure desktop, or under Wine, it may never: every monitor
// then gets what the registry records.
constexpr std::chrono::milliseconds kShellAnswer{300};
// No desktop has more monitors than this many recorded pictures.
constexpr int kMostRecorded = 16;

// Cloud placeholders (the Windows 10 names; older SDK headers lack them). Only directory
// enumeration reports recall-on-open.
constexpr DWORD kRecallOnOpen = 0x00040000;
constexpr DWORD kRecallOnDataAccess = 0x00400000;

// IDesktopWallpaper (Windows 8 and later, shobjidl_core.h), declared here because the
// headers offer it only to programs that require Windows 8. Only the first five methods are
// called; the rest of the table follows them in the documented order.
const IID kIidDesktopWallpaper = {0xb92b56a9, 0x8b55, 0x4e14, {0x9a, 0x89, 0x01, 0x99, 0xbb, 0xb6, 0xf9, 0x3b}};
const CLSID kClsidDesktopWallpaper = {0xc2cf3110, 0x460e, 0x4fc1, {0xb9, 0xd0, 0x8a, 0x1c, 0x0c, 0x9c, 0xc4, 0xbd}};
struct IDesktopWallpaperPrefix : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetWallpaper(LPCWSTR monitorId, LPCWSTR wallpaper) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWallpaper(LPCWSTR monitorId, LPWSTR* wallpaper) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathAt(UINT index, LPWSTR* monitorId) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathCount(UINT* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorRECT(LPCWSTR monitorId, RECT* rect) = 0;
};

std::wstring TakeComString(LPWSTR text) {
    std::wstring value = text ? text : L"";
    CoTaskMemFree(text);
    return value;
}

std::optional<std::string> UserDesktopValue(const wchar_t* name) {
    wchar_t text[64]{};
    DWORD bytes = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return platform::Narrow(text);
}

std::wstring SettingPicture() {
    wchar_t path[MAX_PATH + 1]{};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return {};
    path[MAX_PATH] = L'\0';
    return path;
}

// TranscodedImageCache_000, _001... while they last.
std::vector<std::wstring> RecordedPaths() {
    std::vector<std::wstring> paths;
    for (int i = 0; i < kMostRecorded; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"TranscodedImageCache_%03d", i);
        std::vector<uint8_t> value(4096);
        DWORD bytes = DWORD(value.size());
        if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, RRF_RT_REG_BINARY, nullptr, value.data(),
                         &bytes) != ERROR_SUCCESS)
            break;
        value.resize(bytes);
        paths.push_back(RecordedWallpaperPath(value));
    }
    return paths;
}

// Each monitor's own picture where the shell tells it, matched by rectangle; empty where not,
// and no list at all where the shell cannot tell (the rules read a short list as empty paths).
std::vector<std::wstring> ShellPictures(const std::vector<platform::Rect>& monitors) {
    platform::ComPtr<IDesktopWallpaperPrefix> wallpaper;
    if (FAILED(CoCreateInstance(kClsidDesktopWallpaper, nullptr, CLSCTX_ALL, kIidDesktopWallpaper,
                                wallpaper.PutVoid())))
        return {};
    UINT count = 0;
    if (FAILED(wallpaper->GetMonitorDevicePathCount(&count))) return {};
    std::vector<std::wstring> paths(monitors.size());
    for (UINT i = 0; i < count; ++i) {
        LPWSTR id = nullptr;
        if (FAILED(wallpaper->GetMonitorDevicePathAt(i, &id))) continue;
        const std::wstring monitorId = TakeComString(id);
        RECT r{};
        // S_FALSE, a success, is a detached monitor.
        if (wallpaper->GetMonitorRECT(monitorId.c_str(), &r) != S_OK) continue;
        const platform::Rect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
        const auto match = std::find(monitors.begin(), monitors.end(), rect);
        LPWSTR path = nullptr;
        if (match == monitors.end() || FAILED(wallpaper->GetWallpaper(monitorId.c_str(), &path))) continue;
        paths[size_t(match - monitors.begin())] = TakeComString(path);
    }
    return paths;
}

// ShellPictures on a thread of its own, given up after kShellAnswer: no list then.
std::vector<std::wstring> ShellPicturesInTime(const std::vector<platform::Rect>& monitors) {
    struct Answer {
        std::mutex lock;
        std::condition_variable given;
        std::optional<std::vector<std::wstring>> paths;
    };
    auto answer = std::make_shared<Answer>();
    try {
        // Detached: a call that never returns keeps only this thread.
        std::thread([answer, monitors] {
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
            std::vector<std::wstring> paths;
            try {
                platform::ComApartment apartment;
                paths = ShellPictures(monitors);
            } catch (...) {
            }
            std::lock_guard guard(answer->lock);
            answer->paths = std::move(paths);
            answer->given.notify_all();
        }).detach();
        std::unique_lock guard(answer->lock);
        if (answer->given.wait_for(guard, kShellAnswer, [&] { return answer->paths.has_value(); }))
            return *answer->paths;
    } catch (const std::system_error&) {
    }
    return {};
}

// IsRemotePath, with the drive letters the system knows mapped to a share.
bool IsRemote(const std::wstring& path) {
    return IsRemotePath(path, [](wchar_t drive) {
        const wchar_t root[] = {drive, L':', L'\\', L'\0'};
        return GetDriveTypeW(root) == DRIVE_REMOTE;
    });
}

// The file's attributes as directory enumeration reports them (the only place that tells
// recall-on-open); none for a path with wildcards, which would match other files.
std::optional<DWORD> EnumeratedAttributes(const std::wstring& path) {
    const size_t from = path.starts_with(L"\\\\?\\") ? 4 : 0;
    if (path.find_first_of(L"*?", from) != std::wstring::npos) return std::nullopt;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(search);
    return found.dwFileAttributes;
}

OriginalFacts FactsAbout(const std::wstring& path) {
    OriginalFacts facts;
    facts.named = !path.empty();
    if (!facts.named) return facts;
    facts.remote = IsRemote(path);
    if (facts.remote) return facts;  // asking a share about the file may not answer either
    const std::optional<DWORD> attributes = EnumeratedAttributes(path);
    facts.found = attributes && !(*attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!facts.found) return facts;
    facts.offline = (*attributes & FILE_ATTRIBUTE_OFFLINE) != 0;
    facts.placeholder = (*attributes & (kRecallOnOpen | kRecallOnDataAccess)) != 0;
    return facts;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// %APPDATA%\Microsoft\Windows\Themes, where Windows keeps the pictures it shows.
std::wstring ThemesFolder() {
    wchar_t appData[MAX_PATH]{};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return {};
    return std::wstring(appData) + L"\\Microsoft\\Windows\\Themes";
}

// Windows' copy of the picture prepared for a monitor of this size:
// CachedFiles\CachedImage_<width>_<height>_POS<style>.jpg.
std::wstring MonitorCopy(const std::wstring& themes, platform::Rect monitor) {
    if (themes.empty()) return {};
    const std::wstring folder = themes + L"\\CachedFiles\\";
    const std::wstring pattern =
        folder + L"CachedImage_" + std::to_wstring(monitor.width) + L"_" + std::to_wstring(monitor.height) + L"_POS*.jpg";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return folder + found.cFileName;
}

}  // namespace

WallpaperStyle WallpaperStyleSetting() {
    return StyleFromSettings(UserDesktopValue(L"WallpaperStyle"), UserDesktopValue(L"TileWallpaper"));
}

RecordedPictures RecordedPicturesFor(const std::vector<platform::Rect>& monitors) {
    return {SettingPicture(), ShellPicturesInTime(monitors), RecordedPaths()};
}

FoundFiles FindFiles() {
    const std::wstring themes = ThemesFolder();
    FoundFiles found;
    found.original = FactsAbout;
    found.monitorCopy = [themes](const platform::Rect& monitor) { return MonitorCopy(themes, monitor); };
    const std::wstring transcoded = themes.empty() ? std::wstring() : themes + L"\\TranscodedWallpaper";
    if (!transcoded.empty() && IsFile(transcoded)) found.transcoded = transcoded;
    // Transcoded_000, _001...: Windows' copy of each monitor's own picture, numbered as the
    // recorded paths are.
    found.ownCopy = [themes](size_t monitor) -> std::wstring {
        if (themes.empty()) return {};
        wchar_t name[32];
        swprintf(name, 32, L"\\Transcoded_%03u", unsigned(monitor));
        const std::wstring path = themes + name;
        return IsFile(path) ? path : std::wstring();
    };
    return found;
}

}  // namespace desktop
