// The saver's ending sequence; see ending.h.
#include "platform/ending.h"

#include <utility>

namespace platform {
namespace {

void RunQuietly(const std::function<void()>& step) {
    if (!step) return;
    try {
        step();
    } catch (...) {
        // Giving back goes on: a display that refuses one step still gets the others.
    }
}

}  // namespace

void Ending::Run(std::optional<std::string_view> error) {
    if (std::exchange(started_, true)) return;
    RunQuietly(steps_.stopEvents);
    if (error && steps_.logError) RunQuietly([&] { steps_.logError(*error); });
    for (const auto& step : steps_.giveBack) RunQuietly(step);
    if (steps_.endProcess) steps_.endProcess();
}

}  // namespace platform
