// Fuzz target: the settings as another program or a hand edit may have stored them, and a
// count box's text as typed. The input is split at the first two NULs into the three stored
// values; the whole of it is also a count box's text. Nothing may throw; a count is always a
// fleet size, and a corrected box corrects to itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/numbers.h"
#include "settings/config_rules.h"
#include "settings/settings_store.h"

namespace {

class FixedStore final : public settings::SettingsStore {
public:
    explicit FixedStore(std::string_view bytes) {
        for (std::string& value : values_) {
            const size_t end = std::min(bytes.find('\0'), bytes.size());
            value = bytes.substr(0, end);
            bytes.remove_prefix(std::min(end + 1, bytes.size()));
        }
    }
    std::optional<std::string> Get(std::string_view, std::string_view key) override {
        if (key == "RedCount") return values_[0];
        if (key == "BlueCount") return values_[1];
        return values_[2];
    }
    void Save(std::string_view, std::string_view, std::string_view) override {}

private:
    std::string values_[3];
};

void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FixedStore store(bytes);
    settings::LoadSaverSettings(store);
    (void)platform::ParseStoredInt16(bytes);
    (void)platform::LeadingNumber(bytes);

    const std::string typed = settings::FoldFullWidthNumber(bytes);
    const int16_t count = settings::CountFromText(typed);
    Check(count >= settings::kMinCount && count <= settings::kMaxCount);
    const std::string shown = settings::ClampCountText(typed);
    Check(settings::ClampCountText(shown) == shown);
    Check(settings::CountFromText(shown) == count);
    const int16_t stepped = settings::StepCount(typed, size % 2 ? 1 : -1);
    Check(stepped >= settings::kMinCount && stepped <= settings::kMaxCount);
    return 0;
}
