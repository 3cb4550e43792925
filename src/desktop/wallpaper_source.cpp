// The wallpaper's source rule; see wallpaper_source.h.
#include "desktop/wallpaper_source.h"

namespace desktop {

std::vector<PictureFile> FilesToTry(const WallpaperFacts& facts) {
    const OriginalFacts& original = facts.original;
    std::vector<PictureFile> files;
    if (!original.named) return files;
    const bool readable = !original.offline && !original.placeholder;
    if (readable && !original.remote && original.found) files.push_back(PictureFile::kOriginal);
    if (!facts.sharedPicture && facts.ownCopy) files.push_back(PictureFile::kOwnCopy);
    if (facts.monitorCopy) files.push_back(PictureFile::kMonitorCopy);
    if (facts.sharedPicture && facts.transcoded) files.push_back(PictureFile::kTranscoded);
    if (readable && original.remote) files.push_back(PictureFile::kOriginal);
    return files;
}

bool IsRemotePath(std::wstring_view path, const std::function<bool(wchar_t drive)>& remoteDrive) {
    if (path.starts_with(L"\\\\?\\UNC\\")) return true;
    // A device path of a drive: what follows its four-character prefix is a plain path.
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) path.remove_prefix(4);
    else if (path.starts_with(L"\\\\")) return true;
    return path.size() >= 2 && path[1] == L':' && remoteDrive(path[0]);
}

}  // namespace desktop
