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

// "BackGround": the desktop as it was when the saver started, or the plain blue sea. The
// store hands back any 16-bit value unchecked (the type holds them all); the battle draws
// black for one that is neither, and the dialog shows the desktop option for it.
enum BackgroundMode : int16_t { kDesktop = 0, kPlainBlue = 1 };

// Fleet sizes have three ranges, on purpose:
// - the dialog offers and stores 2..15, the sizes the battle was designed and tuned for;
inline constexpr int16_t kMinCount = 2;
inline constexpr int16_t kMaxCount = 15;
// - the store reads back whatever 16-bit value it finds, unchecked: another program or a hand
//   edit may have written it, and only the reader knows what it can use;
// - the battle takes 0..kMaxFleetSize (negative as an empty fleet, more cut to it): every
//   size the dialog offers and more, while a damaged store can neither stop the saver nor
//   make a tick crawl.
inline constexpr int16_t kMaxFleetSize = 50;

struct SaverSettings {
    int16_t redCount = 5;
    int16_t blueCount = 5;
    BackgroundMode background = kDesktop;
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
