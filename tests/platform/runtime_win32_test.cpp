// Runtime services under Wine: version numbers from the resource, the program folder,
// screen metrics in twips, one-line files, the handle owners and the form lifecycle the
// windows rely on.
#include "platform/runtime_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/dib_win32.h"
#include "platform/form_win32.h"
#include "platform/handles_win32.h"
#include "platform/monitors_win32.h"
#include "platform/version.h"
#include "support/import_swap_win32.h"
#include "support/pump_win32.h"

namespace platform {
namespace {

TEST(ProgramInfo, VersionComesFromTheResource) {
    VersionNumbers v = ProgramVersion();
    EXPECT_EQ(v.major, 2);
    EXPECT_EQ(v.minor, 5);
    EXPECT_EQ(v.revision, 31);
    EXPECT_EQ(FormatVersionText(v), "2.05.0031");
}

TEST(ProgramInfo, FolderHasNoTrailingSeparatorAndNamesOurFile) {
    std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string full = Narrow(path);
    EXPECT_EQ(full.rfind(folder + "\\", 0), 0u) << full << " vs " << folder;
    EXPECT_EQ(FileInProgramFolder("ErLog.txt"), folder + "\\ErLog.txt");
}

// The platform plays a program path of the given length: one that does not fit is cut to
// the buffer, its size returned, as GetModuleFileNameW does.
std::wstring playedPath;
DWORD WINAPI PlayedModulePath(HMODULE, LPWSTR out, DWORD size) {
    const DWORD length = DWORD(playedPath.size()), copied = std::min(length, size - 1);
    std::wmemcpy(out, playedPath.data(), copied);
    out[copied] = L'\0';
    if (length < size) return length;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}
// A path that fills the first buffer exactly, one whose folder fills it without its
// separator, and one past the second buffer: the folder is read whole.
TEST(ProgramInfo, AFolderOfAnyLengthIsReadWhole) {
    testsupport::ImportSwap swap("kernel32.dll", "GetModuleFileNameW", reinterpret_cast<void*>(&PlayedModulePath));
    ASSERT_TRUE(swap.Found());
    for (const size_t length : {MAX_PATH - 1, MAX_PATH + 5, 2 * MAX_PATH + 5}) {
        const std::wstring folder = L"C:\\" + std::wstring(length - 9, L'f');
        playedPath = folder + L"\\a.scr";
        EXPECT_EQ(ProgramFolder(), Narrow(folder)) << length;
    }
}

// Twips and every monitor's dpi follow the system's (Wine answers GetDpiForMonitor with it
// for each monitor); a monitor never goes without one.
TEST(ScreenMetrics, TwipsAndEachMonitorFollowTheDpi) {
    ScreenTwips t = ReadScreenTwips();
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    EXPECT_FLOAT_EQ(t.twipsPerPixelX, 1440.0f / static_cast<float>(dpi));
    EXPECT_FLOAT_EQ(t.twipsPerPixelY, 1440.0f / static_cast<float>(dpiY));
    const std::vector<MonitorInfo> monitors = EnumerateMonitors();
    ASSERT_FALSE(monitors.empty());
    for (const MonitorInfo& m : monitors) EXPECT_EQ(m.dpi, dpi);
}

// The platform plays three monitors (the primary thrice), as a system with three lists them:
// the enumeration goes on to the last.
BOOL WINAPI ThreeMonitors(HDC, LPCRECT, MONITORENUMPROC add, LPARAM data) {
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    for (int i = 0; i < 3; ++i)
        if (!add(primary, nullptr, nullptr, data)) return FALSE;
    return TRUE;
}
TEST(ScreenMetrics, EveryMonitorListedIsTaken) {
    testsupport::ImportSwap swap("user32.dll", "EnumDisplayMonitors", reinterpret_cast<void*>(&ThreeMonitors));
    ASSERT_TRUE(swap.Found());
    EXPECT_EQ(EnumerateMonitors().size(), 3u);
}

// A saver thread scales as the system does, not per monitor, as the figures above assume.
TEST(ScreenMetrics, AThreadTakesTheSystemsDpiAwareness) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto context = reinterpret_cast<HANDLE(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto awarenessOf = reinterpret_cast<int(WINAPI*)(HANDLE)>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_TRUE(context && awarenessOf);
    int awareness = -1;
    std::thread([&] { UseSystemDpiForThisThread(), awareness = awarenessOf(context()); }).join();
    EXPECT_EQ(awareness, 1);  // DPI_AWARENESS_SYSTEM_AWARE
}

// Each owner gives its GDI object, memory DC or cursor back when it goes (a stale GDI or
// USER handle names no object: their handles carry a use count, so none comes back reused).
TEST(Handles, EachOwnerGivesBackWhatItHolds) {
    WindowDc screen(nullptr);
    const LOGFONTW font{};
    const BYTE plane[128] = {};
    const HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), 4, 4);
    const HFONT face = CreateFontIndirectW(&font);
    const HBRUSH brush = CreateSolidBrush(0);
    const HDC memory = CreateCompatibleDC(screen.Get());
    const HCURSOR cursor = CreateCursor(GetModuleHandleW(nullptr), 0, 0, 32, 32, plane, plane);
    ICONINFO info{};
    {
        const UniqueBitmap a(bitmap);
        const UniqueFont b(face);
        const UniqueBrush c(brush);
        const UniqueMemDc d(memory);
        const UniqueCursor e(cursor);
        for (HGDIOBJ held : {HGDIOBJ(bitmap), HGDIOBJ(face), HGDIOBJ(brush), HGDIOBJ(memory)})
            EXPECT_NE(GetObjectType(held), 0u);
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        DeleteObject(info.hbmMask);
    }
    for (HGDIOBJ gone : {HGDIOBJ(bitmap), HGDIOBJ(face), HGDIOBJ(brush), HGDIOBJ(memory)})
        EXPECT_EQ(GetObjectType(gone), 0u);
    EXPECT_FALSE(GetIconInfo(cursor, &info));
}

