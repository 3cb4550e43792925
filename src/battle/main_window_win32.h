// The saver window "Main -- Brackmer Saver": the full-screen battle until the user stirs.
// SaverMain shows it for "/s" and looks for its title to refuse a second saver.
#pragma once

#include <memory>

#include "platform/form_win32.h"
#include "platform/random.h"

namespace battle {

inline constexpr wchar_t kSaverWindowTitle[] = L"Main -- Brackmer Saver";

std::unique_ptr<platform::Form> CreateSaverWindow(platform::Random& random);

}  // namespace battle
