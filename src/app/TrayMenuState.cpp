#include "app/TrayMenuState.h"

#include "common/AnsiText.h"
#include "online/SearchMemory.h"

namespace vesk {

namespace {
constexpr std::size_t kCaptionTitleBytes = 30;
}

std::string ThisLyricCaption(std::string_view songTitle) {
    // The cut counts bytes, as the menu always has: a double-byte character at bytes 30
    // and 31 loses its second byte.
    const std::string_view shown = songTitle.substr(0, kCaptionTitleBytes);
    return ReplaceBytes(shown, "&", "&&") + "(&T)";
}

TrayMenuState TrayMenuStateOnEnter(const TrayMenuState& previous, const LyricsWindowView& window,
                                   std::string_view songTitle, const TrayMenuSettings& settings,
                                   bool syncedSongShown) {
    TrayMenuState state = previous;
    if (window.exists) {
        state.visibleChecked = true;
        state.windowItemsEnabled = true;
        state.backTransparentChecked = window.backTransparent;
        switch (window.formPos) {
            case 0:
                state.topMostChecked = false;
                state.bottomChecked = false;
                break;
            case 1:
                state.topMostChecked = true;
                state.bottomChecked = false;
                break;
            case 2:
                state.topMostChecked = false;
                state.bottomChecked = true;
                break;
            default:
                break;
        }
    } else {
        state.visibleChecked = false;
        state.windowItemsEnabled = false;
        state.backTransparentChecked = false;
        state.topMostChecked = false;
        state.bottomChecked = false;
    }
    state.thisLyricCaption = ThisLyricCaption(songTitle);
    state.lyricsMasterVisible = settings.lyricsMasterOn;
    state.pasteSaveVisible = !settings.pasteSavePath.empty();
    state.amazonVisible = !settings.notAmazon;
    state.searchOnlineEnabled = IsSearchableTitle(songTitle);
    state.syncItemsVisible = syncedSongShown;
    return state;
}

}  // namespace vesk
