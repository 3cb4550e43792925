// The settings dialog, made by the platform's dialog manager from its template and run
// modeless. This code adds what a template cannot say: pixel placement at the display's
// dpi, the fonts, the colours, the up-downs' buddies and range, and the dialog's rules.
#include "settings/config_dialog_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "assets/resource_ids.h"
#include "platform/handles_win32.h"
#include "platform/monitors_win32.h"
#include "platform/runtime_win32.h"
#include "settings/config_rules.h"
#include "settings/dialog_template.h"
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

// A count box lost the focus: the correction runs once the focus change has finished,
// because pumping messages inside EN_KILLFOCUS could hand a button its mouse-up before it
// has seen its mouse-down, and the click would be lost.
constexpr UINT kCountBoxLeft = WM_APP + 1;

std::wstring WindowText(HWND h) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return text;
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

// The designed layout, read back from the template the dialog was made from.
DialogTemplateLayout TemplateLayout() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(IDD_CONFIG), RT_DIALOG);
    HGLOBAL mem = res ? LoadResource(module, res) : nullptr;
    const auto* data = static_cast<const uint8_t*>(mem ? LockResource(mem) : nullptr);
    if (!data) platform::ThrowLastError("LoadResource");
    return ReadDialogTemplateLayout({data, SizeofResource(module, res)});
}

// The top-level window behind a handle from the command line, or null when it names none.
// The desktop itself is no owner: disabling it would freeze the user's whole screen.
HWND OwnerWindow(HWND handle) {
    if (!handle || !IsWindow(handle)) return nullptr;
    HWND top = GetAncestor(handle, GA_ROOT);
    return top && top != GetDesktopWindow() ? top : nullptr;
}

platform::Rect BoxOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// The owner this process disabled, for the error report's clean-up: an uncaught error ends
// the program from wherever it was raised, and the Settings window must not stay dead.
HWND disabledOwner = nullptr;
void EnableDisabledOwner() {
    if (HWND owner = std::exchange(disabledOwner, nullptr)) EnableWindow(owner, TRUE);
}

