// The settings dialog inside this test process, under Wine: its layout at the display's
// dpi, fonts, colours and icon, texts and counts that fit their controls, full-width counts, what
// it shows for stored values it cannot show, which button Enter presses and what Up and Down do
// on an up-down, and the owner given back when an error ends the program or the window goes
// without its unload. Typing, corrections, focus order, OK and Cancel (which end the process)
// are driven against the real .scr by the end-to-end table (tests/e2e/cases.sh).
#include "settings/config_dialog_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "assets/resource_ids.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"
#include "settings/dialog_template.h"
#include "settings/registry_store_win32.h"
#include "support/import_swap_win32.h"
#include "support/test_window_win32.h"

namespace settings {
namespace {

constexpr wchar_t kSettingKey[] = L"Software\\VB and VBA Program Settings\\BrackmerSaver\\Setting";
constexpr wchar_t kGothic[] = L"ＭＳ Ｐゴシック";
constexpr wchar_t kTimes[] = L"Times New Roman";

int Dpi() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return dpi;
}
int Px(int v) { return MulDiv(v, Dpi(), 96); }

std::wstring TextOf(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

void ClearStoredSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingKey); }

// Runs what is queued, and swallows the quit request a closed dialog leaves behind.
void Pump() {
    platform::ProcessPendingMessages();
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

class ConfigDialogTest : public testing::Test {
protected:
    void SetUp() override { ClearStoredSettings(); }
    void TearDown() override {
        dialog_.reset();
        Pump();
        ClearStoredSettings();
    }

    HWND Open() {
        dialog_ = CreateConfigDialog();
        dialog_->Show();
        Pump();
        return dialog_->Handle();
    }
    HWND Item(int id) const { return GetDlgItem(dialog_->Handle(), id); }
    std::wstring Text(int id) const { return TextOf(Item(id)); }
    bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    std::unique_ptr<platform::Form> dialog_;
};

struct ControlCase {
    const char* name;
    int id;
    const wchar_t* cls;
    const wchar_t* text;  // nullptr: set at load
    const wchar_t* face;
    int hundredthsOfPoint;
    bool bold, italic;
};

class ConfigDialogLayoutTest : public ConfigDialogTest, public testing::WithParamInterface<ControlCase> {};

TEST_P(ConfigDialogLayoutTest, ControlHasItsClassTextAndFont) {
    const ControlCase& c = GetParam();
    Open();
    HWND h = Item(c.id);
    ASSERT_NE(h, nullptr);
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    EXPECT_EQ(_wcsicmp(cls, c.cls), 0) << platform::Narrow(cls);
    if (c.text) {
        EXPECT_EQ(TextOf(h), c.text);
    }

    if (c.face) {
        LOGFONTW lf{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof lf, &lf));
        EXPECT_STREQ(lf.lfFaceName, c.face);
        EXPECT_EQ(lf.lfHeight, -MulDiv(c.hundredthsOfPoint, Dpi(), 7200));
        EXPECT_EQ(lf.lfWeight, c.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(lf.lfItalic != 0, c.italic);
        EXPECT_EQ(lf.lfCharSet, c.face == kGothic ? SHIFTJIS_CHARSET : ANSI_CHARSET);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ConfigDialogLayoutTest,
    testing::Values(
        ControlCase{"Label1", kIdLabel1, L"Static", L"Brackmer Saver", kTimes, 1575, true, true},
        ControlCase{"labVer", kIdLabVer, L"Static", nullptr, kTimes, 1425, true, true},
        ControlCase{"Label2", kIdLabel2, L"Static", L"艦数（２～１５）", kGothic, 1200, false, false},
        ControlCase{"txtRedNum", kIdTxtRedNum, L"Edit", nullptr, kGothic, 1425, true, false},
        ControlCase{"updR", kIdUpdR, UPDOWN_CLASSW, nullptr, nullptr, 0, false, false},
        ControlCase{"Label3", kIdLabel3, L"Static", L"対", kGothic, 1200, false, false},
        ControlCase{"txtBlueNum", kIdTxtBlueNum, L"Edit", nullptr, kGothic, 1425, true, false},
        ControlCase{"updB", kIdUpdB, UPDOWN_CLASSW, nullptr, nullptr, 0, false, false},
        ControlCase{"Frame1", kIdFrame1, L"Button", L"背景", kGothic, 1200, false, false},
        ControlCase{"optBG0", kIdOptBG0, L"Button", L"デスクトップ", kGothic, 1200, false, false},
        ControlCase{"optBG1", kIdOptBG1, L"Button", L"ブルー単色", kGothic, 1200, false, false},
        ControlCase{"cmdOK", kIdOk, L"Button", L"&OK", kGothic, 1200, false, false},
        ControlCase{"cmdCancel", kIdCancel, L"Button", L"&Cancel", kGothic, 1200, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Every control at the pixel rectangle its template gives, scaled to the display, in a
// client area of the template's size.
TEST_F(ConfigDialogTest, EveryControlSitsAtItsTemplateRectangleScaled) {
    HWND dialog = Open();
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(IDD_CONFIG), RT_DIALOG);
    ASSERT_NE(res, nullptr);
    DialogTemplateLayout layout = ReadDialogTemplateLayout(
        {static_cast<const uint8_t*>(LockResource(LoadResource(module, res))), SizeofResource(module, res)});
    ASSERT_EQ(layout.controls.size(), 13u);
    for (const TemplateControl& c : layout.controls) {
        RECT r;
        GetWindowRect(Item(c.id), &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, Px(c.rect.left)) << c.id;
        EXPECT_EQ(r.top, Px(c.rect.top)) << c.id;
        EXPECT_EQ(r.right - r.left, Px(c.rect.width)) << c.id;
        EXPECT_EQ(r.bottom - r.top, Px(c.rect.height)) << c.id;
    }
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ((std::pair{client.right, client.bottom}), (std::pair<LONG, LONG>{Px(layout.dialog.width), Px(layout.dialog.height)}));
    // The count boxes keep no margins inside: "15" needs nearly all of each.
    for (int id : {kIdTxtRedNum, kIdTxtBlueNum}) EXPECT_EQ(SendMessageW(Item(id), EM_GETMARGINS, 0, 0), 0) << id;
}

// Its title and centred place are checked on the real .scr, at two dpi.
TEST_F(ConfigDialogTest, IsAFixedWindowWithACaptionAndTheSaversIcon) {
    HWND dialog = Open();
    LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style & WS_CAPTION, 0);
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BRACKMER));
    ASSERT_NE(icon, nullptr);
    for (WPARAM size : {ICON_BIG, ICON_SMALL})
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, size, 0)), icon) << size;
}

