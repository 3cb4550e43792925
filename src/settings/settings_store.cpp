// Load and save rules of the settings; see settings_store.h.
#include "settings/settings_store.h"

#include "platform/numbers.h"

namespace settings {
namespace {

int16_t ReadInt16(SettingsStore& store, std::string_view key, int16_t fallback) {
    std::optional<std::string> text = store.Get(kSettingSection, key);
    if (!text) return fallback;
    return platform::ParseStoredInt16(*text).value_or(fallback);
}

}  // namespace

SaverSettings LoadSaverSettings(SettingsStore& store) {
    SaverSettings defaults;
    SaverSettings s;
    s.redCount = ReadInt16(store, "RedCount", defaults.redCount);
    s.blueCount = ReadInt16(store, "BlueCount", defaults.blueCount);
    s.background = static_cast<BackgroundMode>(ReadInt16(store, "BackGround", defaults.background));
    return s;
}

void SaveSaverSettings(SettingsStore& store, const SaverSettings& values) {
    store.Save(kSettingSection, "RedCount", std::to_string(values.redCount));
    store.Save(kSettingSection, "BlueCount", std::to_string(values.blueCount));
    store.Save(kSettingSection, "BackGround", std::to_string(values.background));
}

void RecordVersionInfo(SettingsStore& store, const platform::VersionNumbers& version, std::string_view folder) {
    store.Save(kUpdateSection, "CurrentVersion", platform::FormatVersionText(version));
    store.Save(kUpdateSection, "ApplicationPath", folder);
}

}  // namespace settings
