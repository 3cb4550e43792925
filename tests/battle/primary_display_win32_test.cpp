// The primary's display under Wine: DirectDraw at the planned size, asking for no mode, and
// a primary resized since the plan (the take refused at a step after DirectDraw and its
// exclusive mode were already taken): GDI draws, nothing is left taken, no note is logged; one
// give-back, once.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "battle/primary_display_win32.h"
#include "platform/runtime_win32.h"
#include "support/import_swap_win32.h"
#include "support/test_window_win32.h"

namespace battle {
namespace {

int CursorCounter() {
    const int shown = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return shown - 1;
}

struct Taken {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    HWND window = testsupport::MakeWindow({.className = L"PrimaryDisplayTest", .title = L"primary",
                                           .x = 10, .y = 20, .width = 300, .height = 200});
    RECT before = RectOf(window);
    int cursor = CursorCounter();
    std::string log = platform::FileInProgramFolder("ErLog.txt");
    Taken() { DeleteFileW(platform::Widen(log).c_str()); }
    ~Taken() { DestroyWindow(window); }
    static RECT RectOf(HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        return r;
    }
    bool Logged() const { return GetFileAttributesW(platform::Widen(log).c_str()) != INVALID_FILE_ATTRIBUTES; }
    void ExpectAllGivenBack() const {
        const RECT now = RectOf(window);
        EXPECT_TRUE(EqualRect(&now, &before));
        EXPECT_EQ(CursorCounter(), cursor);
    }
};

int modeRequests = 0;
LONG WINAPI CountModeRequest(LPCWSTR, DEVMODEW*, HWND, DWORD, LPVOID) {
    ++modeRequests;
    return DISP_CHANGE_FAILED;
}

// The screen is already at the planned size and 32 bits: no mode is asked for or set back.
TEST(PrimaryDisplay, AtThePlannedSizeDirectDrawDrawsAndGivesEverythingBackOnce) {
    Taken t;
    testsupport::ImportSwap change("user32.dll", "ChangeDisplaySettingsExW", reinterpret_cast<void*>(&CountModeRequest));
    {
        PrimaryDisplay display(t.window, t.width, t.height);
        EXPECT_EQ(display.Gdi(), nullptr);
        EXPECT_EQ(CursorCounter(), t.cursor - 1);
        display.GiveBack();
        t.ExpectAllGivenBack();
        display.GiveBack();
    }
    t.ExpectAllGivenBack();
    EXPECT_FALSE(t.Logged());
    EXPECT_EQ(modeRequests, 0);
}

testsupport::ImportSwap* moveSwap = nullptr;
BOOL WINAPI NoteMove(int x, int y) {
    testsupport::CallLog().push_back("move " + std::to_string(x) + "," + std::to_string(y));
    return moveSwap->Original<decltype(&SetCursorPos)>()(x, y);
}

// Freeing the cursor for the other screens puts it back where it rested, whichever axis the
// exclusive mode moved it on; where it rested is not known, or it is still there, it is not
// moved (a move would be a mouse event of ours).
TEST(PrimaryDisplay, FreeCursorPutsThePointerBackWhereItRested) {
    Taken t;
    PrimaryDisplay display(t.window, t.width, t.height);
    for (const auto& [resting, at] : {std::pair{std::optional{CursorPoint{100, 140}}, POINT{100, 140}},
                                      std::pair{std::optional{CursorPoint{130, 100}}, POINT{130, 100}},
                                      std::pair{std::optional{CursorPoint{90, 80}}, POINT{90, 80}},
                                      std::pair{std::optional{CursorPoint{100, 100}}, POINT{100, 100}},
                                      std::pair{std::optional<CursorPoint>{}, POINT{100, 100}}}) {
        SetCursorPos(100, 100);
        testsupport::ImportSwap move("user32.dll", "SetCursorPos", reinterpret_cast<void*>(&NoteMove));
        moveSwap = &move;
        testsupport::CallLog().clear();
        display.FreeCursor(resting);
        POINT now{};
        GetCursorPos(&now);
        EXPECT_EQ(now.x, at.x);
        EXPECT_EQ(now.y, at.y);
        const bool moved = at.x != 100 || at.y != 100;
        EXPECT_EQ(testsupport::CallLog().size(), moved ? 1u : 0u) << at.x << "," << at.y;
    }
}

// The user resized the primary between the plan and the take, on either axis: switching it
// back would undo that, so GDI draws at the planned size, the exclusive mode already taken is
// given back (a new take succeeds) and nothing is logged, since nothing is broken.
TEST(PrimaryDisplay, APrimaryResizedSinceThePlanIsLeftAloneAndGdiDraws) {
    for (const POINT delta : {POINT{16, 0}, POINT{0, -8}, POINT{-1, -1}}) {
        SCOPED_TRACE(::testing::Message() << delta.x << "," << delta.y);
        Taken t;
        {
            PrimaryDisplay display(t.window, t.width + delta.x, t.height + delta.y);
            ASSERT_NE(display.Gdi(), nullptr);
            EXPECT_EQ(&display.Frames(), display.Gdi());
            t.ExpectAllGivenBack();
        }
        t.ExpectAllGivenBack();
        EXPECT_FALSE(t.Logged());
        PrimaryDisplay again(t.window, t.width, t.height);
        EXPECT_EQ(again.Gdi(), nullptr);
    }
}

}  // namespace
}  // namespace battle
