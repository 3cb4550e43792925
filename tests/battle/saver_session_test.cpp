// The saver session driven through the events its windows deliver: the order of a tick, the
// skipped nested tick, the cursor kept by the primary on unequal axes, an unreadable cursor,
// who can see, the layout rule, errors (a lost display is no fault) and the ending, held
// during set-up and run once.
#include "battle/saver_session.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "battle_test_support.h"
#include "graphics/result_codes.h"

namespace battle {
namespace {

using testing::MakeBattle;
using Journal = std::vector<std::string>;

class JournalDisplay final : public graphics::FrameDisplay {
public:
    JournalDisplay(Journal& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
    graphics::PixelValue SurfacePixel(uint32_t c) override { return c; }
    void SetSurface(int id, const platform::Picture& p) override {
        if (id == graphics::kBackgroundSurface)
            Note(("background " + (p.IsWhole() ? std::to_string(p.At(0, 0)) : "empty")).c_str());
    }
    int32_t FillBackBuffer(graphics::PixelValue) override { return Note("fill"); }
    int32_t BltToBackBuffer(int, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                            int32_t, bool) override {
        return Note("blit");
    }
    void Flip() override {
        Note("flip");
        if (failFlip) throw platform::RuntimeError(platform::RuntimeError::kPlatformCall, "Flip failed", *failFlip);
    }
    std::optional<uint32_t> failFlip;  // the platform result a failing flip carries

private:
    int32_t Note(const char* what) {
        journal_.push_back(name_ + " " + what);
        return 0;
    }
    Journal& journal_;
    std::string name_;
};

class JournalRandom final : public RandomSource {
public:
    explicit JournalRandom(Journal& journal) : journal_(journal), random_(7) {}
    float Next() override {
        journal_.push_back("draw");
        return random_.Next();
    }

private:
    Journal& journal_;
    platform::Random random_;
};

// Journal entries with runs of equal entries folded: "draw x40" reads better than 40 lines.
Journal Folded(const Journal& j) {
    Journal out;
    for (size_t i = 0; i < j.size();) {
        size_t n = 1;
        while (i + n < j.size() && j[i + n] == j[i]) ++n;
        out.push_back(n == 1 ? j[i] : j[i] + " x" + std::to_string(n));
        i += n;
    }
    return out;
}

const std::vector<MonitorInfo> kOneMonitor = {{{0, 0, 800, 600}, true}};

class SaverSessionTest : public ::testing::Test {
protected:
    // Twips factors 15 across and 12 down: the jump limits are 150 and 120 pixels, so an
    // axis swapped anywhere shows.
    SaverSession& Make(std::function<void()> messages = nullptr) {
        platform::Ending::Steps steps{
            .stopEvents = [this] { journal.push_back("stop"); },
            .logError = [this](std::string_view d) { journal.push_back("log " + std::string(d)); },
            .giveBack = {},
            .endProcess = [this] { journal.push_back("end"); }};
        for (int i = 0; i < 2; ++i)
            steps.giveBack.push_back([this, i] { journal.push_back("give back " + std::to_string(i)); });
        session.emplace(random, 15.0f, 12.0f, messages ? messages : [this] { journal.push_back("messages"); },
                        std::move(steps));
        return *session;
    }
    Decision Tick(std::optional<CursorPoint> at) { return session->OnTick(at, kOneMonitor); }

