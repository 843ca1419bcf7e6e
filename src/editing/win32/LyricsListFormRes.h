#pragma once

// Resource numbers of the lyrics list editor (LyricsListForm.rc); the .rc compiler reads
// this file too, so it holds #define lines only.

#define IDD_LYRICS_LIST 5000
#define IDR_LYRICS_LIST_MENU 5001

// The controls, in tab order.
#define IDC_LL_LIST 5010
#define IDC_LL_NEW 5011
#define IDC_LL_EDIT 5012
#define IDC_LL_DELETE 5013
#define IDC_LL_REPEAT_TITLE_DELETE 5014
#define IDC_LL_FILE_NOT_EXISTS_DELETE 5015
#define IDC_LL_ALL_DELETE 5016

// The menu "ファイル(&F)".
#define IDM_LL_INCLUDE 5030
#define IDM_LL_EXCLUDE 5031
#define IDM_LL_CLOSE 5032
