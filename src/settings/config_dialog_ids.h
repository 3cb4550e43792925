// Resource and control numbers of the settings dialog, shared by its template
// (config_dialog_win32.rc), its code and the Windows tests. Plain macros: windres reads
// this file too.
#pragma once

#define IDD_CONFIG 200
#define IDC_LABEL1 100
#define IDC_LAB_VER 101
#define IDC_LABEL2 102
#define IDC_TXT_RED_NUM 103
#define IDC_UPD_R 104
#define IDC_LABEL3 105
#define IDC_TXT_BLUE_NUM 106
#define IDC_UPD_B 107
#define IDC_FRAME1 108
#define IDC_OPT_BG0 109
#define IDC_OPT_BG1 110
