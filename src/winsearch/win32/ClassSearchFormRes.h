#pragma once

// Resource ids of the window class search dialog (6000-6099); the .rc compiler reads this
// file too, so it holds #define lines only. OK and キャンセル are IDOK and IDCANCEL.

#define IDD_CLASS_SEARCH 6000

// The controls, in tab order.
#define IDC_LVW_CLASSNAME 6001
#define IDC_BTN_SEARCH 6002
#define IDC_CBX_MORE 6003
