// The saver's tick as a whole: its order (cursor, ships, frames, messages), the skipped
// nested tick, the cursor jump that stops it before anything moves, the pause while nobody
// can see, and several screens sharing one generator.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "battle/saver_tick.h"
#include "battle_test_support.h"
#include "platform/runtime_error.h"

namespace battle {
namespace {

using testing::MakeBattle;
using Journal = std::vector<std::string>;

class JournalDisplay final : public graphics::FrameDisplay {
public:
    JournalDisplay(Journal& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
    int32_t FillBackBuffer(graphics::PixelValue) override { return Note("fill"); }
    int32_t BltToBackBuffer(int, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                            int32_t, bool) override {
        return Note("blit");
    }
    void Flip() override {
        Note("flip");
        if (failFlip) throw platform::RuntimeError(platform::RuntimeError::kPlatformCall, "Flip failed");
    }
    bool failFlip = false;

private:
    int32_t Note(const char* what) {
        journal_.push_back(name_ + " " + what);
        return 0;
    }
    Journal& journal_;
    std::string name_;
};

class JournalCursor final : public CursorSource {
public:
    explicit JournalCursor(Journal& journal) : journal_(journal) {}
    CursorPoint Position() override {
        journal_.push_back("cursor");
        return at;
    }
    CursorPoint at{};

private:
    Journal& journal_;
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

class SaverTickTest : public ::testing::Test {
protected:
    SaverTick MakeTick(std::vector<BattleScreen> screens, std::function<void()> messages = nullptr) {
        return SaverTick(std::move(screens), cursor, random, 15.0f, 15.0f,
                         messages ? messages : [this] { journal.push_back("messages"); });
    }
    Journal journal;
    JournalCursor cursor{journal};
    JournalRandom random{journal};
    Battle battle = MakeBattle(1, 1);
    JournalDisplay display{journal, "primary"};
};

TEST_F(SaverTickTest, ChecksTheCursorThenMovesTheShipsThenDrawsThenLetsMessagesIn) {
    SaverTick tick = MakeTick({{&battle, &display}});
    ASSERT_EQ(tick.Run(), TickOutcome::kRan);
    // Two ships placed (two draws each), then a frame with both, then the messages.
    EXPECT_EQ(Folded(journal),
              (Journal{"cursor", "draw x4", "primary fill", "primary blit x2", "primary flip", "messages"}));
    EXPECT_EQ(battle.shipStat[1].mode, kSailing);
}

TEST_F(SaverTickTest, EveryScreenMovesBeforeAnyIsDrawnFromTheOneGenerator) {
    Battle second = MakeBattle(1, 1, 640, 480);
    JournalDisplay secondDisplay{journal, "second"};
    SaverTick tick = MakeTick({{&battle, &display}, {&second, &secondDisplay}});
    ASSERT_EQ(tick.Run(), TickOutcome::kRan);
    Journal folded = Folded(journal);
    folded[1].resize(4);  // four placements, some of which may have needed another spot
    EXPECT_EQ(folded, (Journal{"cursor", "draw", "primary fill", "primary blit x2", "primary flip",
                                        "second fill", "second blit x2", "second flip", "messages"}));
    EXPECT_EQ(second.shipStat[2].mode, kSailing);
    EXPECT_LE(second.shipPos[2].x, 640 - 117);
}

TEST_F(SaverTickTest, ATickArrivingDuringTheMessagesOfAnotherIsSkipped) {
    std::optional<SaverTick> tick;
    std::vector<TickOutcome> nested;
    tick.emplace(MakeTick({{&battle, &display}}, [&] {
        journal.push_back("messages");
        nested.push_back(tick->Run());
    }));
    ASSERT_EQ(tick->Run(), TickOutcome::kRan);
    EXPECT_EQ(nested, std::vector<TickOutcome>{TickOutcome::kSkipped});
    EXPECT_EQ(journal.back(), "messages");  // the nested tick touched nothing
    // Once the outer tick is over the next one runs in full.
    journal.clear();
    ASSERT_EQ(tick->Run(), TickOutcome::kRan);
    EXPECT_EQ(journal.front(), "cursor");
    EXPECT_EQ(nested.size(), 2u);
}

TEST_F(SaverTickTest, ACursorJumpStopsTheTickBeforeAnythingMoves) {
    battle.lastCursor = {400, 300};
    cursor.at = {400, 450};  // 150 pixels: still a nudge
    SaverTick tick = MakeTick({{&battle, &display}});
    ASSERT_EQ(tick.Run(), TickOutcome::kRan);
    EXPECT_EQ(battle.lastCursor, (CursorPoint{400, 450}));
    journal.clear();
    const Battle before = battle;
    cursor.at = {551, 450};  // 151 pixels on the other axis: the user is back
    EXPECT_EQ(tick.Run(), TickOutcome::kUserMoved);
    EXPECT_EQ(journal, Journal{"cursor"});
    EXPECT_EQ(battle, before);
}

TEST_F(SaverTickTest, WhileNobodyCanSeeNothingMovesOrIsDrawnButTheCursorStillCounts) {
    SaverTick tick = MakeTick({{&battle, &display}});
    tick.SetPaused(true);
    const Battle before = battle;
    ASSERT_EQ(tick.Run(), TickOutcome::kRan);
    EXPECT_EQ(journal, (Journal{"cursor", "messages"}));
    EXPECT_EQ(battle, before);
    cursor.at = {0, 151};
    EXPECT_EQ(tick.Run(), TickOutcome::kUserMoved);

    cursor.at = battle.lastCursor;
    tick.SetPaused(false);
    journal.clear();
    ASSERT_EQ(tick.Run(), TickOutcome::kRan);
    EXPECT_EQ(Folded(journal).back(), "messages");
    EXPECT_EQ(Folded(journal)[2], "primary fill");
}

TEST_F(SaverTickTest, AFailedFrameEndsThatTickOnlyAndSkipsItsMessages) {
    display.failFlip = true;
    SaverTick tick = MakeTick({{&battle, &display}});
    EXPECT_THROW(tick.Run(), platform::RuntimeError);
    EXPECT_EQ(journal.back(), "primary flip");
    display.failFlip = false;
    journal.clear();
    EXPECT_EQ(tick.Run(), TickOutcome::kRan);  // not mistaken for a nested tick
    EXPECT_EQ(journal.back(), "messages");
}

}  // namespace
}  // namespace battle