// What the form answers when a control asks for its colours.
struct Colors {
    COLORREF text, back, brush;
};
Colors AskColors(HWND dialog, UINT msg, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH lb{};
    GetObjectW(brush, sizeof lb, &lb);
    Colors c{GetTextColor(dc), GetBkColor(dc), lb.lbColor};
    DeleteDC(dc);
    return c;
}

TEST_F(ConfigDialogTest, WhiteTextOnBlueGroundRedAndBlueBoxesLightFrame) {
    HWND dialog = Open();
    Colors red = AskColors(dialog, WM_CTLCOLOREDIT, Item(kIdTxtRedNum));
    EXPECT_EQ(red.text, RGB(255, 255, 255));
    EXPECT_EQ(red.back, RGB(255, 0, 0));
    EXPECT_EQ(red.brush, RGB(255, 0, 0));
    Colors blue = AskColors(dialog, WM_CTLCOLOREDIT, Item(kIdTxtBlueNum));
    EXPECT_EQ(blue.text, RGB(255, 255, 255));
    EXPECT_EQ(blue.brush, RGB(0, 0, 255));
    for (int id : {kIdLabel1, kIdLabVer, kIdLabel2, kIdLabel3}) {
        Colors label = AskColors(dialog, WM_CTLCOLORSTATIC, Item(id));
        EXPECT_EQ(label.text, RGB(255, 255, 255)) << id;
        EXPECT_EQ(label.brush, RGB(0, 0, 192)) << id;
    }
    for (int id : {kIdFrame1, kIdOptBG0, kIdOptBG1}) {
        Colors onFrame = AskColors(dialog, WM_CTLCOLORSTATIC, Item(id));
        EXPECT_EQ(onFrame.text, RGB(0, 0, 0)) << id;
        EXPECT_EQ(onFrame.back, RGB(192, 192, 255)) << id;
        EXPECT_EQ(onFrame.brush, RGB(192, 192, 255)) << id;
    }

    // The painted frame right inside its line, where a themed frame leaves the form's blue
    // (the ground and the frame's middle are checked on the real .scr's screenshot).
    // The light ground is the frame's rectangle and no more: the form's blue just right of it
    // and just below it.
    // The frame's rectangle is mapped as its two corners: a third point would be read and
    // written past it.
    static decltype(&MapWindowPoints) map = nullptr;
    testsupport::CallLog().clear();
    {
        testsupport::ImportSwap swap("user32.dll", "MapWindowPoints",
                                     reinterpret_cast<void*>(+[](HWND from, HWND to, POINT* points, UINT count) {
                                         testsupport::CallLog().push_back(std::to_string(count));
                                         return map(from, to, points, count);
                                     }));
        ASSERT_TRUE(swap.Found());
        map = swap.Original<decltype(&MapWindowPoints)>();
        InvalidateRect(dialog, nullptr, TRUE);
        UpdateWindow(dialog);
    }
    EXPECT_EQ(testsupport::CallLog(), std::vector<std::string>{"2"});
    HDC screen = GetDC(dialog);
    UpdateWindow(dialog);
    EXPECT_EQ(GetPixel(screen, Px(36) + 3, Px(91 + 34)), RGB(192, 192, 255));
    RECT frame;
    GetWindowRect(Item(kIdFrame1), &frame);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&frame), 2);
    EXPECT_EQ(GetPixel(screen, frame.right + 1, (frame.top + frame.bottom) / 2), RGB(0, 0, 192));
    EXPECT_EQ(GetPixel(screen, (frame.left + frame.right) / 2, frame.bottom + 1), RGB(0, 0, 192));
    ReleaseDC(dialog, screen);
}