// The platform plays %LOCALAPPDATA% as the given folder, asking for a larger buffer when
// the value and its terminator do not fit, as GetEnvironmentVariableW does.
std::wstring playedLocal;
DWORD WINAPI PlayedLocalAppData(LPCWSTR name, LPWSTR out, DWORD size) {
    if (std::wcscmp(name, L"LOCALAPPDATA") != 0) return 0;
    const DWORD length = DWORD(playedLocal.size());
    if (length >= size) return length + 1;
    std::wmemcpy(out, playedLocal.c_str(), length + 1);
    return length;
}
// With the program's folder not writable, the log goes to the local folder, whose name
// just fits the first buffer, misses it by its terminator, or is far past it.
TEST(WriteErrorLogOnce, ALocalFolderOfAnyLengthTakesTheLog) {
    testsupport::ImportSwap module("kernel32.dll", "GetModuleFileNameW", reinterpret_cast<void*>(&PlayedModulePath));
    testsupport::ImportSwap local("kernel32.dll", "GetEnvironmentVariableW",
                                  reinterpret_cast<void*>(&PlayedLocalAppData));
    ASSERT_TRUE(module.Found() && local.Found());
    wchar_t temp[MAX_PATH];
    const std::wstring base = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"lad";
    playedPath = L"C:\\no such folder\\a.scr";
    for (const size_t length : {MAX_PATH - 1, MAX_PATH + 0, 2 * MAX_PATH + 5}) {
        std::vector<std::wstring> made{base};
        CreateDirectoryW(base.c_str(), nullptr);
        while (made.back().size() < length) {
            const size_t rest = length - made.back().size() - 1;  // a separator and a name
            made.push_back(made.back() + L"\\" + std::wstring(rest <= 100 ? rest : 60, L'd'));
            ASSERT_TRUE(CreateDirectoryW(made.back().c_str(), nullptr)) << made.back().size();
        }
        ASSERT_EQ(made.back().size(), length);
        playedLocal = made.back();
        WriteErrorLogOnce("note");
        const std::wstring log = playedLocal + L"\\BrackmerSaver\\ErLog.txt";
        EXPECT_TRUE(DeleteFileW(log.c_str())) << length;
        RemoveDirectoryW((playedLocal + L"\\BrackmerSaver").c_str());
        for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(it->c_str());
    }
}

