// The wallpaper decoder on the system's imaging component: exact pixels and orientation of
// a BMP as Windows writes them, and no picture (never an error) for junk or a missing file.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "assets/image.h"
#include "assets/image_codecs.h"
#include "desktop/desktop_pixels_win32.h"

namespace desktop {
namespace {

std::wstring TempFile(const wchar_t* name, const std::vector<uint8_t>& bytes) {
    wchar_t folder[MAX_PATH]{};
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + name;
    std::ofstream(path.c_str(), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

TEST(PictureFile, BmpDecodesToExactPixelsTopRowFirst) {
    // Three columns keep the rows padded, so a stride slip shows.
    assets::Image image(3, 2, 0);
    image.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x010203};
    const std::wstring path = TempFile(L"brackmer-wallpaper.bmp", assets::EncodeBmp24(image));
    const std::optional<Picture> picture = LoadPictureFile(path);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(picture->pixels, image.pixels);
    DeleteFileW(path.c_str());
}

TEST(PictureFile, JunkOrMissingIsNoPicture) {
    const std::wstring junk = TempFile(L"brackmer-junk.jpg", {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_FALSE(LoadPictureFile(junk).has_value());
    DeleteFileW(junk.c_str());
    EXPECT_FALSE(LoadPictureFile(L"Z:\\no\\such\\wallpaper.bmp").has_value());
    EXPECT_FALSE(LoadPictureFile(L"").has_value());
}

}  // namespace
}  // namespace desktop
