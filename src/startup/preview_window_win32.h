// The preview window: a fixed picture embedded in the host's preview window
// ("/p <hwnd>"). SaverMain shows it for the preview switch; the Windows tests embed it in
// a window of their own.
#pragma once

#include <memory>
#include <string_view>

#include "platform/form_win32.h"

namespace startup {

inline constexpr wchar_t kPreviewWindowTitle[] = L"Preview -- Brackmer Saver";

// Creates the preview window, embeds it in the host window named by the argument text and
// shows it. Where the text names no window there is nothing to show in: nullptr, no window.
// The returned form lives until the process ends.
std::unique_ptr<platform::Form> ShowPreview(std::string_view argumentText);

}  // namespace startup
