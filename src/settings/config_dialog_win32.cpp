// frmConfig, the settings dialog: a plain top-level window laid out by hand in pixels at
// 96 dpi (scaled to the display), driven through the loop's dialog-key handling so Tab,
// Enter, Esc and the access keys behave as in a dialog box. See config_dialog_win32.h.
#include "settings/config_dialog_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "assets/resource_ids.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"
#include "settings/config_rules.h"
#include "settings/registry_store_win32.h"
#include "settings/settings_store.h"

namespace settings {
namespace {

constexpr COLORREF kFormColor = RGB(0, 0, 192);
constexpr COLORREF kFrameColor = RGB(192, 192, 255);
constexpr COLORREF kRedBoxColor = RGB(255, 0, 0);
constexpr COLORREF kBlueBoxColor = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

constexpr wchar_t kGothic[] = L"ＭＳ Ｐゴシック";
constexpr wchar_t kTimes[] = L"Times New Roman";
constexpr wchar_t kFrameClass[] = L"BrackmerFrame";

// A count box lost the focus: the correction runs once the focus change has finished,
// because pumping messages inside WM_KILLFOCUS could hand a button its mouse-up before it
// has seen its mouse-down, and the click would be lost.
constexpr UINT kCountBoxLeft = WM_APP + 1;
// The focus moved: show which button Enter presses, after the dialog manager's own fix-up.
constexpr UINT kFocusMoved = WM_APP + 2;

int DisplayDpi() {
    platform::WindowDc screen(nullptr);
    int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

std::wstring WindowText(HWND h) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Frame1: a group frame whose whole rectangle, inside and around the etched line, takes the
// colour the parent gives it through WM_CTLCOLORSTATIC, like the option buttons on it. The
// stock group box leaves its interior unpainted, so it is drawn here.
LRESULT CALLBACK FrameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SETFONT:
            SetWindowLongPtrW(h, GWLP_USERDATA, static_cast<LONG_PTR>(wp));
            if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrW(h, GWLP_USERDATA);
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT rc;
            GetClientRect(h, &rc);
            auto brush = reinterpret_cast<HBRUSH>(
                SendMessageW(GetParent(h), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h)));
            FillRect(dc, &rc, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
            platform::SelectGuard font(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(h, GWLP_USERDATA)));
            TEXTMETRICW tm{};
            GetTextMetricsW(dc, &tm);
            RECT line = rc;
            line.top += tm.tmHeight / 2;
            DrawEdge(dc, &line, EDGE_ETCHED, BF_RECT);
            std::wstring caption = WindowText(h);
            SIZE size{};
            GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
            int x = tm.tmAveCharWidth;
            int pad = std::max(1, static_cast<int>(tm.tmAveCharWidth / 4));
            RECT back{x - pad, 0, x + size.cx + pad, tm.tmHeight};
            ExtTextOutW(dc, x, 0, ETO_OPAQUE, &back, caption.c_str(), static_cast<UINT>(caption.size()), nullptr);
            EndPaint(h, &ps);
            return 0;
        }
        default:
            return DefWindowProcW(h, msg, wp, lp);
    }
}

void RegisterFrameClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kFrameClass, &wc)) return;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /*IDC_ARROW*/);
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&wc)) platform::ThrowLastError("RegisterClassExW");
}

// `family` picks a look-alike where the face itself is missing (a serif for Times New Roman).
platform::UniqueFont MakeFont(const wchar_t* face, int hundredthsOfPoint, bool bold, bool italic, BYTE charset,
                              BYTE family, int dpi) {
    // Negative height: the character height (em size) in pixels, as point sizes mean.
    int height = -MulDiv(hundredthsOfPoint, dpi, 7200);
    HFONT f = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE, charset,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | family, face);
    if (!f) platform::ThrowLastError("CreateFontW");
    return platform::UniqueFont(f);
}

