// SaverMain and WinMain; see saver_main_win32.h. The windows themselves come from the
// battle (saver), settings (dialog) and preview modules.
#include "startup/saver_main_win32.h"

#include <windows.h>

#include "battle/saver_run_win32.h"
#include "platform/runtime_win32.h"
#include "platform/startup_trace_win32.h"
#include "settings/config_dialog_win32.h"
#include "settings/registry_store_win32.h"
#include "startup/command_line.h"
#include "startup/preview_window_win32.h"

namespace startup {

void SaverMain(Process& process, const std::string& argumentText) {
    try {
        settings::RegistryStore store;
        settings::RecordVersionInfo(store, platform::ProgramVersion(), platform::ProgramFolder());
    } catch (const platform::RuntimeError&) {
        // A read-only or damaged store must not keep the screen saver from running; the
        // version note is informational and nothing reads it back.
    }

    if (FindWindowW(nullptr, battle::kSaverWindowTitle)) platform::EndProgram();

    switch (DecideMode(argumentText)) {
        case Mode::kSaver:
            // The title check sees only a saver whose window exists; two starts a few
            // milliseconds apart both pass it. The mutex is created atomically: the later
            // start ends silently before it touches the display.
            process.saverLock.reset(CreateMutexW(nullptr, FALSE, kSaverMutexName));
            if (!process.saverLock || GetLastError() == ERROR_ALREADY_EXISTS) platform::EndProgram();
            process.saver = std::make_unique<battle::SaverRun>(process.random);
            process.saver->Start();
            break;
        case Mode::kConfig:
            // One dialog at a time: a second request brings the open one to the front
            // instead of racing it for the last word in the store.
            if (HWND open = FindWindowW(nullptr, settings::kConfigWindowTitle)) {
                SetForegroundWindow(open);
                platform::EndProgram();
            }
            platform::ProcessPendingMessages();
            // The dialog and the preview keep the system-wide scaling the host and the
            // dialog layout expect; only the saver's battles follow each monitor's DPI.
            platform::UseSystemDpiForThisThread();
            process.window = settings::CreateConfigDialog(
                reinterpret_cast<HWND>(static_cast<uintptr_t>(ConfigOwnerHandle(argumentText).value_or(0))));
            process.window->Show();
            break;
        case Mode::kPreview:
            platform::UseSystemDpiForThisThread();
            process.window = ShowPreview(argumentText);
            break;
        case Mode::kNone:
            break;
    }
}

}  // namespace startup

extern "C" int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    platform::StartupMark("program entered");
    try {
        startup::Process process;
        startup::SaverMain(process, startup::ArgumentText(platform::Narrow(GetCommandLineW())));
        return platform::RunMessageLoop();
    } catch (const std::exception& e) {
        platform::ReportFatalError(e);
    }
}
