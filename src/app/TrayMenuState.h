#pragma once

// What the notification-area menus show, worked out when the pointer comes over the icon
// (tryMainMouseEnter): check marks and enabled states after the lyrics window, the first
// item's caption after the song title, the optional commands after the settings.

#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

// The lyrics window as the menus see it.
struct LyricsWindowView {
    bool exists = false;
    bool backTransparent = false;
    std::int32_t formPos = 0;  // 0 normal, 1 always in front, 2 always behind
};

struct TrayMenuState {
    // Left-click menu.
    bool visibleChecked = false;      // mitVisible
    bool windowItemsEnabled = false;  // mitReturnDisplay, mitBackTransparent, mitTopMost, mitBottom
    bool backTransparentChecked = false;  // mitBackTransparent
    bool topMostChecked = false;          // mitTopMost (radio group with mitBottom)
    bool bottomChecked = false;           // mitBottom
    // Right-click menu.
    std::string thisLyricCaption;      // mitThisLyric
    bool lyricsMasterVisible = false;  // mitLyricsMaster
    bool pasteSaveVisible = false;     // mitPasteSave
    bool amazonVisible = true;         // mitAmazon
    bool searchOnlineEnabled = false;  // mitSearchOnline: a song to search is playing
    bool syncItemsVisible = false;     // mitSyncEarlier, mitSyncLater

    bool operator==(const TrayMenuState&) const = default;
};

struct TrayMenuSettings {
    bool lyricsMasterOn = false;
    std::string_view pasteSavePath;
    bool notAmazon = false;
};

// The state after the pointer entered the icon. previous is what the menus showed before: a
// FormPos other than 0, 1 and 2 leaves the radio items' checks as they were. The two items
// that correct synced lyrics show while a synced song is shown.
TrayMenuState TrayMenuStateOnEnter(const TrayMenuState& previous, const LyricsWindowView& window,
                                   std::string_view songTitle, const TrayMenuSettings& settings,
                                   bool syncedSongShown = false);

// The first 30 bytes of the song title, then "(&T)"; an "&" of the title is shown as itself,
// not taken as the menu's accelerator prefix.
std::string ThisLyricCaption(std::string_view songTitle);

}  // namespace vesk