class frmConfig final : public platform::Form {
public:
    frmConfig() : dpi_(DisplayDpi()) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        RegisterFrameClass();
        formBrush_.reset(CreateSolidBrush(kFormColor));
        frameBrush_.reset(CreateSolidBrush(kFrameColor));
        redBrush_.reset(CreateSolidBrush(kRedBoxColor));
        blueBrush_.reset(CreateSolidBrush(kBlueBoxColor));
        titleFont_ = MakeFont(kTimes, 1575, true, true, ANSI_CHARSET, FF_ROMAN, dpi_);
        versionFont_ = MakeFont(kTimes, 1425, true, true, ANSI_CHARSET, FF_ROMAN, dpi_);
        formFont_ = MakeFont(kGothic, 1200, false, false, SHIFTJIS_CHARSET, FF_SWISS, dpi_);
        countFont_ = MakeFont(kGothic, 1425, true, false, SHIFTJIS_CHARSET, FF_SWISS, dpi_);
    }
    // The controls use the fonts and brushes below: the window goes before they do.
    ~frmConfig() override { Unload(); }

private:
    int Px(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }

    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = kConfigDialogClass;
        p.title = L"Brackmer Saver設定";
        // Fixed single border with only the close box, as a dialog box has.
        p.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        RECT r{0, 0, Px(280), Px(212)};
        AdjustWindowRectEx(&r, p.style, FALSE, 0);
        p.width = r.right - r.left;
        p.height = r.bottom - r.top;
        p.x = (GetSystemMetrics(SM_CXSCREEN) - p.width) / 2;
        p.y = (GetSystemMetrics(SM_CYSCREEN) - p.height) / 2;
        p.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BRACKMER));
        return p;
    }

    HWND AddControl(const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int id, int x, int y, int w,
                    int h, HFONT font) {
        HWND c = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, Px(x), Px(y), Px(w), Px(h), hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        if (!c) platform::ThrowLastError("CreateWindowExW");
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return c;
    }

    // The designed layout. Creation order is the focus order: txtRedNum, txtBlueNum, optBG,
    // cmdOK, cmdCancel, then the up-downs (which take no focus of their own).
    void CreateControls() {
        constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
        constexpr DWORD kBox = WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
        constexpr DWORD kUpDown = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
        HFONT font = formFont_.get();
        AddControl(L"STATIC", L"Brackmer Saver", kLabel, 0, kIdLabel1, 10, 7, 155, 24, titleFont_.get());
        labVer_ = AddControl(L"STATIC", L"ver", kLabel, 0, kIdLabVer, 173, 10, 98, 22, versionFont_.get());
        AddControl(L"STATIC", L"艦数（２～１５）", kLabel, 0, kIdLabel2, 24, 54, 97, 16, font);
        txtRedNum_ = AddControl(L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, kIdTxtRedNum, 123, 46, 30, 30, countFont_.get());
        AddControl(L"STATIC", L"対", kLabel, 0, kIdLabel3, 174, 53, 16, 16, font);
        txtBlueNum_ = AddControl(L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, kIdTxtBlueNum, 197, 46, 30, 30, countFont_.get());
        // The option buttons sit on Frame1 (36, 91) at (45, 15) and (45, 37).
        optBG_[0] = AddControl(L"BUTTON", L"デスクトップ", BS_AUTORADIOBUTTON | BS_NOTIFY | WS_GROUP | WS_TABSTOP, 0,
                               kIdOptBG0, 36 + 45, 91 + 15, 111, 22, font);
        optBG_[1] = AddControl(L"BUTTON", L"ブルー単色", BS_AUTORADIOBUTTON | BS_NOTIFY, 0, kIdOptBG1, 36 + 45, 91 + 37,
                               111, 22, font);
        cmdOK_ = AddControl(L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | BS_NOTIFY | WS_GROUP | WS_TABSTOP, 0, kIdOk, 54, 174,
                            81, 33, font);
        cmdCancel_ = AddControl(L"BUTTON", L"&Cancel", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0, kIdCancel, 147, 174,
                                81, 33, font);
        updR_ = AddControl(UPDOWN_CLASSW, L"", kUpDown | WS_GROUP, 0, kIdUpdR, 153, 46, 16, 30, font);
        updB_ = AddControl(UPDOWN_CLASSW, L"", kUpDown, 0, kIdUpdB, 228, 46, 16, 30, font);
        // Below every other control, and clipped by them, so it never paints over the
        // option buttons that lie on it.
        HWND frame = AddControl(kFrameClass, L"背景", WS_CLIPSIBLINGS, 0, kIdFrame1, 36, 91, 205, 68, font);
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

        for (HWND box : {txtRedNum_, txtBlueNum_})
            SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(Px(1), Px(1)));
        for (auto [updown, box] : {std::pair{updR_, txtRedNum_}, std::pair{updB_, txtBlueNum_}}) {
            SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(box), 0);
            SendMessageW(updown, UDM_SETRANGE32, kMinCount, kMaxCount);
        }
        lastFocus_ = txtRedNum_;
    }

    void OnLoad() override {
        SetWindowTextW(labVer_, platform::Widen(FormatVersionLabel(platform::ProgramVersion())).c_str());
        RegistryStore store;
        SaverSettings s = LoadSaverSettings(store);
        // Values written by something else may lie outside what the controls can show: the
        // dialog shows the nearest it can and stores only what OK confirms.
        SendMessageW(updR_, UDM_SETPOS32, 0, std::clamp(s.redCount, kMinCount, kMaxCount));
        SendMessageW(updB_, UDM_SETPOS32, 0, std::clamp(s.blueCount, kMinCount, kMaxCount));
        CheckRadioButton(hwnd(), kIdOptBG0, kIdOptBG1, s.background == kPlainBlue ? kIdOptBG1 : kIdOptBG0);
    }

    // Applies ClampCountText to a box; the text is rewritten only when the rule changed it,
    // so a text such as "7abc" keeps its caret and selection.
    void ClampCountBox(HWND box) {
        std::string text = platform::Narrow(WindowText(box));
        std::string corrected = ClampCountText(text);
        if (corrected != text) SetWindowTextW(box, platform::Widen(corrected).c_str());
    }

    void txtRedNum_LostFocus() {
        ClampCountBox(txtRedNum_);
        platform::ProcessPendingMessages();
    }

    void txtBlueNum_LostFocus() {
        ClampCountBox(txtBlueNum_);
        platform::ProcessPendingMessages();
    }

    void cmdOK_Click() {
        ClampCountBox(txtRedNum_);
        ClampCountBox(txtBlueNum_);
        platform::ProcessPendingMessages();
        SaverSettings s;
        s.redCount = CountFromText(platform::Narrow(WindowText(txtRedNum_)));
        s.blueCount = CountFromText(platform::Narrow(WindowText(txtBlueNum_)));
        s.background = SendMessageW(optBG_[0], BM_GETCHECK, 0, 0) == BST_CHECKED ? kDesktop : kPlainBlue;
        RegistryStore store;
        SaveSaverSettings(store, s);
        platform::EndProgram();
    }

    void cmdCancel_Click() { platform::EndProgram(); }

    void OnCommand(int id, int notification, HWND) override {
        switch (notification) {
            case EN_KILLFOCUS:
                if (id == kIdTxtRedNum || id == kIdTxtBlueNum) PostMessageW(hwnd(), kCountBoxLeft, id, 0);
                return;
            case EN_SETFOCUS:
            case BN_SETFOCUS:
                PostMessageW(hwnd(), kFocusMoved, 0, 0);
                return;
            case BN_CLICKED:  // also what Enter, Esc and the access keys send
                if (id == kIdOk) cmdOK_Click();
                if (id == kIdCancel) cmdCancel_Click();
                return;
            default:
                return;
        }
    }

    // Enter presses the focused push button, and OK from anywhere else.
    int DefaultButtonId() const { return GetFocus() == cmdCancel_ ? kIdCancel : kIdOk; }

    void ShowDefaultButton() {
        int id = DefaultButtonId();
        SendMessageW(cmdOK_, BM_SETSTYLE, id == kIdOk ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        SendMessageW(cmdCancel_, BM_SETSTYLE, id == kIdCancel ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }

    HBRUSH ControlColors(HDC dc, HWND control) {
        if (control == txtRedNum_ || control == txtBlueNum_) {
            bool red = control == txtRedNum_;
            SetTextColor(dc, kWhite);
            SetBkColor(dc, red ? kRedBoxColor : kBlueBoxColor);
            return red ? redBrush_.get() : blueBrush_.get();
        }
        if (control == optBG_[0] || control == optBG_[1] || GetDlgCtrlID(control) == kIdFrame1) {
            SetTextColor(dc, kBlack);
            SetBkColor(dc, kFrameColor);
            return frameBrush_.get();
        }
        // The labels: white text straight on the form's blue.
        SetTextColor(dc, kWhite);
        SetBkColor(dc, kFormColor);
        SetBkMode(dc, TRANSPARENT);
        return formBrush_.get();
    }

    bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
        switch (msg) {
            case WM_CREATE:
                CreateControls();
                *result = 0;
                return true;
            case WM_ERASEBKGND: {
                RECT rc;
                GetClientRect(hwnd(), &rc);
                FillRect(reinterpret_cast<HDC>(wp), &rc, formBrush_.get());
                *result = 1;
                return true;
            }
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLOREDIT:
                *result = reinterpret_cast<LRESULT>(ControlColors(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)));
                return true;
            case WM_ACTIVATE:
                // A plain window gives the focus to itself on activation; a dialog gives it
                // back to the control that had it (txtRedNum when it first opens).
                if (LOWORD(wp) == WA_INACTIVE) {
                    HWND focus = GetFocus();
                    if (focus && IsChild(hwnd(), focus)) lastFocus_ = focus;
                } else if (!HIWORD(wp) && lastFocus_ && IsWindow(lastFocus_)) {
                    SetFocus(lastFocus_);
                }
                *result = 0;
                return true;
            case DM_GETDEFID:
                *result = MAKELRESULT(DefaultButtonId(), DC_HASDEFID);
                return true;
            case WM_NEXTDLGCTL: {
                // Sent by the dialog-key handling for the arrow keys (lp != 0: wp is the
                // control). Within the option group the selection follows the focus.
                HWND next = LOWORD(lp) ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(hwnd(), GetFocus(), wp != 0);
                if (next) {
                    LRESULT code = SendMessageW(next, WM_GETDLGCODE, 0, 0);
                    if (code & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
                    SetFocus(next);
                    if ((code & DLGC_RADIOBUTTON) && SendMessageW(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
                        SendMessageW(next, BM_CLICK, 0, 0);
                }
                *result = 0;
                return true;
            }
            case kCountBoxLeft:
                if (wp == kIdTxtRedNum) txtRedNum_LostFocus();
                if (wp == kIdTxtBlueNum) txtBlueNum_LostFocus();
                *result = 0;
                return true;
            case kFocusMoved:
                ShowDefaultButton();
                *result = 0;
                return true;
            default:
                return false;
        }
    }

    bool WantsDialogKeys() const override { return true; }

    int dpi_;
    platform::UniqueBrush formBrush_, frameBrush_, redBrush_, blueBrush_;
    platform::UniqueFont titleFont_, versionFont_, formFont_, countFont_;
    HWND labVer_ = nullptr;
    HWND txtRedNum_ = nullptr, txtBlueNum_ = nullptr;
    HWND updR_ = nullptr, updB_ = nullptr;
    HWND optBG_[2] = {nullptr, nullptr};
    HWND cmdOK_ = nullptr, cmdCancel_ = nullptr;
    HWND lastFocus_ = nullptr;
};

}  // namespace

std::unique_ptr<platform::Form> CreateConfigDialog() { return std::make_unique<frmConfig>(); }

}  // namespace settings