// The conversions as Windows documents them for UTF-8, which Wine does not enforce: no flag
// but the one for invalid characters, and no default character.
testsupport::ImportSwap *toWideSwap = nullptr, *toNarrowSwap = nullptr;
int WINAPI StrictToWide(UINT page, DWORD flags, LPCCH in, int n, LPWSTR out, int size) {
    if (page == CP_UTF8 && (flags & ~DWORD(MB_ERR_INVALID_CHARS))) return SetLastError(ERROR_INVALID_FLAGS), 0;
    return toWideSwap->Original<decltype(&MultiByteToWideChar)>()(page, flags, in, n, out, size);
}
int WINAPI StrictToNarrow(UINT page, DWORD flags, LPCWCH in, int n, LPSTR out, int size, LPCCH fill, LPBOOL filled) {
    if (page == CP_UTF8 && ((flags & ~DWORD(WC_ERR_INVALID_CHARS)) || fill || filled))
        return SetLastError(ERROR_INVALID_PARAMETER), 0;
    return toNarrowSwap->Original<decltype(&WideCharToMultiByte)>()(page, flags, in, n, out, size, fill, filled);
}
TEST(Text, CrossesBetweenUtf8AndUtf16Whole) {
    testsupport::ImportSwap wide("kernel32.dll", "MultiByteToWideChar", reinterpret_cast<void*>(&StrictToWide));
    testsupport::ImportSwap narrow("kernel32.dll", "WideCharToMultiByte", reinterpret_cast<void*>(&StrictToNarrow));
    ASSERT_TRUE(wide.Found() && narrow.Found());
    toWideSwap = &wide, toNarrowSwap = &narrow;
    // Two ideographs, ASCII and a character beyond the basic plane (a surrogate pair).
    const std::string utf8 = "\xE8\x83\x8C\xE6\x99\xAF Brackmer \xF0\x9F\x9A\xA2";
    const std::wstring utf16 = L"\u80CC\u666F Brackmer \U0001F6A2";
    EXPECT_EQ(Widen(utf8), utf16);
    EXPECT_EQ(Narrow(utf16), utf8);
    EXPECT_EQ(Widen(""), L"");
    EXPECT_EQ(Narrow(L""), "");
}