// Every text a user reads fits the control that shows it, with the fonts this prefix has
// (the end-to-end table runs this at 120 to 192 dpi): where no metric twin stands
// in for Times New Roman, a wider serif clips the title and this fails. `reserve` is what
// the control keeps beside its text (the round box of an option button, the edges of a push
// button, the indent of the frame's caption).
TEST_F(ConfigDialogTest, EveryTextFitsItsControl) {
    Open();
    const int checkBox = GetSystemMetrics(SM_CXMENUCHECK) + Px(4);
    const int edges = 2 * GetSystemMetrics(SM_CXEDGE);
    struct Fit {
        const char* name;
        int id;
        int reserve;
    };
    for (const Fit& c : {Fit{"Label1", kIdLabel1, 0}, Fit{"labVer", kIdLabVer, 0}, Fit{"Label2", kIdLabel2, 0},
                         Fit{"Label3", kIdLabel3, 0}, Fit{"Frame1", kIdFrame1, 2 * 7},
                         Fit{"optBG0", kIdOptBG0, checkBox}, Fit{"optBG1", kIdOptBG1, checkBox},
                         Fit{"cmdOK", kIdOk, edges}, Fit{"cmdCancel", kIdCancel, edges}}) {
        HWND h = Item(c.id);
        RECT client;
        GetClientRect(h, &client);
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        bool isStatic = _wcsicmp(cls, L"Static") == 0;
        LONG style = GetWindowLongW(h, GWL_STYLE);
        bool wraps = isStatic ? (style & SS_TYPEMASK) == SS_LEFT : (style & BS_MULTILINE) != 0;
        bool noPrefix = isStatic && (style & SS_NOPREFIX);

        platform::WindowDc dc(h);
        platform::SelectGuard font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
        std::wstring text = TextOf(h);
        if (wraps) {
            RECT need{0, 0, client.right - c.reserve, 0};
            DrawTextW(dc.Get(), text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | (noPrefix ? DT_NOPREFIX : 0));
            EXPECT_LE(need.bottom, client.bottom) << c.name << " is cut at the bottom: " << platform::Narrow(text);
            continue;
        }
        // One line: the text as shown (an access key's "&" is not drawn) fits the width.
        std::wstring shown = text;
        if (!noPrefix) std::erase(shown, L'&');
        SIZE extent{};
        GetTextExtentPoint32W(dc.Get(), shown.c_str(), static_cast<int>(shown.size()), &extent);
        EXPECT_LE(extent.cx + c.reserve, client.right) << c.name << " is clipped: " << platform::Narrow(text);
    }
    // The count boxes, with every count they take: neither clipped nor, focused with the
    // caret after the last digit as after typing, scrolled out of sight.
    SetForegroundWindow(dialog_->Handle());
    for (int id : {kIdTxtRedNum, kIdTxtBlueNum}) {
        HWND box = Item(id);
        platform::WindowDc dc(box);
        platform::SelectGuard font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
        for (int count = kMinCount; count <= kMaxCount; ++count) {
            std::wstring text = std::to_wstring(count);
            SetWindowTextW(box, text.c_str());
            SIZE extent{};
            GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
            for (bool focused : {false, true}) {
                SetFocus(focused ? box : Item(kIdOk));
                SendMessageW(box, EM_SETSEL, text.size(), text.size());
                RECT room;
                SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
                auto left = static_cast<short>(LOWORD(SendMessageW(box, EM_POSFROMCHAR, 0, 0)));
                EXPECT_TRUE(left >= room.left && left + extent.cx <= room.right)
                    << count << (focused ? " focused" : "") << " in box " << id << ": " << extent.cx << " pixels from "
                    << left << " in " << room.left << ".." << room.right << " at " << Dpi() << " dpi";
            }
        }
    }
}

