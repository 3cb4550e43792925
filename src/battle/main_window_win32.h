// The saver window "Main -- Brackmer Saver": full screen battle until the user stirs.
#pragma once

#include <memory>

#include "platform/form_win32.h"
#include "platform/random.h"

namespace battle {

std::unique_ptr<platform::Form> CreateSaverWindow(platform::Random& random);

}  // namespace battle