TEST(WriteOneLineFile, CreatesOrEmptiesAndWritesOneLine) {
    std::string path = FileInProgramFolder("one_line_test.txt");
    WriteOneLineFile(path, "first, longer line");
    WriteOneLineFile(path, "Overflow");
    std::ifstream in(Widen(path).c_str(), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    in.close();
    EXPECT_EQ(content.str(), "Overflow\r\n");
    DeleteFileW(Widen(path).c_str());
}

// The platform plays a system with its messages in one language: asked for another by name,
// it has none, as Windows answers (Wine answers in its own whatever is asked).
using FormatMessageFn = DWORD(WINAPI*)(DWORD, LPCVOID, DWORD, DWORD, LPWSTR, DWORD, va_list*);
FormatMessageFn systemMessages = nullptr;
DWORD WINAPI MessagesInOneLanguage(DWORD flags, LPCVOID source, DWORD code, DWORD language, LPWSTR out, DWORD size,
                                   va_list* args) {
    if (language != 0) return SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND), 0;
    return systemMessages(flags, source, code, language, out, size, args);
}
TEST(ThrowLastError, NamesTheCallTheCodeAndTheSystemsWords) {
    testsupport::ImportSwap swap("kernel32.dll", "FormatMessageW", reinterpret_cast<void*>(&MessagesInOneLanguage));
    ASSERT_TRUE(swap.Found());
    systemMessages = swap.Original<FormatMessageFn>();
    SetLastError(ERROR_ACCESS_DENIED);
    try {
        ThrowLastError("CreateFileW");
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        const std::string text = e.what();
        EXPECT_EQ(e.ErrorNumber(), RuntimeError::kPlatformCall);
        EXPECT_EQ(text.rfind("CreateFileW failed: error 5 (", 0), 0u) << text;
        EXPECT_EQ(text.back(), ')') << text;
        EXPECT_GT(text.size(), std::string("CreateFileW failed: error 5 ()").size()) << text;
        // The words as a sentence inside the brackets: no line end, blank or full stop of theirs.
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
        EXPECT_EQ(std::string(" .").find(text[text.size() - 2]), std::string::npos) << text;
    }
}

// A bitmap whose rows GDI cannot copy out (fewer than all) is an error, not black pixels.
TEST(ThrowLastError, RaisedWhenABitmapsRowsCannotBeRead) {
    const BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    testsupport::ImportSwap swap("gdi32.dll", "GetDIBits",
                                 reinterpret_cast<void*>(+[](HDC, HBITMAP, UINT, UINT, void*, BITMAPINFO*, UINT) {
                                     return 1;
                                 }));
    ASSERT_TRUE(swap.Found());
    EXPECT_THROW(ReadBitmapPixels(bitmap.get()), RuntimeError);
}

TEST(WriteOneLineFile, TwoSeparatorsInARowStillNameTheFolder) {
    // The error log's name at a drive root has them; the file must land in the root.
    const std::string folder = ProgramFolder();
    WriteOneLineFile(folder + "\\\\doubled_separator_test.txt", "x");
    const std::wstring plain = Widen(folder + "\\doubled_separator_test.txt");
    EXPECT_NE(GetFileAttributesW(plain.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(plain.c_str());
}

TEST(WriteOneLineFile, UnwritablePathRaises) {
    EXPECT_THROW(WriteOneLineFile(ProgramFolder() + "\\no such folder\\x.txt", "x"), RuntimeError);
}

class CountingForm : public Form {
public:
    int loads = 0, unloads = 0, timers = 0, keys = 0;
    bool closeOnTimer = true;
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerTestForm";
        p.title = L"test form";
        p.style = WS_POPUP;
        p.width = 50;
        p.height = 50;
        return p;
    }
    void OnLoad() override { ++loads; }
    void OnUnload() override { ++unloads; }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_KEYDOWN) ++keys;
        if (msg != WM_TIMER) return Default(msg, wp, lp);
        ++timers;
        StopTimer(1);
        if (closeOnTimer) PostMessageW(Handle(), WM_CLOSE, 0, 0);
        return 0;
    }
    void Tick() { StartTimer(1, 10); }
};

TEST(Form, LoadRunsOnceAndTheLoopEndsWithTheLastWindow) {
    CountingForm form;
    form.Show();
    form.Show();  // showing a loaded form does not load it again
    EXPECT_EQ(form.loads, 1);
    EXPECT_TRUE(form.IsLoaded());
    // A form that names no pointer of its own shows the standard arrow.
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(form.Handle(), GCLP_HCURSOR)), LoadCursorW(nullptr, IDC_ARROW));
    form.Tick();
    EXPECT_EQ(RunMessageLoop(), 0);  // the timer closes the window, which ends the loop
    EXPECT_EQ(form.timers, 1);
    EXPECT_EQ(form.unloads, 1);
    EXPECT_FALSE(form.IsLoaded());
}