    Journal journal;
    JournalRandom random{journal};
    Battle battle = MakeBattle(1, 1);
    JournalDisplay display{journal, "primary"};
    std::optional<SaverSession> session;
};

TEST_F(SaverSessionTest, ATickMovesEveryScreenBeforeDrawingAnyThenLetsMessagesIn) {
    Battle second = MakeBattle(1, 1, 640, 480);
    JournalDisplay secondDisplay{journal, "second"};
    Make().Start({{&battle, &display}, {&second, &secondDisplay}}, kOneMonitor, CursorPoint{400, 300});
    ASSERT_EQ(Tick(CursorPoint{400, 300}), Decision::kContinue);
    Journal folded = Folded(journal);
    folded[0].resize(4);  // four placements from the one generator, some needing another spot
    EXPECT_EQ(folded, (Journal{"draw", "primary fill", "primary blit x2", "primary flip", "second fill",
                               "second blit x2", "second flip", "messages"}));
    EXPECT_EQ(second.shipStat[2].mode, kSailing);
    EXPECT_LE(second.shipPos[2].x, 640 - 117);
    // The primary alone keeps the cursor, which may creep to the limit on both axes at once.
    EXPECT_EQ(Tick(CursorPoint{550, 420}), Decision::kContinue);
    EXPECT_EQ(battle.lastCursor, (CursorPoint{550, 420}));
    EXPECT_EQ(second.lastCursor, CursorPoint{});
    journal.clear();
    EXPECT_EQ(Tick(CursorPoint{550, 541}), Decision::kEndQuietly);
    EXPECT_EQ(journal, (Journal{"stop", "give back 0", "give back 1", "end"}));  // nothing drawn
}

TEST_F(SaverSessionTest, ATickArrivingDuringTheMessagesOfAnotherIsSkipped) {
    std::vector<Decision> nested;
    Make([&] {
        journal.push_back("messages");
        nested.push_back(Tick(CursorPoint{}));
    }).Start({{&battle, &display}}, kOneMonitor, CursorPoint{});
    ASSERT_EQ(Tick(CursorPoint{}), Decision::kContinue);
    EXPECT_EQ(journal.back(), "messages");  // the nested tick touched nothing
    journal.clear();
    ASSERT_EQ(Tick(CursorPoint{}), Decision::kContinue);  // once the outer tick is over the next runs in full
    EXPECT_EQ(journal.end()[-2], "primary flip");
    EXPECT_EQ(nested, (std::vector<Decision>{Decision::kContinue, Decision::kContinue}));
}

// Screens set up on their wallpaper's fallback ask for it on each tick that draws, before
// the ships, until they have their answer; a paused tick asks nothing, and once every late
// screen has had its answer nothing more is asked.
TEST_F(SaverSessionTest, LateBackgroundsAreAskedOnDrawingTicksUntilEachHasItsAnswer) {
    Battle second = MakeBattle(1, 1, 640, 480), third = MakeBattle(1, 1, 640, 480);
    for (Battle* b : {&battle, &second, &third}) b->background = BackgroundSource::kSnapshot;
    JournalDisplay secondDisplay{journal, "second"}, thirdDisplay{journal, "third"};
    using Answer = std::optional<platform::Picture>;
    const Answer reading, nothing = platform::Picture{};
    const Answer primaryPicture = platform::Picture::Filled(800, 600, 7);
    // Per tick: the cursor (none pauses), each screen's answer, what the tick journals
    // before the ships ("ask N" per question).
    const struct {
        std::optional<CursorPoint> cursor;
        std::vector<Answer> answers;
        Journal before;
    } ticks[] = {
        {CursorPoint{}, {reading, {}, reading}, {"ask 0", "ask 2"}},
        {std::nullopt, {primaryPicture, {}, reading}, {}},
        {CursorPoint{}, {primaryPicture, {}, reading}, {"ask 0", "primary background 7", "ask 2"}},
        {CursorPoint{}, {{}, {}, reading}, {"ask 2"}},
        {CursorPoint{}, {{}, {}, nothing}, {"ask 2"}},
        {CursorPoint{}, {{}, {}, primaryPicture}, {}},
    };
    std::vector<Answer> answers;
    Make().Start({{&battle, &display, true}, {&second, &secondDisplay, false}, {&third, &thirdDisplay, true}},
                 kOneMonitor, CursorPoint{}, [&](size_t screen) {
                     journal.push_back("ask " + std::to_string(screen));
                     return answers.at(screen);
                 });
    for (size_t i = 0; i < std::size(ticks); ++i) {
        answers = ticks[i].answers;
        journal.clear();
        Tick(ticks[i].cursor);
        auto late = [](const std::string& e) { return e.starts_with("ask") || e.find(" background") != std::string::npos; };
        const auto ships = std::find_if_not(journal.begin(), journal.end(), late);
        EXPECT_EQ(Journal(journal.begin(), ships), ticks[i].before) << "tick " << i;
        EXPECT_EQ(std::count_if(ships, journal.end(), late), 0) << "tick " << i;
    }
}

// A cursor that cannot be read (another desktop has the input) pauses and is no move; the
// first good reading afterwards is the new baseline, wherever the pointer went meanwhile.
TEST_F(SaverSessionTest, AnUnreadableCursorPausesAndTheNextReadingIsANewBaseline) {
    Make().Start({{&battle, &display}}, kOneMonitor, std::nullopt);
    journal.clear();
    EXPECT_EQ(Tick(std::nullopt), Decision::kPause);
    EXPECT_EQ(journal, Journal{"messages"});
    EXPECT_EQ(Tick(CursorPoint{700, 500}), Decision::kContinue);
    EXPECT_EQ(Folded(journal).back(), "messages");
    EXPECT_EQ(Folded(journal)[2], "primary fill");
    EXPECT_EQ(Tick(std::nullopt), Decision::kPause);
    EXPECT_EQ(Tick(CursorPoint{0, 0}), Decision::kContinue);
    EXPECT_EQ(Tick(CursorPoint{0, 121}), Decision::kEndQuietly);
}

TEST_F(SaverSessionTest, ALostDisplayEndsQuietlyAndAnyOtherErrorWithItsLogLine) {
    struct Case {
        uint32_t result;
        Journal ending;
    };
    const Case cases[] = {
        {graphics::kSurfaceLost, {"stop", "give back 0", "give back 1", "end"}},
        {graphics::kNoExclusiveMode, {"stop", "give back 0", "give back 1", "end"}},
        {graphics::DDrawResult(226),  // DDERR_NOTFLIPPABLE, next to the lost codes
         {"stop", "log Flip failed", "give back 0", "give back 1", "end"}},
        {0, {"stop", "log Flip failed", "give back 0", "give back 1", "end"}},  // no platform result
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        Make().Start({{&battle, &display}}, kOneMonitor, CursorPoint{});
        display.failFlip = c.result;
        journal.clear();
        EXPECT_EQ(Tick(CursorPoint{}), c.ending.size() == 4 ? Decision::kEndQuietly : Decision::kEndWithError);
        std::erase_if(journal, [](const std::string& e) { return e == "draw" || e.starts_with("primary"); });
        EXPECT_EQ(journal, c.ending);  // the failed tick's messages wait: the ending comes first
        display.failFlip.reset();
    }
}

// Event sequences as the windows deliver them; "start" ends the set-up.
TEST_F(SaverSessionTest, EventSequencesEndOnceAndOnlyWhenTheUserOrTheDesktopSaySo) {
    // Which notices hide the saver from everybody is the Visibility table below.
    enum Event { kStart, kTick, kKey, kClick, kClose, kConsoleOff, kLock, kNewLayout, kModeSwitch, kLostDisplay };
    const std::vector<MonitorInfo> changed = {{{0, 0, 1024, 768}, true}};
    struct Case {
        const char* name;
        std::vector<std::pair<Event, Decision>> steps;
    };
    using D = Decision;
    const Case cases[] = {
        {"key while paused", {{kStart, D::kContinue}, {kLock, D::kPause}, {kTick, D::kPause}, {kKey, D::kEndQuietly}}},
        {"display off, then a click",
         {{kStart, D::kContinue}, {kConsoleOff, D::kPause}, {kClick, D::kEndQuietly}, {kKey, D::kEndQuietly}}},
        {"layout change during a pause",
         {{kStart, D::kContinue}, {kConsoleOff, D::kPause}, {kNewLayout, D::kEndQuietly}}},
        {"the saver's own mode switch keeps the layout",
         {{kStart, D::kContinue}, {kModeSwitch, D::kContinue}, {kTick, D::kContinue}}},
        {"close request during set-up is held",
         {{kClose, D::kContinue}, {kKey, D::kContinue}, {kStart, D::kEndQuietly}, {kTick, D::kEndQuietly}}},
        {"two ends in a row", {{kStart, D::kContinue}, {kLostDisplay, D::kEndQuietly}, {kClose, D::kEndQuietly}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        battle = MakeBattle(1, 1);
        Make();
        for (const auto& [event, expected] : c.steps) {
            Decision d{};
            switch (event) {
                case kStart: d = session->Start({{&battle, &display}}, kOneMonitor, CursorPoint{}); break;
                case kTick: d = Tick(CursorPoint{}); break;
                case kKey: d = session->OnInput(UserInput::kKey); break;
                case kClick: d = session->OnInput(UserInput::kMouseButton); break;
                case kClose: d = session->OnCloseRequest(); break;
                case kConsoleOff: d = session->OnNotice({Notice::kConsoleDisplay, kDisplayOff}); break;
                case kLock: d = session->OnNotice({Notice::kSessionChange, kSessionLock}); break;
                case kNewLayout: d = session->OnDisplayChange(changed); break;
                case kModeSwitch: d = session->OnDisplayChange(kOneMonitor); break;
                case kLostDisplay:
                    d = session->OnError({platform::RuntimeError::kPlatformCall, "lost", graphics::kSurfaceLost});
                    break;
            }
            EXPECT_EQ(d, expected) << "after event " << int(event);
        }
        const bool ended = c.steps.back().second == D::kEndQuietly;
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "end"), ended ? 1 : 0);
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "stop"), ended ? 1 : 0);
        journal.clear();
    }
}

TEST(Visibility, DisplayPowerAndSessionEventsDecideWhetherAnybodyCanSee) {
    const struct {
        Notice notice;
        bool nobodyCanSee;
    } steps[] = {
        // Windows 7 sends only the monitor's power; later systems send it beside the
        // console's display state, which then decides alone.
        {{Notice::kMonitorPower, kDisplayOff}, true},
        {{Notice::kMonitorPower, kDisplayOn}, false},
        {{Notice::kMonitorPower, kDisplayOff}, true},
        {{Notice::kConsoleDisplay, kDisplayOn}, false},
        {{Notice::kMonitorPower, kDisplayOff}, false},
        {{Notice::kConsoleDisplay, kDisplayOff}, true},
        {{Notice::kConsoleDisplay, kDisplayDimmed}, false},  // dimmed is still seen
        {{Notice::kSessionChange, kSessionLock}, true},
        {{Notice::kConsoleDisplay, kDisplayOff}, true},
        {{Notice::kConsoleDisplay, kDisplayOn}, true},       // the display is back, the session still locked
        {{Notice::kSessionChange, kConsoleDisconnect}, true},
        {{Notice::kSessionChange, kRemoteConnect}, true},    // reconnected, still locked
        {{Notice::kSessionChange, kSessionUnlock}, false},
        {{Notice::kSessionChange, kRemoteDisconnect}, true},
        {{Notice::kSessionChange, kSessionLogon}, true},     // says nothing about who sees
        {{Notice::kSessionChange, kRemoteControl}, true},
        {{Notice::kSessionChange, kConsoleConnect}, false},
        {{Notice::kSessionChange, kSessionLogoff}, false},
        {{Notice::kConsoleDisplay, 3}, false},               // an unknown state is not "off"
        {{Notice::kSessionDisplay, kDisplayOff}, true},
        {{Notice::kConsoleDisplay, kDisplayOn}, true},       // the session's own display rules now
        {{Notice::kSessionDisplay, kDisplayDimmed}, false},
        {{Notice::kConsoleDisplay, kDisplayOff}, false},
    };
    Visibility v;
    EXPECT_FALSE(v.NobodyCanSee());
    for (size_t i = 0; i < std::size(steps); ++i) {
        v.On(steps[i].notice);
        EXPECT_EQ(v.NobodyCanSee(), steps[i].nobodyCanSee) << "step " << i;
    }
}

}  // namespace
}  // namespace battle
