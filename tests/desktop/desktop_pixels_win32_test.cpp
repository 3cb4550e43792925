// Whether the saver runs on the user's desktop, from the names Wine gives: the test's own
// thread is on the input desktop, a thread moved to a desktop of its own is not.
#include "desktop/desktop_pixels_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "support/import_swap_win32.h"

namespace desktop {
namespace {

DWORD openFlags = 0;  // every flag the input desktop was opened with
testsupport::ImportSwap* openSwap = nullptr;
HDESK WINAPI NoteOpen(DWORD flags, BOOL inherit, ACCESS_MASK access) {
    openFlags |= flags;
    return openSwap->Original<decltype(&OpenInputDesktop)>()(flags, inherit, access);
}

// The input desktop is opened without flags: DF_ALLOWOTHERACCOUNTHOOK would let other
// accounts hook it, which Wine cannot show.
TEST(SaverOnUserDesktop, OnlyOnTheDesktopWithTheInput) {
    testsupport::ImportSwap open("user32.dll", "OpenInputDesktop", reinterpret_cast<void*>(&NoteOpen));
    ASSERT_TRUE(open.Found());
    openSwap = &open;
    EXPECT_TRUE(SaverOnUserDesktop());
    HDESK side = CreateDesktopW(L"BrackmerSide", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_TRUE(side);
    bool moved = false, onUsers = true;
    std::thread([&] { moved = SetThreadDesktop(side) != FALSE, onUsers = SaverOnUserDesktop(); }).join();
    CloseDesktop(side);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(onUsers);
    EXPECT_EQ(openFlags, 0u);
}

}  // namespace
}  // namespace desktop
