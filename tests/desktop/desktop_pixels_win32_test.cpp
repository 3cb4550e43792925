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
testsupport::ImportSwap* closeSwap = nullptr;
HDESK WINAPI NoteOpen(DWORD flags, BOOL inherit, ACCESS_MASK access) {
    openFlags |= flags;
    HDESK desk = openSwap->Original<decltype(&OpenInputDesktop)>()(flags, inherit, access);
    testsupport::CallLog().push_back("open " + testsupport::Hex(reinterpret_cast<uintptr_t>(desk)));
    return desk;
}
BOOL WINAPI NoteClose(HDESK desk) {
    testsupport::CallLog().push_back("close " + testsupport::Hex(reinterpret_cast<uintptr_t>(desk)));
    return closeSwap->Original<decltype(&CloseDesktop)>()(desk);
}

// The input desktop is opened without flags: DF_ALLOWOTHERACCOUNTHOOK would let other
// accounts hook it, which Wine cannot show.
TEST(SaverOnUserDesktop, OnlyOnTheDesktopWithTheInput) {
    testsupport::ImportSwap open("user32.dll", "OpenInputDesktop", reinterpret_cast<void*>(&NoteOpen));
    ASSERT_TRUE(open.Found());
    testsupport::ImportSwap close("user32.dll", "CloseDesktop", reinterpret_cast<void*>(&NoteClose));
    openSwap = &open, closeSwap = &close;
    testsupport::CallLog().clear();
    EXPECT_TRUE(SaverOnUserDesktop());
    // The input desktop is looked at and given back.
    ASSERT_EQ(testsupport::CallLog().size(), 2u);
    EXPECT_EQ(testsupport::CallLog()[1], "close " + testsupport::CallLog()[0].substr(5));
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