// What a Japanese input method types reads as ASCII once the box is left.
TEST_F(ConfigDialogTest, FullWidthCountsBecomeAsciiWhenTheBoxIsLeft) {
    HWND dialog = Open();
    SetForegroundWindow(dialog);
    // Folded and kept, folded and corrected, pasted with a blank; the folding's own cases are a
    // native table.
    for (auto [typed, shown] : {std::pair{L"１０", L"10"}, std::pair{L"１６", L"15"}, std::pair{L"１５ ", L"15"}}) {
        SetFocus(Item(kIdTxtRedNum));
        SetWindowTextW(Item(kIdTxtRedNum), typed);
        SetFocus(Item(kIdTxtBlueNum));
        Pump();
        EXPECT_EQ(Text(kIdTxtRedNum), shown);
    }
}

// An arrow steps from what the box shows, also from a text the up-down cannot read itself
// (pasted with a blank, full width, a fraction), never from the up-down's last value.
TEST_F(ConfigDialogTest, ArrowsStepFromTheBoxText) {
    HWND dialog = Open();
    SetForegroundWindow(dialog);
    for (auto [typed, key, shown] : {std::tuple{L"15 ", VK_DOWN, L"14"}, std::tuple{L"１２ ", VK_UP, L"13"},
                                     std::tuple{L"3.4", VK_UP, L"4"}, std::tuple{L"7abc", VK_DOWN, L"6"}}) {
        SetFocus(Item(kIdTxtRedNum));
        SetWindowTextW(Item(kIdTxtRedNum), typed);
        SendMessageW(Item(kIdTxtRedNum), WM_KEYDOWN, key, 0);
        Pump();
        EXPECT_EQ(Text(kIdTxtRedNum), shown) << typed;
    }
}

