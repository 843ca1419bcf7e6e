#pragma once

// Resource numbers of the lyrics window (LyricsForm.rc); the .rc compiler reads this file
// too, so it holds #define lines only.

#define IDR_LYRICS_POPUP 2000

// pupMain's items, in menu order.
#define IDM_LYRICS_SETTING 2001
#define IDM_LYRICS_OPENTEXT 2002
#define IDM_LYRICS_RELOAD 2003
#define IDM_LYRICS_PASTESAVE 2004
#define IDM_LYRICS_BACKTRANSPARENT 2005
#define IDM_LYRICS_FIX 2006
// mitTopMost and mitBottom are one radio group: their numbers are consecutive.
#define IDM_LYRICS_TOPMOST 2007
#define IDM_LYRICS_BOTTOM 2008
#define IDM_LYRICS_CLOSE 2009
