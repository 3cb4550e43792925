// The saver's ending: events stop before anything else, the error is logged before the
// display goes back, every give-back step runs even when one fails, and it runs once.
#include "platform/ending.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/runtime_error.h"

namespace platform {
namespace {

struct Trace {
    std::vector<std::string> steps;
    Ending::Steps Make(std::vector<int> failing = {}) {
        auto step = [this, failing](std::string name, int index) {
            return [this, failing, name, index] {
                steps.push_back(name);
                for (int f : failing)
                    if (f == index) throw RuntimeError(RuntimeError::kPlatformCall, name + " failed");
            };
        };
        return {.stopEvents = step("stop", 0),
                .logError = [this](std::string_view d) { steps.push_back("log " + std::string(d)); },
                .giveBack = {step("cursor", 1), step("surfaces", 2), step("display", 3)},
                .endProcess = [this] { steps.push_back("end"); }};
    }
};

using Steps = std::vector<std::string>;

TEST(Ending, UserExitStopsEventsGivesBackAndEndsWithoutALog) {
    Trace t;
    Ending ending(t.Make());
    ending.Run();
    EXPECT_EQ(t.steps, (Steps{"stop", "cursor", "surfaces", "display", "end"}));
}

TEST(Ending, ErrorIsLoggedAfterEventsStopAndBeforeTheDisplayGoesBack) {
    Trace t;
    Ending ending(t.Make());
    ending.Run("Flip failed: DDERR_SURFACELOST");
    EXPECT_EQ(t.steps, (Steps{"stop", "log Flip failed: DDERR_SURFACELOST", "cursor", "surfaces", "display", "end"}));
}

TEST(Ending, EveryGiveBackStepRunsWhateverFailed) {
    for (std::vector<int> failing : {std::vector<int>{0}, {1}, {2}, {3}, {1, 2, 3}}) {
        Trace t;
        Ending ending(t.Make(failing));
        EXPECT_NO_THROW(ending.Run("x"));
        EXPECT_EQ(t.steps, (Steps{"stop", "log x", "cursor", "surfaces", "display", "end"}));
    }
    // A log that cannot be written does not keep the display.
    Trace t;
    Ending::Steps steps = t.Make();
    steps.logError = [](std::string_view) { throw std::runtime_error("disk full"); };
    Ending ending(std::move(steps));
    EXPECT_NO_THROW(ending.Run("x"));
    EXPECT_EQ(t.steps, (Steps{"stop", "cursor", "surfaces", "display", "end"}));
}

TEST(Ending, RunsOnceEvenWhenCalledAgainFromInsideOrAfter) {
    Trace t;
    Ending* self = nullptr;
    Ending::Steps steps = t.Make();
    // Giving the display back lets a late timer message run, whose tick fails again.
    steps.giveBack.insert(steps.giveBack.begin() + 1, [&] { self->Run("FillSurface: object variable not set"); });
    Ending ending(std::move(steps));
    self = &ending;
    EXPECT_FALSE(ending.HasStarted());
    ending.Run("Flip failed");
    EXPECT_TRUE(ending.HasStarted());
    ending.Run("later");
    EXPECT_EQ(t.steps, (Steps{"stop", "log Flip failed", "cursor", "surfaces", "display", "end"}));
}

}  // namespace
}  // namespace platform