// How stored texts read is the native settings tables'; the dialog's own part is showing
// the nearest count it can and keeping what it showed out of the store.
TEST_F(ConfigDialogTest, OpensWithTheNearestItCanShowAndStoresNothing) {
    RegistryStore store;
    store.Save(kSettingSection, "RedCount", "40");
    store.Save(kSettingSection, "BlueCount", "-7");
    store.Save(kSettingSection, "BackGround", "5");
    HWND dialog = Open();
    EXPECT_EQ(Text(kIdTxtRedNum), L"15");
    EXPECT_EQ(Text(kIdTxtBlueNum), L"2");
    EXPECT_TRUE(Checked(kIdOptBG0));
    EXPECT_FALSE(Checked(kIdOptBG1));

    // Closing the window (not OK) leaves the odd values as they were.
    SetWindowTextW(Item(kIdTxtRedNum), L"9");
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(dialog_->IsLoaded());
    EXPECT_EQ(store.Get(kSettingSection, "RedCount"), "40");
    EXPECT_EQ(store.Get(kSettingSection, "BlueCount"), "-7");
    EXPECT_EQ(store.Get(kSettingSection, "BackGround"), "5");
}

// The dialog manager may destroy the dialog without its unload (the owner's window
// going, or a DestroyWindow from outside): the owner it disabled is given back all the same.
TEST_F(ConfigDialogTest, DestroyedFromOutsideGivesTheOwnerBack) {
    HWND host = testsupport::MakeWindow({.className = L"OutsideOwner", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                         .x = 100, .y = 100, .width = 400, .height = 300});
    dialog_ = CreateConfigDialog(host);
    dialog_->Show();
    Pump();
    ASSERT_FALSE(IsWindowEnabled(host));
    DestroyWindow(dialog_->Handle());
    Pump();
    EXPECT_FALSE(dialog_->IsLoaded());
    EXPECT_TRUE(IsWindowEnabled(host));
    DestroyWindow(host);
}

// Each subclass the dialog sets on its up-downs is removed with the same window, procedure
// and id before the window goes (a wrong one would leave comctl32's record behind).
testsupport::ImportSwap *setSwap = nullptr, *removeSwap = nullptr;
std::string Subclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
    return testsupport::Hex(reinterpret_cast<uintptr_t>(window)) + " " +
           testsupport::Hex(reinterpret_cast<uintptr_t>(proc)) + " " + std::to_string(id);
}
BOOL WINAPI NoteSet(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    testsupport::CallLog().push_back("set " + Subclass(window, proc, id));
    return setSwap->Original<decltype(&SetWindowSubclass)>()(window, proc, id, data);
}
BOOL WINAPI NoteRemove(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
    testsupport::CallLog().push_back("remove " + Subclass(window, proc, id));
    return removeSwap->Original<decltype(&RemoveWindowSubclass)>()(window, proc, id);
}
TEST_F(ConfigDialogTest, EverySubclassSetIsRemovedAsItsWindowGoes) {
    testsupport::ImportSwap set("comctl32.dll", "SetWindowSubclass", reinterpret_cast<void*>(&NoteSet));
    testsupport::ImportSwap remove("comctl32.dll", "RemoveWindowSubclass", reinterpret_cast<void*>(&NoteRemove));
    ASSERT_TRUE(set.Found() && remove.Found());
    setSwap = &set, removeSwap = &remove;
    testsupport::CallLog().clear();
    SendMessageW(Open(), WM_CLOSE, 0, 0);
    Pump();
    std::vector<std::string> sets, removes;
    for (const std::string& call : testsupport::CallLog())
        (call.starts_with("set ") ? sets : removes).push_back(call.substr(call.find(' ') + 1));
    std::sort(sets.begin(), sets.end());
    std::sort(removes.begin(), removes.end());
    EXPECT_EQ(sets.size(), 2u);
    EXPECT_EQ(removes, sets);
}

// A key as the form's loop hands it over: to the dialog manager first.
bool DialogKey(HWND dialog, HWND to, WPARAM key) {
    MSG m{};
    m.hwnd = to;
    m.message = WM_KEYDOWN;
    m.wParam = key;
    m.lParam = 1;
    return IsDialogMessageW(dialog, &m) != 0;
}

