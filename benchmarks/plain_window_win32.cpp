// The yardstick of the saver's first frame: the same program's start-up (runtime, resources,
// the window toolkit) showing a plain black full-screen window at once. Its first paint is
// as early as any window of this program can show; scripts/bench.sh compares the saver's
// first frame with it.
#include <windows.h>

#include "platform/form_win32.h"
#include "platform/runtime_win32.h"
#include "platform/startup_trace_win32.h"

namespace {

class PlainWindow final : public platform::Form {
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerPlainWindow";
        p.title = L"Plain -- Brackmer Saver";
        p.style = WS_POPUP;
        p.exStyle = WS_EX_APPWINDOW | WS_EX_TOPMOST;
        p.x = 0;
        p.y = 0;
        p.width = GetSystemMetrics(SM_CXSCREEN);
        p.height = GetSystemMetrics(SM_CYSCREEN);
        p.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        return p;
    }

    void OnLoad() override { platform::StartupMark("window created"); }

    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg != WM_PAINT) return Default(msg, wp, lp);
        Default(msg, wp, lp);
        GdiFlush();
        platform::StartupMark("first paint");
        platform::WriteStartupTrace();
        platform::EndProgram();
    }
};

}  // namespace

extern "C" int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    platform::StartupMark("program entered");
    PlainWindow window;
    window.Show();
    return platform::RunMessageLoop();
}
