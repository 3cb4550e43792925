// Whether the saver runs on the user's desktop, from the names Wine gives: the test's own
// thread is on the input desktop, a thread moved to a desktop of its own is not.
#include "desktop/desktop_pixels_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

namespace desktop {
namespace {

TEST(SaverOnUserDesktop, OnlyOnTheDesktopWithTheInput) {
    EXPECT_TRUE(SaverOnUserDesktop());
    HDESK side = CreateDesktopW(L"BrackmerSide", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_TRUE(side);
    bool moved = false, onUsers = true;
    std::thread([&] { moved = SetThreadDesktop(side) != FALSE, onUsers = SaverOnUserDesktop(); }).join();
    CloseDesktop(side);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(onUsers);
}

}  // namespace
}  // namespace desktop
