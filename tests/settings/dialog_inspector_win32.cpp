// Test tool, run under Wine by the end-to-end table (tests/e2e/cases.sh): finds the running settings
// dialog (by its title) and prints what a user would see of it, one line per control:
// id, class, client rectangle, screen position, check state, focus and text (UTF-8).
//   usage: dialog_inspector.exe [--wait SECONDS]
// Exit status 2 when no such window appeared in time.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring Text(HWND h) {
    wchar_t buf[512] = {};
    SendMessageTimeoutW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, nullptr);
    return buf;
}

std::wstring ClassOf(HWND h) {
    wchar_t buf[128] = {};
    GetClassNameW(h, buf, 128);
    return buf;
}

// Glyphs the given face lacks for the text (0 when the font mapping covers it).
int MissingGlyphs(const wchar_t* face, BYTE charset, const std::wstring& text) {
    if (text.empty()) return 0;
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    int missing = 0;
    for (WORD g : glyphs) missing += g == 0xFFFF;
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return missing;
}

struct Walk {
    HWND dialog;
    HWND focus;
    std::wstring japanese;  // all control texts, for the glyph check
};

BOOL CALLBACK PrintControl(HWND h, LPARAM lp) {
    auto* walk = reinterpret_cast<Walk*>(lp);
    RECT r;
    GetWindowRect(h, &r);
    POINT screen{r.left, r.top};
    MapWindowPoints(HWND_DESKTOP, walk->dialog, reinterpret_cast<POINT*>(&r), 2);
    std::wstring cls = ClassOf(h);
    LONG style = GetWindowLongW(h, GWL_STYLE);
    std::string checked = "-";
    if (_wcsicmp(cls.c_str(), L"Button") == 0 && (style & 0xF) != BS_PUSHBUTTON && (style & 0xF) != BS_DEFPUSHBUTTON)
        checked = std::to_string(SendMessageW(h, BM_GETCHECK, 0, 0));
    std::string pos = "-";
    if (_wcsicmp(cls.c_str(), UPDOWN_CLASSW) == 0) pos = std::to_string(SendMessageW(h, UDM_GETPOS32, 0, 0));
    std::wstring text = Text(h);
    walk->japanese += text;
    std::printf("id=%d class=%s x=%ld y=%ld w=%ld h=%ld sx=%ld sy=%ld checked=%s pos=%s focus=%d tab=%d default=%d text=%s\n",
                GetDlgCtrlID(h), Utf8(cls).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top, screen.x,
                screen.y, checked.c_str(), pos.c_str(), h == walk->focus ? 1 : 0, (style & WS_TABSTOP) ? 1 : 0,
                (style & 0xF) == BS_DEFPUSHBUTTON && _wcsicmp(cls.c_str(), L"Button") == 0 ? 1 : 0,
                Utf8(text).c_str());
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int waitSeconds = 20;
    const std::wstring title = L"Brackmer Saver\u8a2d\u5b9a";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::wstring(argv[i]) == L"--wait") waitSeconds = _wtoi(argv[i + 1]);
    }
    HWND dialog = nullptr;
    for (int i = 0; i <= waitSeconds * 10 && !dialog; ++i) {
        dialog = FindWindowW(nullptr, title.c_str());
        if (!dialog) Sleep(100);
    }
    if (!dialog) {
        std::printf("no window titled %s\n", Utf8(title).c_str());
        return 2;
    }
    // Sizes as the dialog itself has them: read through any other DPI awareness, Wine maps
    // the rectangles, and not the same way from run to run.
    using ContextFn = HANDLE(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto windowContext = reinterpret_cast<ContextFn>(GetProcAddress(user32, "GetWindowDpiAwarenessContext"));
    auto setThreadContext = reinterpret_cast<ContextFn>(GetProcAddress(user32, "SetThreadDpiAwarenessContext"));
    if (windowContext && setThreadContext) setThreadContext(windowContext(reinterpret_cast<HANDLE>(dialog)));

    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
    RECT client, frame;
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &frame);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    std::printf("window client=%ldx%ld frame=%ld,%ld,%ld,%ld origin=%ld,%ld screen=%dx%d dpi=%d style=%08lx title=%s\n",
                client.right, client.bottom, frame.left, frame.top, frame.right - frame.left,
                frame.bottom - frame.top, origin.x, origin.y, GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN), dpi, static_cast<unsigned long>(GetWindowLongW(dialog, GWL_STYLE)),
                Utf8(Text(dialog)).c_str());

    Walk walk{dialog, gui.hwndFocus, {}};
    EnumChildWindows(dialog, &PrintControl, reinterpret_cast<LPARAM>(&walk));
    std::printf("glyphs missing=%d\n", MissingGlyphs(L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, walk.japanese));
    return 0;
}
