// Where the desktop background starts from: whether the saver runs on the desktop the user
// sees (a saver on the secure screen-saver desktop captures an empty one, and then draws the
// wallpaper, wallpaper_read_win32). The saver window's start-up plan asks.
#pragma once

namespace desktop {

// Whether the saver's thread runs on the desktop that has the user's windows (OnUserDesktop of
// the thread's and the input desktop's names; a name that cannot be read counts as the user's).
bool SaverOnUserDesktop();

}  // namespace desktop
