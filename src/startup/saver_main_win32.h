// The program's entry routine: seeds the generator, records the version, refuses to run
// beside a running saver and shows the window the host's command line asks for.
#pragma once

#include <memory>
#include <string>

#include "battle/saver_run_win32.h"
#include "platform/form_win32.h"
#include "platform/handles_win32.h"
#include "platform/random.h"

namespace startup {

// Held by the one saver process of the session from before its window exists until it ends.
inline constexpr wchar_t kSaverMutexName[] = L"Local\\BrackmerSaver.Saver";

// What lives as long as the process: its one generator, seeded as it is made so that no
// start can play the same battle as the last, and the window or run it started.
struct Process {
    platform::Random random = platform::Random::FromClock();
    platform::UniqueHandle saverLock;
    std::unique_ptr<platform::Form> window;
    std::unique_ptr<battle::SaverRun> saver;
};

void SaverMain(Process& process, const std::string& argumentText);

}  // namespace startup
