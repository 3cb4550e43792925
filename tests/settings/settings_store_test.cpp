// Load and save rules over an in-memory store: defaults, junk values, order of writes.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace settings {
namespace {

class MemoryStore : public SettingsStore {
public:
    std::optional<std::string> Get(std::string_view section, std::string_view key) override {
        auto it = values.find({std::string(section), std::string(key)});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void Save(std::string_view section, std::string_view key, std::string_view value) override {
        values[{std::string(section), std::string(key)}] = std::string(value);
        writes.push_back(std::string(section) + "/" + std::string(key));
    }
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> writes;
};

// Each key on its own: what is stored is used without range checks (the battle and the
// dialog have their own), and a key that is missing or no whole 16-bit number falls back to
// its default. How a text reads as a number is ParseStoredInt16's test.
TEST(LoadSaverSettings, TakesEachStoredNumberOrItsDefault) {
    struct Case {
        const char *red, *blue, *background;  // nullptr: nothing stored
        SaverSettings loaded;
    } cases[] = {
        {nullptr, nullptr, nullptr, {5, 5, kDesktop}},
        {"20", "7.5", "1", {20, 8, kPlainBlue}},
        {"many", "-3", "2x", {5, -3, kDesktop}},
        {"1", "99999", "2", {1, 5, BackgroundMode{2}}},
    };
    for (const Case& c : cases) {
        MemoryStore store;
        for (auto [key, text] : {std::pair{"RedCount", c.red}, {"BlueCount", c.blue}, {"BackGround", c.background}})
            if (text) store.values[{"Setting", key}] = text;
        const SaverSettings s = LoadSaverSettings(store);
        EXPECT_EQ((std::vector<int>{s.redCount, s.blueCount, s.background}),
                  (std::vector<int>{c.loaded.redCount, c.loaded.blueCount, c.loaded.background}))
            << (c.red ? c.red : "-") << " " << (c.blue ? c.blue : "-");
    }
}

TEST(SaveSaverSettings, WritesPlainDecimalTextsInOrder) {
    MemoryStore store;
    SaveSaverSettings(store, {2, 15, kPlainBlue});
    EXPECT_EQ(store.values[std::make_pair(std::string("Setting"), std::string("RedCount"))], "2");
    EXPECT_EQ(store.values[std::make_pair(std::string("Setting"), std::string("BlueCount"))], "15");
    EXPECT_EQ(store.values[std::make_pair(std::string("Setting"), std::string("BackGround"))], "1");
    EXPECT_EQ(store.writes, (std::vector<std::string>{"Setting/RedCount", "Setting/BlueCount", "Setting/BackGround"}));
    EXPECT_EQ(LoadSaverSettings(store).blueCount, 15);
}

TEST(RecordVersionInfo, WritesVersionThenPath) {
    MemoryStore store;
    RecordVersionInfo(store, {1, 0, 0}, "C:\\Savers");
    EXPECT_EQ(store.writes, (std::vector<std::string>{"UpdateInfo/CurrentVersion", "UpdateInfo/ApplicationPath"}));
    EXPECT_EQ(store.values[std::make_pair(std::string("UpdateInfo"), std::string("CurrentVersion"))], "1.00.0000");
    EXPECT_EQ(store.values[std::make_pair(std::string("UpdateInfo"), std::string("ApplicationPath"))], "C:\\Savers");
}

}  // namespace
}  // namespace settings
