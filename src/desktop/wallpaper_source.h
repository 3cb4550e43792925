// Which picture file a monitor's wallpaper is read from: the user's own picture where it can
// be read without waiting or downloading, Windows' own local copies of it otherwise, the
// desktop colour when none of them decodes. Portable; wallpaper_read_win32 gathers the facts.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace desktop {

// What the system tells about the picture a monitor shows, learnt without opening it.
struct OriginalFacts {
    bool named = false;        // a picture is set for the monitor at all
    bool remote = false;       // on a network share or a mapped network drive
    bool found = false;        // local, and its attributes could be read
    bool offline = false;      // the file's data is kept elsewhere (offline storage)
    bool placeholder = false;  // a cloud placeholder: opening or reading it starts a download
};

struct WallpaperFacts {
    OriginalFacts original;
    // Every monitor shows the same picture, so Windows' copies of the one picture are of it.
    bool sharedPicture = true;
    // Windows' picture cached for this monitor's size exists, and no monitor of that size
    // shows another picture (the copy is named by the size alone).
    bool monitorCopy = false;
    bool transcoded = false;  // Windows' transcoded copy of the one picture exists
    bool ownCopy = false;     // Windows' transcoded copy of this monitor's own picture exists
};

enum class PictureFile { kOriginal, kMonitorCopy, kTranscoded, kOwnCopy };

// The files to try, best first; the first that decodes is drawn. The original leads when it
// is local and present; Windows' copies follow (they also stand in when the original turns
// out unreadable): of the one picture where all monitors share it, else the monitor's own;
// an original on the network comes after them, since it may not answer in time. An offline
// or placeholder original is never opened, and no picture set means no copy either: Windows
// keeps its old copy after the user chose a plain colour.
std::vector<PictureFile> FilesToTry(const WallpaperFacts& facts);

// Whether a picture's path is on the network, by its text alone: a share (\\server\share,
// \\?\UNC\server\share), or a drive letter (also behind \\?\ or \\.\) that `remoteDrive`
// says is mapped to one. Nothing is asked of the file: a share may not answer.
bool IsRemotePath(std::wstring_view path, const std::function<bool(wchar_t drive)>& remoteDrive);

}  // namespace desktop
