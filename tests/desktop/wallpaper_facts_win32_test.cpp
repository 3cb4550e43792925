// The wallpaper's facts as Windows records them: the paths in TranscodedImageCache_000,
// _001... (24 bytes, then the path in UTF-16), read in order while they last (the test
// writes them under HKCU and takes them away again); which named picture is found, and
// whether its data is elsewhere.
#include "desktop/wallpaper_facts_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/runtime_win32.h"
#include "support/import_swap_win32.h"

namespace desktop {
namespace {

constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";

void Record(const wchar_t* name, const std::wstring& path) {
    std::string bytes(24, '\0');
    bytes.append(reinterpret_cast<const char*>(path.c_str()), (path.size() + 1) * sizeof(wchar_t));
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name, REG_BINARY, bytes.data(), DWORD(bytes.size()));
}

// No desktop has more monitors than sixteen: a seventeenth path is never read.
TEST(WallpaperFacts, RecordedPathsInOrderUntilOneIsMissingSixteenAtMost) {
    std::vector<std::wstring> names, paths;
    for (int i = 0; i <= 16; ++i) {
        names.push_back(L"TranscodedImageCache_0" + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i));
        paths.push_back(L"C:\\" + std::to_wstring(i) + L".jpg");
        Record(names.back().c_str(), paths.back());
    }
    const RecordedPictures all = RecordedPicturesFor({{0, 0, 1024, 768}});
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, names[2].c_str());
    const RecordedPictures gap = RecordedPicturesFor({{0, 0, 1024, 768}});
    for (const std::wstring& name : names) RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name.c_str());
    EXPECT_EQ(all.recorded, std::vector<std::wstring>(paths.begin(), paths.begin() + 16));
    EXPECT_EQ(gap.recorded, std::vector<std::wstring>(paths.begin(), paths.begin() + 2));
}

DWORD searchFlags = 0;        // every flag a search was given
DWORD playedAttributes = 0;   // added to what the search lists, as Wine's files never carry them
testsupport::ImportSwap* searchSwap = nullptr;
HANDLE WINAPI NoteSearch(LPCWSTR path, FINDEX_INFO_LEVELS level, LPVOID found, FINDEX_SEARCH_OPS op, LPVOID filter,
                         DWORD flags) {
    searchFlags |= flags;
    HANDLE search = searchSwap->Original<decltype(&FindFirstFileExW)>()(path, level, found, op, filter, flags);
    if (search != INVALID_HANDLE_VALUE) static_cast<WIN32_FIND_DATAW*>(found)->dwFileAttributes |= playedAttributes;
    return search;
}
UINT WINAPI DriveType(LPCWSTR root) { return std::wstring(root) == L"R:\\" ? DRIVE_REMOTE : DRIVE_FIXED; }

// A picture is found as directory enumeration lists it: a file, never a folder, and never a
// name with a wildcard, which the search would take as a pattern for some other file,
// wherever the wildcard stands; the long-path prefix's own '?' is no wildcard. The search
// takes no flags: a case-sensitive one would miss a path recorded in another case, which
// Wine cannot show. One on a share, by name or on a mapped drive (R: here), is named and
// remote.
TEST(WallpaperFacts, APictureIsFoundAsAFileByItsOwnNameOnly) {
    testsupport::ImportSwap drives("kernel32.dll", "GetDriveTypeW", reinterpret_cast<void*>(&DriveType));
    testsupport::ImportSwap search("kernel32.dll", "FindFirstFileExW", reinterpret_cast<void*>(&NoteSearch));
    ASSERT_TRUE(search.Found());
    searchSwap = &search;
    wchar_t temp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"brackmer_facts";
    CreateDirectoryW(folder.c_str(), nullptr);
    CloseHandle(CreateFileW((folder + L"\\a.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    wchar_t was[MAX_PATH]{};
    GetCurrentDirectoryW(MAX_PATH, was);
    SetCurrentDirectoryW(folder.c_str());
    const FoundFiles files = FindFiles();
    for (const auto& [path, found] : std::vector<std::pair<std::wstring, bool>>{
             {folder + L"\\a.bmp", true}, {L"a.bmp", true}, {L"\\\\?\\" + folder + L"\\a.bmp", true}, {folder, false},
             {folder + L"\\b.bmp", false}, {L"?.bmp", false}, {folder + L"\\*.bmp", false}, {L"", false}})
        EXPECT_EQ(files.original(path).found, found) << platform::Narrow(path);
    EXPECT_EQ(searchFlags, 0u);
    // Offline, and either way a cloud placeholder recalls its data; no other attribute counts.
    constexpr DWORD kOthers = 0xFFFFFFFF & ~DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_OFFLINE | 0x00440000);
    for (const auto& [attributes, offline, placeholder] :
         {std::tuple{DWORD(FILE_ATTRIBUTE_OFFLINE), true, false}, std::tuple{DWORD(0x00040000), false, true},
          std::tuple{DWORD(0x00400000), false, true}, std::tuple{kOthers, false, false}}) {
        playedAttributes = attributes;
        const OriginalFacts facts = files.original(folder + L"\\a.bmp");
        EXPECT_TRUE(facts.found) << attributes;
        EXPECT_EQ(std::pair(facts.offline, facts.placeholder), std::pair(offline, placeholder)) << attributes;
    }
    playedAttributes = 0;
    for (const wchar_t* share : {L"\\\\server\\share\\a.bmp", L"R:\\a.bmp"}) {
        const OriginalFacts facts = files.original(share);
        EXPECT_TRUE(facts.named && facts.remote) << platform::Narrow(share);
    }
    SetCurrentDirectoryW(was);
    DeleteFileW((folder + L"\\a.bmp").c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace desktop