// The up-downs take the focus (they are tab stops) but, left alone, ask the dialog manager
// for no keys: it would turn Up and Down into moving the focus, and Enter would press
// whichever button was the default last. Focused, an up-down makes OK the default and
// steps its count on Up and Down, by handing those keys to its buddy box, whose handling
// the up-down itself installed (UDS_ARROWKEYS).
LRESULT CALLBACK UpDownKeys(HWND updown, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    switch (msg) {
        case WM_GETDLGCODE:
            return DefSubclassProc(updown, msg, wp, lp) | DLGC_WANTARROWS;
        case WM_SETFOCUS:
            SendMessageW(GetParent(updown), DM_SETDEFID, IDOK, 0);
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (wp == VK_UP || wp == VK_DOWN) {
                if (HWND buddy = reinterpret_cast<HWND>(SendMessageW(updown, UDM_GETBUDDY, 0, 0)))
                    return SendMessageW(buddy, msg, wp, lp);
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(updown, &UpDownKeys, 0);
            break;
    }
    return DefSubclassProc(updown, msg, wp, lp);
}

class ConfigDialog final : public platform::Form {
public:
    explicit ConfigDialog(HWND owner) : dpi_(platform::SystemDpi()), owner_(OwnerWindow(owner)) {
        formBrush_.reset(CreateSolidBrush(kFormColor));
        frameBrush_.reset(CreateSolidBrush(kFrameColor));
        redBrush_.reset(CreateSolidBrush(kRedBoxColor));
        blueBrush_.reset(CreateSolidBrush(kBlueBoxColor));
        titleFont_ = MakeFont(kTimes, 1575, true, true, ANSI_CHARSET, FF_ROMAN, dpi_);
        versionFont_ = MakeFont(kTimes, 1425, true, true, ANSI_CHARSET, FF_ROMAN, dpi_);
        formFont_ = MakeFont(kGothic, 1200, false, false, SHIFTJIS_CHARSET, FF_SWISS, dpi_);
        countFont_ = MakeFont(kGothic, 1425, true, false, SHIFTJIS_CHARSET, FF_SWISS, dpi_);
    }
    // The controls use the fonts and brushes below: the window goes before they do (and its
    // unload gives the owner back).
    ~ConfigDialog() override { Unload(); }

private:
    int Px(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }

    HWND CreateHandle() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CONFIG), owner_, &DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    }

    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lp);
        auto* self = reinterpret_cast<ConfigDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (!self) return FALSE;
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            self->WindowDestroyed();
            return FALSE;  // the dialog manager frees its own data too
        }
        try {
            return self->HandleMessage(dialog, msg, wp, lp);
        } catch (const std::exception& e) {
            platform::ReportFatalError(e);
        }
    }

    HFONT FontFor(int id) const {
        switch (id) {
            case kIdLabel1: return titleFont_.get();
            case kIdLabVer: return versionFont_.get();
            case kIdTxtRedNum:
            case kIdTxtBlueNum: return countFont_.get();
            default: return formFont_.get();
        }
    }

    // What the template leaves to the code: every control at its designed pixel rectangle
    // scaled to the display, its font, the icon, the client size, and the place: over the
    // owner, or in the centre of the screen.
    void Design(HWND dialog) {
        dialog_ = dialog;
        redBox_ = GetDlgItem(dialog, kIdTxtRedNum);
        blueBox_ = GetDlgItem(dialog, kIdTxtBlueNum);
        redUpDown_ = GetDlgItem(dialog, kIdUpdR);
        blueUpDown_ = GetDlgItem(dialog, kIdUpdB);
        frame_ = GetDlgItem(dialog, kIdFrame1);
        // A themed group frame paints the parent's ground over its own; the classic frame
        // draws only its line and caption on the light ground the dialog gives it.
        SetWindowTheme(frame_, L" ", L" ");  // no theme class is named " "
        if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BRACKMER))) {
            SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
            SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }

        DialogTemplateLayout layout = TemplateLayout();
        for (const TemplateControl& c : layout.controls) {
            HWND control = GetDlgItem(dialog, c.id);
            SetWindowPos(control, nullptr, Px(c.rect.left), Px(c.rect.top), Px(c.rect.width), Px(c.rect.height),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.id)), FALSE);
        }
        RECT frame{0, 0, Px(layout.dialog.width), Px(layout.dialog.height)};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
        int width = frame.right - frame.left, height = frame.bottom - frame.top;
        std::optional<OwnerPlace> ownerPlace;
        RECT ownerRect;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (owner_ && GetWindowRect(owner_, &ownerRect) &&
            GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor))
            ownerPlace = OwnerPlace{BoxOf(ownerRect), BoxOf(monitor.rcWork)};
        const platform::Rect at =
            PlaceDialog(width, height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), ownerPlace);
        SetWindowPos(dialog, nullptr, at.left, at.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

        // No margins: "15" in the box's bold font needs nearly all of the box (see the template).
        for (HWND box : {redBox_, blueBox_}) SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        for (auto [updown, box] : {std::pair{redUpDown_, redBox_}, std::pair{blueUpDown_, blueBox_}}) {
            SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(box), 0);
            SendMessageW(updown, UDM_SETRANGE32, kMinCount, kMaxCount);
            SetWindowSubclass(updown, &UpDownKeys, 0, 0);
        }
    }

    // The owner stays disabled, as under a modal dialog, until the dialog ends: the user
    // cannot start Preview or open a second dialog from it meanwhile. A window that was
    // disabled already is left as it was found.
    void TakeOwner() {
        if (!owner_ || EnableWindow(owner_, FALSE)) return;
        disabledOwner = owner_;
        platform::SetFatalCleanup(&EnableDisabledOwner);
    }
    // Before the dialog goes: enabled first, the owner is the window activated next.
    void GiveOwnerBack() {
        if (owner_ && disabledOwner == owner_) EnableDisabledOwner();
    }
    void OnUnload() override { GiveOwnerBack(); }

    // OK and Cancel end the program; the dialog goes first, so that the owner is activated as
    // after any dialog.
    [[noreturn]] void End() {
        Unload();
        platform::EndProgram();
    }

    void OnLoad() override {
        TakeOwner();
        SetDlgItemTextW(dialog_, kIdLabVer, platform::Widen(FormatVersionLabel(platform::ProgramVersion())).c_str());
        RegistryStore store;
        SaverSettings s = LoadSaverSettings(store);
        // Values written by something else may lie outside what the controls can show: the
        // dialog shows the nearest it can and stores only what OK confirms.
        SendMessageW(redUpDown_, UDM_SETPOS32, 0, std::clamp(s.redCount, kMinCount, kMaxCount));
        SendMessageW(blueUpDown_, UDM_SETPOS32, 0, std::clamp(s.blueCount, kMinCount, kMaxCount));
        CheckRadioButton(dialog_, kIdOptBG0, kIdOptBG1, s.background == kPlainBlue ? kIdOptBG1 : kIdOptBG0);
    }

    // Applies ClampCountText to a box, read with full-width digits as ASCII (what a Japanese
    // input method types); the text is rewritten only when that changed it, so a text such
    // as "7abc" keeps its caret and selection, and "１０" becomes "10".
    void ClampCountBox(HWND box) {
        std::string text = platform::Narrow(WindowText(box));
        std::string corrected = ClampCountText(FoldFullWidthNumber(text));
        if (corrected != text) SetWindowTextW(box, platform::Widen(corrected).c_str());
    }
    static int16_t CountOf(HWND box) { return CountFromText(FoldFullWidthNumber(platform::Narrow(WindowText(box)))); }

    // An arrow (clicked, or Up and Down in the box) steps from what the box shows, also a
    // text the up-down itself cannot read ("７", "3.4").
    void StepFromBox(const NMUPDOWN& step) {
        HWND updown = step.hdr.hwndFrom;
        HWND box = reinterpret_cast<HWND>(SendMessageW(updown, UDM_GETBUDDY, 0, 0));
        const std::string text = FoldFullWidthNumber(platform::Narrow(WindowText(box)));
        SendMessageW(updown, UDM_SETPOS32, 0, StepCount(text, step.iDelta));
    }

    void CountBoxLeft(HWND box) {
        ClampCountBox(box);
        platform::ProcessPendingMessages();
    }

    void Confirm() {
        ClampCountBox(redBox_);
        ClampCountBox(blueBox_);
        platform::ProcessPendingMessages();
        SaverSettings s;
        s.redCount = CountOf(redBox_);
        s.blueCount = CountOf(blueBox_);
        s.background = IsDlgButtonChecked(dialog_, kIdOptBG0) == BST_CHECKED ? kDesktop : kPlainBlue;
        RegistryStore store;
        SaveSaverSettings(store, s);
        End();
    }

    void Command(int id, int notification) {
        bool countBox = id == kIdTxtRedNum || id == kIdTxtBlueNum;
        if (notification == EN_KILLFOCUS && countBox) {
            PostMessageW(dialog_, kCountBoxLeft, static_cast<WPARAM>(id), 0);
        } else if ((notification == EN_SETFOCUS && countBox) || notification == BN_SETFOCUS) {
            // Enter presses the focused push button and OK from anywhere else, however the
            // focus got there (Tab, a click, or a program's SetFocus).
            SendMessageW(dialog_, DM_SETDEFID, id == kIdCancel ? kIdCancel : kIdOk, 0);
        } else if (notification == BN_CLICKED && id == kIdOk) {  // also Enter and Alt+O
            Confirm();
        } else if (notification == BN_CLICKED && id == kIdCancel) {  // also Esc and Alt+C
            End();
        }
    }

    HBRUSH ControlColors(HDC dc, int id) {
        if (id == kIdTxtRedNum || id == kIdTxtBlueNum) {
            bool red = id == kIdTxtRedNum;
            SetTextColor(dc, kWhite);
            SetBkColor(dc, red ? kRedBoxColor : kBlueBoxColor);
            return red ? redBrush_.get() : blueBrush_.get();
        }
        if (id == kIdFrame1 || id == kIdOptBG0 || id == kIdOptBG1) {
            SetTextColor(dc, kBlack);
            SetBkColor(dc, kFrameColor);
            return frameBrush_.get();
        }
        // The labels: white text straight on the form's blue.
        SetTextColor(dc, kWhite);
        SetBkMode(dc, TRANSPARENT);
        return formBrush_.get();
    }

    // The group frame draws only its line and caption; the light ground it stands on, inside
    // and around the line, is the dialog's to paint before the frame paints over it.
    void PaintFrameGround() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(dialog_, &ps);
        RECT frame;
        GetWindowRect(frame_, &frame);
        MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&frame), 2);
        FillRect(dc, &frame, frameBrush_.get());
        EndPaint(dialog_, &ps);
    }

    INT_PTR HandleMessage(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
            case WM_INITDIALOG:
                Design(dialog);
                // No focus yet: the dialog is still hidden, and focusing a control would
                // activate it unseen, so that showing it leaves its caption inactive. When
                // it is shown and activated the dialog manager focuses the first tab stop.
                return FALSE;
            case WM_CTLCOLORDLG:
                return reinterpret_cast<INT_PTR>(formBrush_.get());
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLOREDIT:
                return reinterpret_cast<INT_PTR>(
                    ControlColors(reinterpret_cast<HDC>(wp), GetDlgCtrlID(reinterpret_cast<HWND>(lp))));
            case WM_PAINT:
                PaintFrameGround();
                return TRUE;  // the default would find nothing left to paint
            case WM_COMMAND:
                Command(LOWORD(wp), HIWORD(wp));
                return TRUE;
            case WM_NOTIFY:
                if (reinterpret_cast<const NMHDR*>(lp)->code != UDN_DELTAPOS) return FALSE;
                StepFromBox(*reinterpret_cast<const NMUPDOWN*>(lp));
                // The step is done: the up-down must not make its own from its last value.
                SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
                return TRUE;
            case WM_CLOSE:
                // Closing unloads the window without storing; the program ends with it.
                Unload();
                return TRUE;
            case kCountBoxLeft:
                CountBoxLeft(GetDlgItem(dialog, static_cast<int>(wp)));
                return TRUE;  // posted: the answer goes to no one
            default:
                return FALSE;
        }
    }

    bool WantsDialogKeys() const override { return true; }

    int dpi_;
    HWND owner_;
    platform::UniqueBrush formBrush_, frameBrush_, redBrush_, blueBrush_;
    platform::UniqueFont titleFont_, versionFont_, formFont_, countFont_;
    HWND dialog_ = nullptr;
    HWND redBox_ = nullptr, blueBox_ = nullptr;
    HWND redUpDown_ = nullptr, blueUpDown_ = nullptr;
    HWND frame_ = nullptr;
};

}  // namespace

std::unique_ptr<platform::Form> CreateConfigDialog(HWND owner) { return std::make_unique<ConfigDialog>(owner); }

}  // namespace settings
