// What the screen shows now, read through the desktop window's device context: the snapshot
// the desktop background starts from. The saver window takes it for each screen before any
// of its windows shows.
#pragma once

#include "platform/geometry.h"
#include "platform/picture.h"

namespace desktop {

// The pixels of `area` (virtual-screen pixels, which may lie left of or above the primary).
platform::Picture CaptureScreen(const platform::Rect& area);

}  // namespace desktop
