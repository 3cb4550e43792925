// The wallpaper's facts as Windows records them: the paths in TranscodedImageCache_000,
// _001... (24 bytes, then the path in UTF-16), read in order while they last. The test
// writes them under HKCU and takes them away again.
#include "desktop/wallpaper_facts_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace desktop {
namespace {

constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";

void Record(const wchar_t* name, const std::wstring& path) {
    std::string bytes(24, '\0');
    bytes.append(reinterpret_cast<const char*>(path.c_str()), (path.size() + 1) * sizeof(wchar_t));
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name, REG_BINARY, bytes.data(), DWORD(bytes.size()));
}

TEST(WallpaperFacts, RecordedPathsInOrderUntilOneIsMissing) {
    const wchar_t* names[] = {L"TranscodedImageCache_000", L"TranscodedImageCache_001", L"TranscodedImageCache_003"};
    Record(names[0], L"C:\\a.jpg");
    Record(names[1], L"C:\\b.png");
    Record(names[2], L"C:\\after-a-gap.bmp");
    const RecordedPictures facts = RecordedPicturesFor({{0, 0, 1024, 768}});
    for (const wchar_t* name : names) RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name);
    EXPECT_EQ(facts.recorded, (std::vector<std::wstring>{L"C:\\a.jpg", L"C:\\b.png"}));
}

}  // namespace
}  // namespace desktop
