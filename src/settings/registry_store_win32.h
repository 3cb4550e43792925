// The settings store on Windows: per-user registry values under
// HKCU\Software\VB and VBA Program Settings\<application>\<section>, as REG_SZ strings,
// where the platform's GetSetting/SaveSetting have always kept them.
#pragma once

#include <string>

#include "settings/settings_store.h"

namespace settings {

class RegistryStore final : public SettingsStore {
public:
    explicit RegistryStore(std::string_view application = kAppName);
    std::optional<std::string> Get(std::string_view section, std::string_view key) override;
    void Save(std::string_view section, std::string_view key, std::string_view value) override;

private:
    std::wstring root_;
};

}  // namespace settings
