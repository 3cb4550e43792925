// The wallpaper's source rule; see wallpaper_source.h.
#include "desktop/wallpaper_source.h"

namespace desktop {

std::vector<PictureFile> FilesToTry(const WallpaperFacts& facts) {
    const OriginalFacts& original = facts.original;
    std::vector<PictureFile> files;
    if (!original.named) return files;
    const bool readable = !original.offline && !original.placeholder;
    if (readable && !original.remote && original.found) files.push_back(PictureFile::kOriginal);
    if (facts.sharedPicture && facts.monitorCopy) files.push_back(PictureFile::kMonitorCopy);
    if (facts.sharedPicture && facts.transcoded) files.push_back(PictureFile::kTranscoded);
    if (readable && original.remote) files.push_back(PictureFile::kOriginal);
    return files;
}

}  // namespace desktop
