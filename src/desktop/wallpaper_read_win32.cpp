// The wallpaper read's worker and its one keeper: the facts from wallpaper_facts_win32, the
// files and the hand-out by wallpaper_read's rules, each file decoded once by
// wallpaper_decode_win32 for all monitors that show it.
#include "desktop/wallpaper_read_win32.h"

#include <windows.h>

#include <memory>
#include <system_error>
#include <thread>

#include "desktop/wallpaper_decode_win32.h"
#include "desktop/wallpaper_facts_win32.h"

namespace desktop {
namespace {

void ReadEveryMonitor(WallpaperRead& read) {
    const std::vector<platform::Rect>& monitors = read.Monitors();
    const platform::Rect desktop = platform::Bounds(monitors);
    const WallpaperStyle style = WallpaperStyleSetting();
    const std::vector<std::wstring> pictures = PicturesOf(RecordedPicturesFor(monitors), monitors.size());
    const std::vector<std::vector<std::wstring>> files = FilesPerMonitor(monitors, pictures, FindFiles());
    RunRead(read, files, [&](const std::wstring& path, const std::vector<size_t>& which) {
        std::vector<platform::Rect> shown;
        for (size_t i : which) shown.push_back(monitors[i]);
        return DecodeWallpaper(path, style, shown, desktop);
    });
}

std::shared_ptr<WallpaperRead> Start(const std::vector<platform::Rect>& monitors) {
    auto read = std::make_shared<WallpaperRead>(monitors);
    try {
        // Detached: a share that never answers keeps the worker, never the saver, waiting;
        // the worker holds the read it fills, so the saver may end before it does.
        std::thread([read] {
            // Below the battle: on a busy machine the frames come first.
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
            try {
                ReadEveryMonitor(*read);
            } catch (...) {
            }
            // Whatever stopped it, nothing more comes: the rest is the colour.
            read->End();
        }).detach();
    } catch (const std::system_error&) {
        read->End();
    }
    return read;
}

ReadKeeper& Keeper() {
    static ReadKeeper keeper(Start);
    return keeper;
}

}  // namespace

void StartWallpaperRead(const std::vector<platform::Rect>& monitors) {
    try {
        Keeper().For(monitors);
    } catch (const std::bad_alloc&) {
    }
}

WallpaperShare WallpaperPixels(const platform::Rect& area, const std::vector<platform::Rect>& monitors) {
    return ShareOf(Keeper(), area, monitors, GetSysColor(COLOR_DESKTOP));
}

std::optional<platform::Picture> LateWallpaperPixels(const platform::Rect& area,
                                                     const std::vector<platform::Rect>& monitors) {
    return LateShareOf(Keeper(), area, monitors, GetSysColor(COLOR_DESKTOP));
}

}  // namespace desktop
