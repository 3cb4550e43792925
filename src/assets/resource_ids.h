// Resource numbers shared by the resource script and the code that loads the resources.
// Plain macros: windres reads this file too.
#pragma once

#define IDI_BRACKMER 1
#define IDS_DESCRIPTION 1 /* the name the screen-saver list shows */
#define IDC_INVISIBLE 1
#define IDB_SHIP_FIRST 101 /* ship pictures 1..16 are 101..116 */
#define IDB_EXPLOSION 117
#define IDB_PREVIEW 120
