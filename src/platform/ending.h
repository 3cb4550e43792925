// The one way a running saver ends, whatever ended it (a key, a click, a cursor jump, a
// lost display or any other error). The saver's run names the steps (events, the error
// log, every screen's give-back, the process), and its session runs them; the order and the guarantees are
// here, tested natively.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

class Ending {
public:
    struct Steps {
        // Stops every timer and every handler of the program, so nothing runs in between.
        std::function<void()> stopEvents;
        // Records the error that ended the run (only called with one).
        std::function<void(std::string_view description)> logError;
        // Shows the cursor, releases the surfaces, gives the display back, ...: each step
        // runs whatever the earlier ones did, and a failure in one is neither raised nor
        // reported, since the user only wants the desktop back.
        std::vector<std::function<void()>> giveBack;
        // Ends the process; does not return in the program.
        std::function<void()> endProcess;
    };

    explicit Ending(Steps steps) : steps_(std::move(steps)) {}

    // Stops events, logs the error if there is one, gives everything back, ends. Runs once:
    // a call made while it runs, or after it, does nothing, so a follow-on error never
    // replaces the one that ended the run.
    void Run(std::optional<std::string_view> error = std::nullopt);
    bool HasStarted() const { return started_; }

private:
    Steps steps_;
    bool started_ = false;
};

}  // namespace platform
