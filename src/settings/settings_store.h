// The saver's persistent values: the user's three choices (section "Setting") and the
// version record (section "UpdateInfo") of the application "BrackmerSaver". The rules live
// here; where the strings are kept is a SettingsStore (the per-user registry on Windows).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/version.h"

namespace settings {

enum BackgroundMode : int16_t { kDesktop = 0, kPlainBlue = 1 };

struct SaverSettings {
    int16_t redCount = 5;
    int16_t blueCount = 5;
    int16_t background = kDesktop;
};

inline constexpr std::string_view kAppName = "BrackmerSaver";
inline constexpr std::string_view kSettingSection = "Setting";
inline constexpr std::string_view kUpdateSection = "UpdateInfo";

// Strings keyed by section and key under the application, UTF-8.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // nullopt when the section or the key does not exist (or cannot be read as text).
    virtual std::optional<std::string> Get(std::string_view section, std::string_view key) = 0;
    // Creates the section and key as needed; throws platform::RuntimeError when it cannot.
    virtual void Save(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// Reads "RedCount", "BlueCount", "BackGround" in that order. Values are not range-checked
// (a stored 20 comes back as 20); a value that is no number or does not fit 16 bits reads
// as its default, so a damaged store never stops the saver.
SaverSettings LoadSaverSettings(SettingsStore& store);

// Writes "RedCount", "BlueCount", "BackGround" in that order, as plain decimal text.
void SaveSaverSettings(SettingsStore& store, const SaverSettings& values);

// Writes "CurrentVersion" then "ApplicationPath".
void RecordVersionInfo(SettingsStore& store, const platform::VersionNumbers& version, std::string_view folder);

}  // namespace settings
