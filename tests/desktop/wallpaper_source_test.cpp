// Which file each monitor's wallpaper is read from, for every kind of original Windows
// users meet: local, gone, offline, a cloud placeholder, on a share; with and without
// Windows' own copies, and with a picture of the monitor's own.
#include "desktop/wallpaper_source.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

using enum PictureFile;

struct SourceCase {
    const char* name;
    OriginalFacts original;  // named, remote, found, offline, placeholder
    bool shared, monitorCopy, transcoded, ownCopy;
    std::vector<PictureFile> expected;
};

TEST(WallpaperSource, FilesToTryBestFirst) {
    const SourceCase cases[] = {
        {"LocalLeadsCopiesStandBy", {true, false, true}, true, true, true, true, {kOriginal, kMonitorCopy, kTranscoded}},
        {"LocalWithoutCopies", {true, false, true}, true, false, false, false, {kOriginal}},
        {"Gone", {true, false, false}, true, true, true, false, {kMonitorCopy, kTranscoded}},
        {"GoneOnlyTranscoded", {true, false, false}, true, false, true, false, {kTranscoded}},
        {"GoneNoCopy", {true, false, false}, true, false, false, true, {}},
        {"Offline", {true, false, true, true}, true, true, true, false, {kMonitorCopy, kTranscoded}},
        {"Placeholder", {true, false, true, false, true}, true, false, true, false, {kTranscoded}},
        {"PlaceholderNoCopy", {true, false, true, false, true}, true, false, false, false, {}},
        {"ShareAfterCopies", {true, true}, true, true, true, false, {kMonitorCopy, kTranscoded, kOriginal}},
        {"ShareAlone", {true, true}, true, false, false, false, {kOriginal}},
        {"ShareOffline", {true, true, false, true}, true, false, true, false, {kTranscoded}},
        // A monitor with a picture of its own: its own copy, and the one cached for its
        // size; never the copy of the one picture.
        {"OwnPictureOwnCopies", {true, false, true}, false, true, true, true, {kOriginal, kOwnCopy, kMonitorCopy}},
        {"OwnPictureGone", {true, false, false}, false, false, true, true, {kOwnCopy}},
        {"OwnPictureOnAShare", {true, true}, false, true, true, true, {kOwnCopy, kMonitorCopy, kOriginal}},
        // A plain colour chosen: the copy Windows left behind is an old picture.
        {"NoPictureSet", {false}, true, true, true, true, {}},
    };
    for (const SourceCase& c : cases) {
        const WallpaperFacts facts{c.original, c.shared, c.monitorCopy, c.transcoded, c.ownCopy};
        EXPECT_EQ(FilesToTry(facts), c.expected) << c.name;
    }
}

// Drive Z is mapped to a share, C is local.
TEST(WallpaperSource, RemotePathsByTheirTextAndMappedDrives) {
    const std::function<bool(wchar_t)> zIsRemote = [](wchar_t d) { return d == L'Z'; };
    const struct {
        const wchar_t* path;
        bool remote;
    } cases[] = {
        {LR"(\\server\share\a.jpg)", true}, {LR"(\\?\UNC\server\share\a.jpg)", true},
        {LR"(Z:\a.jpg)", true},             {LR"(C:\a.jpg)", false},
        {LR"(\\?\Z:\a.jpg)", true},         {LR"(\\.\Z:\a.jpg)", true},
        {LR"(\\?\C:\a.jpg)", false},        {LR"(\\?\Volume{1}\a.jpg)", false},
        {LR"(Z:)", true},                   {LR"(Z)", false},  {LR"(a\Z:.jpg)", false},
        {LR"(\Z:\a.jpg)", false},           {L"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsRemotePath(c.path, zIsRemote), c.remote) << testing::PrintToString(std::wstring(c.path));
}

}  // namespace
}  // namespace desktop
