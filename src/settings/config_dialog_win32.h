// The configuration dialog frmConfig, "Brackmer Saver設定": both fleet sizes and the
// background, read from and stored to the per-user settings. SaverMain shows it for "/c"
// or an empty command line; the control ids are shared with the Windows tests.
#pragma once

#include <memory>

#include "platform/form_win32.h"

namespace settings {

// Control ids of frmConfig (GetDlgItem on the dialog's window finds each control).
enum ConfigControlId : int {
    kIdOk = 1,      // cmdOK, IDOK: Enter presses it
    kIdCancel = 2,  // cmdCancel, IDCANCEL: Esc presses it
    kIdLabel1 = 100,
    kIdLabVer,
    kIdLabel2,
    kIdTxtRedNum,
    kIdUpdR,
    kIdLabel3,
    kIdTxtBlueNum,
    kIdUpdB,
    kIdFrame1,
    kIdOptBG0,
    kIdOptBG1,
};

// Window class of the dialog, for tests that look for it.
inline constexpr wchar_t kConfigDialogClass[] = L"BrackmerConfig";

std::unique_ptr<platform::Form> CreateConfigDialog();

}  // namespace settings
