#include "app/TrayMenuState.h"

#include <gtest/gtest.h>

#include "TestText.h"

namespace vesk {
namespace {

using test::Ansi;

TEST(TrayMenuState, FollowsTheLyricsWindow) {
    const TrayMenuSettings settings{};
    struct Row {
        const char* name;
        LyricsWindowView window;
        TrayMenuState previous;
        bool visible, enabled, transparent, topMost, bottom;
    };
    TrayMenuState checkedBoth;
    checkedBoth.topMostChecked = true;
    checkedBoth.bottomChecked = false;
    TrayMenuState bottomBefore;
    bottomBefore.bottomChecked = true;
    const Row rows[] = {
        {"closed clears everything",
         {false, true, 1},
         checkedBoth,
         false,
         false,
         false,
         false,
         false},
        {"open, normal", {true, false, 0}, checkedBoth, true, true, false, false, false},
        {"open, transparent, in front",
         {true, true, 1},
         bottomBefore,
         true,
         true,
         true,
         true,
         false},
        {"open, behind", {true, false, 2}, checkedBoth, true, true, false, false, true},
        {"open, FormPos 3 keeps the radio checks",
         {true, false, 3},
         bottomBefore,
         true,
         true,
         false,
         false,
         true},
    };
    for (const Row& row : rows) {
        const TrayMenuState state = TrayMenuStateOnEnter(row.previous, row.window, "t", settings);
        EXPECT_EQ(state.visibleChecked, row.visible) << row.name;
        EXPECT_EQ(state.windowItemsEnabled, row.enabled) << row.name;
        EXPECT_EQ(state.backTransparentChecked, row.transparent) << row.name;
        EXPECT_EQ(state.topMostChecked, row.topMost) << row.name;
        EXPECT_EQ(state.bottomChecked, row.bottom) << row.name;
    }
}

TEST(TrayMenuState, OptionalItemsFollowTheSettings) {
    const LyricsWindowView closed;
    const std::string folder = "C:\\Lyrics\\";
    TrayMenuState state = TrayMenuStateOnEnter({}, closed, "t", {true, folder, false});
    EXPECT_TRUE(state.lyricsMasterVisible);
    EXPECT_TRUE(state.pasteSaveVisible);
    EXPECT_TRUE(state.amazonVisible);
    state = TrayMenuStateOnEnter(state, closed, "t", {false, "", true});
    EXPECT_FALSE(state.lyricsMasterVisible);
    EXPECT_FALSE(state.pasteSaveVisible);
    EXPECT_FALSE(state.amazonVisible);
    // The synced lyrics corrections: only while a synced song is shown.
    EXPECT_FALSE(state.syncItemsVisible);
    state = TrayMenuStateOnEnter(state, closed, "t", {}, true);
    EXPECT_TRUE(state.syncItemsVisible);
    state = TrayMenuStateOnEnter(state, closed, "t", {}, false);
    EXPECT_FALSE(state.syncItemsVisible);
}

TEST(TrayMenuState, TheOnlineSearchNeedsASongToSearch) {
    const struct {
        const char* title;
        bool enabled;
    } rows[] = {{"Rain", true}, {"PlayerNotFound", false}, {"", false}, {"  ", false}};
    for (const auto& row : rows) {
        EXPECT_EQ(TrayMenuStateOnEnter({}, {}, row.title, {}).searchOnlineEnabled, row.enabled)
            << row.title;
    }
}

TEST(TrayMenuState, FirstItemShowsTheFirstThirtyBytesOfTheTitle) {
    struct Row {
        std::string title;
        std::string caption;
    };
    const std::string forty(40, 'x');
    const std::string kanji15 = Ansi("夏夏夏夏夏夏夏夏夏夏夏夏夏夏夏");  // 30 bytes
    const Row rows[] = {
        {"PlayerNotFound", "PlayerNotFound(&T)"},
        {forty, std::string(30, 'x') + "(&T)"},
        {std::string(30, 'y'), std::string(30, 'y') + "(&T)"},
        {"", "(&T)"},
        {kanji15, kanji15 + "(&T)"},
        // The cut counts bytes: the sixteenth character loses its second byte.
        {"a" + kanji15, "a" + kanji15.substr(0, 29) + "(&T)"},
        {"Rock & Roll", "Rock && Roll(&T)"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ThisLyricCaption(row.title), row.caption) << row.title;
    }
}

}  // namespace
}  // namespace vesk
