#pragma once

// Resource ids of the settings dialog's extension page (7000-7099).

#define IDD_SETTING_EXTENSION 7000

#define IDC_EDT_LYRICSFOLDER 7010
#define IDC_BTN_LYRICSFOLDER 7011
#define IDC_BTN_LYRICSFOLDERDELETE 7012
#define IDC_EDT_OVERLAYFILE 7020
#define IDC_BTN_OVERLAYFILE 7021
#define IDC_BTN_OVERLAYFILEDELETE 7022

// The group boxes and labels, for the page's pixel table only.
#define IDC_GRP_LYRICSFOLDER 7030
#define IDC_GRP_OVERLAYFILE 7032

// Lyrics found online.
#define IDC_CBX_ONLINELYRICS 7040
#define IDC_EDT_ONLINELYRICSURL 7041
#define IDC_GRP_ONLINELYRICS 7042