// Enter presses the default button (pressing it would end this process, so the default is
// what is checked): OK, except while Cancel has the focus, however the focus moved there.
// A focused up-down steps its own count on Up and Down within 2..15. Tab from Cancel to an
// up-down, Up there and Enter pressing OK are driven end to end.
TEST_F(ConfigDialogTest, EnterPressesOkUnlessCancelHasTheFocusAndUpDownsStep) {
    HWND dialog = Open();
    SetForegroundWindow(dialog);
    auto defaultId = [&] { return SendMessageW(dialog, DM_GETDEFID, 0, 0); };
    EXPECT_EQ(defaultId(), MAKELRESULT(IDOK, DC_HASDEFID));
    SetFocus(Item(kIdCancel));
    Pump();
    EXPECT_EQ(defaultId(), MAKELRESULT(IDCANCEL, DC_HASDEFID));
    EXPECT_EQ(GetWindowLongW(Item(kIdCancel), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);

    // Each up-down steps its own box only, and stops at either end; another key is its own,
    // never the box's (a Delete passed on would cut the count).
    const struct {
        int updown, box, other;
        const wchar_t* start;
        WPARAM key;
        const wchar_t* shown;
    } steps[] = {{kIdUpdR, kIdTxtRedNum, kIdTxtBlueNum, L"15", VK_UP, L"15"},
                 {kIdUpdR, kIdTxtRedNum, kIdTxtBlueNum, L"15", VK_DOWN, L"14"},
                 {kIdUpdB, kIdTxtBlueNum, kIdTxtRedNum, L"2", VK_DOWN, L"2"},
                 {kIdUpdB, kIdTxtBlueNum, kIdTxtRedNum, L"2", VK_UP, L"3"},
                 {kIdUpdR, kIdTxtRedNum, kIdTxtBlueNum, L"15", VK_DELETE, L"15"}};
    for (const auto& s : steps) {
        SetFocus(Item(s.updown));
        SetWindowTextW(Item(s.box), s.start);
        SetWindowTextW(Item(s.other), L"5");
        DialogKey(dialog, Item(s.updown), s.key);
        Pump();
        EXPECT_EQ(Text(s.box), s.shown) << s.updown << " from " << s.start;
        EXPECT_EQ(Text(s.other), L"5");
        EXPECT_EQ(GetFocus(), Item(s.updown));
    }
}

// In place of the store and the error report: a write refused, and a report that says
// whether the owner was enabled by the time it showed.
LONG WINAPI RefuseWrite(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }
HWND owner = nullptr;
int WINAPI NoteOwner(HWND, LPCWSTR, LPCWSTR, UINT) {
    std::fprintf(stderr, "report, owner %s\n", IsWindowEnabled(owner) ? "enabled" : "disabled");
    return IDOK;
}

// An error raised while the dialog is open (OK's write refused) ends the program with the
// standard report, and the owner the dialog disabled is enabled before the report shows.
TEST(ConfigDialogDeathTest, AnErrorWhileOpenLeavesTheOwnerEnabled) {
    EXPECT_EXIT(
        {
            testsupport::ImportSwap write("advapi32.dll", "RegSetValueExW", reinterpret_cast<void*>(&RefuseWrite));
            testsupport::ImportSwap report("user32.dll", "MessageBoxW", reinterpret_cast<void*>(&NoteOwner));
            owner = testsupport::MakeWindow({.className = L"DialogOwner", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                             .x = 100, .y = 100, .width = 400, .height = 300});
            auto dialog = CreateConfigDialog(owner);
            dialog->Show();
            Pump();
            std::fprintf(stderr, "open, owner %s\n", IsWindowEnabled(owner) ? "enabled" : "disabled");
            HWND ok = GetDlgItem(dialog->Handle(), IDOK);
            SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
            Pump();
            std::fprintf(stderr, "no error\n");
            std::exit(0);
        },
        ::testing::ExitedWithCode(5), "^open, owner disabled\nreport, owner enabled\n$");
}

}  // namespace
}  // namespace settings
