#pragma once

// Resource numbers of the lyrics file assignment dialog (FileSelectForm.rc); the .rc
// compiler reads this file too, so it holds #define lines only.

#define IDD_FILE_SELECT 3000

// The controls, in tab order.
#define IDC_FS_TITLE_LABEL 3001
#define IDC_FS_TITLE 3002
#define IDC_FS_LYRICS_MASTER 3003
#define IDC_FS_USE_LINE 3004
#define IDC_FS_START_LINE 3005
#define IDC_FS_START_UPDOWN 3006
#define IDC_FS_KARA 3007
#define IDC_FS_END_LINE 3008
#define IDC_FS_END_UPDOWN 3009
#define IDC_FS_FILE_LABEL 3010
#define IDC_FS_FILE 3011
#define IDC_FS_FILE_OPEN 3012
#define IDC_FS_PREVIEW_LABEL 3013
#define IDC_FS_PREVIEW 3014
#define IDC_FS_PASTE_SAVE 3015
