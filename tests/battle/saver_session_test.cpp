// The saver session driven through the events its windows deliver: the order of a tick, the
// skipped nested tick, the cursor kept by the primary on unequal axes, late backgrounds,
// errors (a lost display is no fault), who can see; and any sequence of events before and
// after the start, against what they call for.
#include "battle/saver_session.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "battle_test_support.h"
#include "graphics/result_codes.h"
#include "support/properties.h"

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
    EXPECT_EQ(second.lastCursor, (CursorPoint{0, 0}));
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

TEST_F(SaverSessionTest, ALostDisplayEndsQuietlyAndAnyOtherErrorWithItsLogLine) {
    struct Case {
        uint32_t result;
        Journal ending;
    };
    const Case cases[] = {
        {graphics::kNoExclusiveMode, {"stop", "give back 0", "give back 1", "end"}},
        {graphics::DDrawResult(226),  // DDERR_NOTFLIPPABLE, next to the lost codes
         {"stop", "log Flip failed", "give back 0", "give back 1", "end"}},
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

// Any sequence of the events the windows deliver, before and after the start, alone or after
// others. Nothing ends unless the user acts (held until the start when it comes during the
// set-up), the layout changes, the cursor jumps from a reading that was good, or an error
// comes; the run is paused exactly while nobody can see (Visibility fed the same notices) or
// the cursor cannot be read; a tick that draws draws every screen once and lets messages in,
// one that does not draws nothing; the ending runs once, every give-back step in it.
struct Event {
    enum Kind { kStart, kTick, kInput, kClose, kNotice, kDisplayChange, kError } kind;
    bool readable = true;      // kStart, kTick: the cursor could be read
    int32_t dx = 0, dy = 0;    // kStart, kTick: how far the pointer went since the last event
    bool changed = false;      // kTick, kDisplayChange: a new layout; kError: not a lost display
    Notice notice{Notice::kConsoleDisplay, 0};
};

void showValue(const Event& e, std::ostream& os) {
    os << "{kind " << int(e.kind) << (e.readable ? "" : " unreadable") << " move " << e.dx << "," << e.dy
       << (e.changed ? " changed" : "") << " notice " << int(e.notice.kind) << "/" << e.notice.value << "}";
}

rc::Gen<Event> GenEvent() {
    // Moves mostly within the limits (150 across, 120 down), now and then beyond one.
    const auto move = rc::gen::weightedOneOf<int32_t>(
        {{6, support::Uniform(-150, 150)}, {1, rc::gen::element(-151, 151, -121, 121, 100000)}});
    return rc::gen::apply(
        [](int kind, bool readable, int32_t dx, int32_t dy, bool changed, int noticeKind, uint32_t value) {
            return Event{Event::Kind(kind), readable, dx, dy, changed, Notice{Notice::Kind(noticeKind), value}};
        },
        rc::gen::weightedElement<int>({{1, Event::kStart}, {12, Event::kTick}, {1, Event::kInput}, {1, Event::kClose},
                                       {8, Event::kNotice}, {2, Event::kDisplayChange}, {1, Event::kError}}),
        rc::gen::weightedElement<bool>({{5, true}, {1, false}}), move, move,
        rc::gen::weightedElement<bool>({{5, false}, {1, true}}), support::Uniform(0, 3), support::Uniform<uint32_t>(0, 9));
}

RC_GTEST_PROP(SaverSessionEvents, EndOnlyWhenTheUserOrTheDesktopSaySoPauseExactlyWhileNobodySees, ()) {
    // A few events during the set-up, the start, and whatever comes after (another start too).
    std::vector<Event> events = *rc::gen::resize(5, rc::gen::container<std::vector<Event>>(GenEvent()));
    events.push_back({Event::kStart, *rc::gen::weightedElement<bool>({{5, true}, {1, false}})});
    const std::vector<Event> after = *rc::gen::container<std::vector<Event>>(GenEvent());
    events.insert(events.end(), after.begin(), after.end());
    Journal journal;
    JournalRandom random{journal};
    Battle primary = MakeBattle(1, 1), second = MakeBattle(1, 1, 640, 480);
    JournalDisplay primaryDisplay{journal, "primary"}, secondDisplay{journal, "second"};
    const std::vector<MonitorInfo> layout = {{{0, 0, 800, 600}, true}, {{800, 0, 640, 480}, false}};
    std::vector<MonitorInfo> newLayout = layout;
    newLayout[1].rect.left = -640;
    platform::Ending::Steps steps{
        .stopEvents = [&] { journal.push_back("stop"); },
        .logError = [&](std::string_view d) { journal.push_back("log " + std::string(d)); },
        .giveBack = {[&] { journal.push_back("give back 0"); }, [&] { journal.push_back("give back 1"); }},
        .endProcess = [&] { journal.push_back("end"); }};
    SaverSession session(random, 15.0f, 12.0f, [&] { journal.push_back("messages"); }, std::move(steps));

    // The model: what the events so far call for.
    Visibility seen;
    bool started = false, held = false;
    std::optional<Decision> ended;
    CursorPoint pointer{400, 300};
    std::optional<CursorPoint> reading;  // the last reading, none while it failed
    for (const Event& e : events) {
        pointer = {pointer.x + e.dx, pointer.y + e.dy};
        const std::optional<CursorPoint> cursor = e.readable ? std::optional(pointer) : std::nullopt;
        journal.clear();
        const bool endedBefore = ended.has_value();
        bool draws = false, lets = false;
        auto end = [&](Decision how) { if (!ended) ended = how; };
        Decision got{};
        switch (e.kind) {
            case Event::kStart:
                got = session.Start({{&primary, &primaryDisplay}, {&second, &secondDisplay}}, layout, cursor);
                if (!started && !ended) {
                    started = true;
                    reading = cursor;
                    if (held) end(Decision::kEndQuietly);
                }
                break;
            case Event::kTick:
                got = session.OnTick(cursor, e.changed ? newLayout : layout);
                if (!started || ended) break;
                if (e.changed || (cursor && reading && (std::abs(cursor->x - reading->x) > 150 ||
                                                        std::abs(cursor->y - reading->y) > 120))) {
                    end(Decision::kEndQuietly);
                    break;
                }
                reading = cursor;
                draws = !seen.NobodyCanSee() && reading;
                lets = true;
                break;
            case Event::kInput:
            case Event::kClose:
                got = e.kind == Event::kInput ? session.OnInput(e.readable ? UserInput::kKey : UserInput::kMouseButton)
                                              : session.OnCloseRequest();
                if (started) end(Decision::kEndQuietly); else held = true;
                break;
            case Event::kNotice:
                got = session.OnNotice(e.notice);
                seen.On(e.notice);
                break;
            case Event::kDisplayChange:
                got = session.OnDisplayChange(e.changed ? newLayout : layout);
                if (started && e.changed) end(Decision::kEndQuietly);
                break;
            case Event::kError:
                got = session.OnError({platform::RuntimeError::kPlatformCall, "failed",
                                       e.changed ? 0u : graphics::kSurfaceLost});
                end(e.changed ? Decision::kEndWithError : Decision::kEndQuietly);
                break;
        }
        const bool paused = seen.NobodyCanSee() || (started && !reading);
        const Decision expected = ended ? *ended : paused ? Decision::kPause : Decision::kContinue;
        RC_ASSERT(int(got) == int(expected));
        const auto count = [&](const char* what) { return std::count(journal.begin(), journal.end(), what); };
        RC_ASSERT(count("primary flip") == (draws ? 1 : 0));
        RC_ASSERT(count("second flip") == (draws ? 1 : 0));
        RC_ASSERT(count("messages") == (lets ? 1 : 0));
        if (count("stop") != 0) {  // the ending, whole and in its order
            Journal ending(std::find(journal.begin(), journal.end(), "stop"), journal.end());
            Journal whole{"stop", "give back 0", "give back 1", "end"};
            if (*ended == Decision::kEndWithError) whole.insert(whole.begin() + 1, "log failed");
            RC_ASSERT(ending == whole);
        }
        RC_ASSERT(count("stop") == (ended && !endedBefore ? 1 : 0));  // on the event that ended, never again
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
