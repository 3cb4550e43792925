// The configuration dialog "Brackmer Saver設定" (fleet sizes and background).
#pragma once

#include <memory>

#include "platform/form_win32.h"

namespace settings {

std::unique_ptr<platform::Form> CreateConfigDialog();

}  // namespace settings
