// Process-wide ending state under Wine, in a test program of its own because it cannot be
// undone: once events are stopped no handler of any form runs and no timer fires; the error
// log keeps the first error of the run.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/form_win32.h"
#include "platform/runtime_win32.h"
#include "support/pump_win32.h"

namespace platform {
namespace {

class RecordingForm : public Form {
public:
    int keys = 0, clicks = 0, unloads = 0, timers = 0, commands = 0;
    void Tick(UINT_PTR id) { StartTimer(id, 10); }

private:
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerEndingTestForm";
        p.title = L"ending test form";
        p.style = WS_POPUP;
        p.width = 40;
        p.height = 40;
        return p;
    }
    void OnUnload() override { ++unloads; }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
            case WM_KEYDOWN: ++keys; return 0;
            case WM_LBUTTONDOWN: ++clicks; return 0;
            case WM_TIMER: ++timers; return 0;
            case WM_COMMAND: ++commands; return 0;
            default: return Default(msg, wp, lp);
        }
    }
};

TEST(StopAllEvents, NoHandlerRunsAndNoTimerFiresAfterwards) {
    RecordingForm a, b;
    a.Show();
    b.Load();
    a.Tick(1);
    b.Tick(7);
    testsupport::PumpFor(60);
    ASSERT_GT(a.timers, 0);  // the timers did run before
    ASSERT_GT(b.timers, 0);

    // A timer message already queued, input and a close request arrive after the stop.
    PostMessageW(a.Handle(), WM_TIMER, 1, 0);
    const int timersBefore = a.timers + b.timers;
    StopAllEvents();
    EXPECT_TRUE(EventsStopped());
    PostMessageW(a.Handle(), WM_KEYDOWN, 'X', 1);
    PostMessageW(a.Handle(), WM_LBUTTONDOWN, 0, 0);
    PostMessageW(a.Handle(), WM_COMMAND, 1, 0);
    PostMessageW(b.Handle(), WM_CLOSE, 0, 0);
    SendMessageW(a.Handle(), WM_KEYDOWN, 'Y', 1);
    b.Tick(8);  // a handler that was already running cannot start a new one
    testsupport::PumpFor(80);
    EXPECT_EQ(a.timers + b.timers, timersBefore);
    EXPECT_EQ(a.keys + a.clicks + a.commands + a.unloads + b.unloads, 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    // Stopped, a window still answers the platform as any window does.
    SetWindowTextW(a.Handle(), L"stopped");
    wchar_t text[16]{};
    GetWindowTextW(a.Handle(), text, 16);
    EXPECT_STREQ(text, L"stopped");
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(Widen(path).c_str(), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(WriteErrorLog, WritesTheFirstErrorBesideTheProgramAndKeepsIt) {
    const std::string path = FileInProgramFolder("ErLog.txt");
    DeleteFileW(Widen(path).c_str());
    EXPECT_EQ(WriteErrorLog("Flip failed: DDERR_SURFACELOST (0x887601C2)"), path);
    EXPECT_EQ(WriteErrorLog("FillSurface: object variable not set (no surface)"), "");
    EXPECT_EQ(ReadFile(path), "Flip failed: DDERR_SURFACELOST (0x887601C2)\r\n");
    DeleteFileW(Widen(path).c_str());
}

// A note every start would write again leaves a log that says just that alone, so the log
// keeps the time it first happened; any other note replaces it.
TEST(WriteErrorLogOnce, LeavesTheSameNoteAloneAndWritesAnother) {
    const std::wstring path = Widen(FileInProgramFolder("ErLog.txt"));
    WriteErrorLogOnce("SetCooperativeLevel failed");
    const FILETIME old{0, 0x01C00000};  // in 1999
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &old);
    CloseHandle(file);
    WriteErrorLogOnce("SetCooperativeLevel failed");
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &facts));
    EXPECT_EQ(CompareFileTime(&facts.ftLastWriteTime, &old), 0);
    WriteErrorLogOnce("Flip failed");
    EXPECT_EQ(ReadFile(Narrow(path)), "Flip failed\r\n");
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace platform
