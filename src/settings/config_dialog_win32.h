// The settings dialog "Brackmer Saver設定": both fleet sizes and the background, read from
// and stored to the per-user settings. SaverMain shows it for "/c" ("/c:HWND" from the Screen
// Saver Settings window) or an empty command line; the control ids are shared with its template and the Windows tests.
#pragma once

#include <memory>

#include "platform/form_win32.h"
#include "settings/config_dialog_ids.h"

namespace settings {

// The dialog's caption, as its template (config_dialog_win32.rc) spells it; SaverMain looks
// for it to bring an open dialog to the front instead of opening a second.
inline constexpr wchar_t kConfigWindowTitle[] = L"Brackmer Saver\u8a2d\u5b9a";

// Control ids of the dialog (GetDlgItem on the dialog's window finds each control).
enum ConfigControlId : int {
    kIdOk = IDOK,          // Enter presses it
    kIdCancel = IDCANCEL,  // Esc presses it
    kIdLabel1 = IDC_LABEL1,
    kIdLabVer = IDC_LAB_VER,
    kIdLabel2 = IDC_LABEL2,
    kIdTxtRedNum = IDC_TXT_RED_NUM,
    kIdUpdR = IDC_UPD_R,
    kIdLabel3 = IDC_LABEL3,
    kIdTxtBlueNum = IDC_TXT_BLUE_NUM,
    kIdUpdB = IDC_UPD_B,
    kIdFrame1 = IDC_FRAME1,
    kIdOptBG0 = IDC_OPT_BG0,
    kIdOptBG1 = IDC_OPT_BG1,
};

// The modeless dialog, made from the template IDD_CONFIG of the running program's
// resources; the form loop's dialog-key handling drives Tab, Enter, Esc and access keys.
// With an owner (the Screen Saver Settings window that asked for it) the dialog is owned by
// that window's top-level window, opens over it and keeps it disabled until the dialog ends,
// by whatever way; a handle that names no window (junk, or a window already gone) counts as
// none, and the dialog then opens alone in the centre of the screen.
std::unique_ptr<platform::Form> CreateConfigDialog(HWND owner = nullptr);

}  // namespace settings
