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

TEST(LoadSaverSettings, EmptyStoreGivesDefaults) {
    MemoryStore store;
    SaverSettings s = LoadSaverSettings(store);
    EXPECT_EQ(s.redCount, 5);
    EXPECT_EQ(s.blueCount, 5);
    EXPECT_EQ(s.background, kDesktop);
}

TEST(LoadSaverSettings, ReturnsStoredValuesWithoutRangeChecks) {
    MemoryStore store;
    store.values[{"Setting", "RedCount"}] = "20";
    store.values[{"Setting", "BlueCount"}] = "7.5";
    store.values[{"Setting", "BackGround"}] = "1";
    SaverSettings s = LoadSaverSettings(store);
    EXPECT_EQ(s.redCount, 20);
    EXPECT_EQ(s.blueCount, 8);
    EXPECT_EQ(s.background, kPlainBlue);
}

TEST(LoadSaverSettings, JunkOrOversizedValuesFallBackToDefaults) {
    MemoryStore store;
    store.values[{"Setting", "RedCount"}] = "many";
    store.values[{"Setting", "BlueCount"}] = "99999";
    store.values[{"Setting", "BackGround"}] = "2x";
    SaverSettings s = LoadSaverSettings(store);
    EXPECT_EQ(s.redCount, 5);
    EXPECT_EQ(s.blueCount, 5);
    EXPECT_EQ(s.background, 0);
}

TEST(LoadSaverSettings, ExponentsAreReadOnlyWithTheirDigits) {
    MemoryStore store;
    store.values[{"Setting", "RedCount"}] = "1E1";
    store.values[{"Setting", "BlueCount"}] = "7e";
    store.values[{"Setting", "BackGround"}] = "1e";
    SaverSettings s = LoadSaverSettings(store);
    EXPECT_EQ(s.redCount, 10);
    EXPECT_EQ(s.blueCount, 5);
    EXPECT_EQ(s.background, 0);
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