TEST(Form, AStoppedTimerFiresNoMore) {
    CountingForm form;
    form.closeOnTimer = false;
    form.Show();
    form.Tick();
    testsupport::PumpFor(100);
    EXPECT_EQ(form.timers, 1);
}

TEST(Form, ProcessPendingMessagesRunsPostedHandlersOnce) {
    CountingForm form;
    form.Load();
    PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(form.unloads, 1);
    EXPECT_FALSE(form.IsLoaded());
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the quit is kept for the loop
}

// Only a form that asks for the dialog keys has them handled as a dialog's: to any other,
// Escape, Enter and Tab come as keys, as the saver's windows need to end on them.
TEST(Form, KeysReachAFormWithoutDialogKeysAsKeys) {
    CountingForm form;
    form.Show();
    for (WPARAM key : {VK_ESCAPE, VK_RETURN, VK_TAB}) PostMessageW(form.Handle(), WM_KEYDOWN, key, 1);
    ProcessPendingMessages();
    EXPECT_EQ(form.keys, 3);
}

TEST(Form, DestroyedByItsParentStillUnloads) {
    CountingForm form;
    form.Load();
    DestroyWindow(form.Handle());
    EXPECT_EQ(form.unloads, 1);
    EXPECT_FALSE(form.IsLoaded());
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
}

// A form that goes while its window is up takes the window along, and no message of its
// destruction reaches the form that is gone (nor ends the loop as a last window's would): a
// fault there would be swallowed by the platform's message dispatch, so a handler sees
// every fault first.
TEST(Form, GoneWithItsWindowUpLeavesNoWindowAndNoFault) {
    static int faults;
    faults = 0;
    PVOID watch = AddVectoredExceptionHandler(1, [](EXCEPTION_POINTERS* e) -> LONG {
        faults += e->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION;
        return EXCEPTION_CONTINUE_SEARCH;
    });
    HWND window = nullptr;
    {
        CountingForm form;
        form.Show();
        window = form.Handle();
    }
    RemoveVectoredExceptionHandler(watch);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(faults, 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the gone form's last-window end ran";
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
}

// The report box's caption and first line, on the test's stderr instead.
int WINAPI PrintReport(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
    std::fprintf(stderr, "%ls: %ls\n", caption, std::wstring(text).substr(0, std::wstring(text).find(L'\r')).c_str());
    return IDOK;
}

// The standard report names the error's number, and the program ends with that number as its
// status: never 0, which would tell a host all went well, whatever number an error carries.
TEST(FatalErrorDeathTest, ReportsTheNumberAndEndsWithItNeverWithZero) {
    for (const auto& [number, status] : {std::pair{6, 6}, std::pair{0, 1}, std::pair{-3, 1}}) {
        EXPECT_EXIT(
            {
                testsupport::ImportSwap report("user32.dll", "MessageBoxW", reinterpret_cast<void*>(&PrintReport));
                ReportFatalError(number, "Overflow");
            },
            ::testing::ExitedWithCode(status), "^Brackmer Saver: Run-time error '" + std::to_string(number) + "':\n$");
    }
    // An error of ours keeps its number; any other exception is an internal error, 51.
    for (const auto& [error, number] :
         {std::pair<std::exception_ptr, int>{std::make_exception_ptr(RuntimeError(6, "Overflow")), 6},
          std::pair<std::exception_ptr, int>{std::make_exception_ptr(std::logic_error("bug")), 51}}) {
        EXPECT_EXIT(
            {
                testsupport::ImportSwap report("user32.dll", "MessageBoxW", reinterpret_cast<void*>(&PrintReport));
                try { std::rethrow_exception(error); } catch (const std::exception& e) { ReportFatalError(e); }
            },
            ::testing::ExitedWithCode(number), "^Brackmer Saver: Run-time error '" + std::to_string(number) + "':\n$");
    }
}

}  // namespace
}  // namespace platform
