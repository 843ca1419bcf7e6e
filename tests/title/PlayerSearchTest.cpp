#include <gtest/gtest.h>

#include "FakeWindowSystem.h"
#include "TestText.h"
#include "title/untTitleGet.h"
#include "title/untWinSearch.h"

namespace vesk {
namespace {

using test::Ansi;
using test::FakeWindowSystem;

WindowHandle Handle(int number) {
    return static_cast<WindowHandle>(number);
}

class PlayerSearch : public testing::Test {
protected:
    void SetUp() override {
        // Front to back; handle n is the n-th window.
        desktop_.windows = {
            {"Tool", "Player [Mine]"},                 // 1: the filter, but not the class
            {"Lilith", "Rain - Band"},                 // 2
            {"Lilith", "Sun - Band [Mine]"},           // 3
            {"Media", Ansi("ポップ - Band")},          // 4: 0x7C only as a second byte
            {"Media", "Sun | Live"},                   // 5
            {"Quiet", ""},                             // 6
            {std::string(120, 'C'), "Long"},           // 7
            {"WMPlayerApp", "Windows Media Player"},   // 8
            {"Lilith", Ansi("夏の雨 - 青空 [Mine]")},  // 9
        };
    }

    FakeWindowSystem desktop_;
    ScopedWindowSystem scope_{desktop_};
};

TEST_F(PlayerSearch, FindsTheFirstMatchingWindowFrontToBack) {
    struct Row {
        std::string className;
        std::string filter;
        int window;  // 0: none
        std::string caption;
    };
    const std::string longClass(120, 'C');
    const Row rows[] = {
        // No filter: the first window of the class, whatever its caption.
        {"Lilith", "", 2, "Rain - Band"},
        // No filter: the system's lookup ignores letter case.
        {"lilith", "", 2, "Rain - Band"},
        // Filter: a window of the class without it is passed over, and one with it but of
        // another class never counts.
        {"Lilith", "[Mine]", 3, "Sun - Band [Mine]"},
        {"Lilith", Ansi("青空"), 9, Ansi("夏の雨 - 青空 [Mine]")},
        // Filter: class names compare with letter case.
        {"lilith", "[Mine]", 0, ""},
        {"LILITH", "Rain", 0, ""},
        {"Lilith", "Nothing", 0, ""},
        // The filter's byte inside a double-byte character is no match.
        {"Media", "|", 5, "Sun | Live"},
        {"Media", "\x7C -", 0, ""},
        // A window with an empty caption matches without a filter and gives nothing.
        {"Quiet", "", 6, ""},
        {"Quiet", "x", 0, ""},
        // An empty class name finds nothing.
        {"", "", 0, ""},
        {"", "Rain", 0, ""},
        // Class names are read into 100 bytes: with a filter only the first 99 compare.
        {longClass, "", 7, "Long"},
        {longClass, "Long", 0, ""},
        {longClass.substr(0, 99), "Long", 7, "Long"},
        // No class of that name at all.
        {"Winamp", "", 0, ""},
        // The Windows Media Player window is found by its class like any other.
        {"WMPlayerApp", "Media", 8, ""},
    };
    for (const Row& row : rows) {
        const std::string context =
            "class '" + row.className.substr(0, 20) + "' filter '" + test::Utf8(row.filter) + "'";
        EXPECT_EQ(TitleGet().FindPlayerWindow(row.className, row.filter), Handle(row.window))
            << context;
        if (row.className != "WMPlayerApp") {
            EXPECT_EQ(TitleGet().GetPlayerCaption(row.className, row.filter), row.caption)
                << context;
        }
    }
}

TEST_F(PlayerSearch, EmptyFilterAsksTheSystemOnceAndEnumeratesNothing) {
    EXPECT_EQ(TitleGet().GetPlayerCaption("Lilith", ""), "Rain - Band");
    EXPECT_EQ(desktop_.finds, 1);
    EXPECT_EQ(desktop_.enumerations, 0);
    EXPECT_EQ(desktop_.captionReads, 1);
}

// The windows behind the one found are never listed or read: on a desktop each of them can
// be a round trip to another process.
TEST_F(PlayerSearch, FilteredSearchStopsAtTheWindowFound) {
    EXPECT_EQ(TitleGet().FindPlayerWindow("Lilith", "[Mine]"), Handle(3));
    EXPECT_EQ(desktop_.visits, 3);
}

TEST_F(PlayerSearch, WindowsMediaPlayerCaptionIsBuiltThroughAutomation) {
    desktop_.automationText = Ansi("夏の雨");
    // The filter plays no part for the Windows Media Player class.
    EXPECT_EQ(TitleGet().GetPlayerCaption("WMPlayerApp", "no such text"),
              Ansi("夏の雨") + " - Windows Media Player");
    EXPECT_EQ(desktop_.lastProgId, "WMPuICE.WMPApp.1");
    EXPECT_EQ(desktop_.lastPath, (std::vector<std::string>{"Core", "currentMedia", "Name"}));
    // The built caption gives the name back with a back cut of 23 and no front cut.
    EXPECT_EQ(TitleGet().GetSongTitle(TitleGet().GetPlayerCaption("WMPlayerApp", ""), "", 1, 0, 23),
              Ansi("夏の雨"));

    // Player running, name not readable: the failure text, which leaves the empty title.
    desktop_.automationText.reset();
    EXPECT_EQ(TitleGet().GetPlayerCaption("WMPlayerApp", ""), "- Windows Media Player");
    EXPECT_EQ(TitleGet().GetSongTitle("- Windows Media Player", "", 1, 0, 23), "");

    // The automation path is taken only for the class name as written.
    desktop_.automationText = "Name";
    EXPECT_EQ(TitleGet().GetPlayerCaption("wmplayerapp", ""), "Windows Media Player");

    // Player not running: empty, and its automation server is not asked.
    desktop_[Handle(8)].className = "Closed";
    const int reads = desktop_.automationReads;
    EXPECT_EQ(TitleGet().GetPlayerCaption("WMPlayerApp", ""), "");
    EXPECT_EQ(GetWmpCaption(), "");
    EXPECT_EQ(desktop_.automationReads, reads);
}

// With synced lyrics the title check reads the player's position with its caption: for
// Windows Media Player both come from one automation object; other players have none.
TEST_F(PlayerSearch, WindowsMediaPlayerPositionComesWithItsCaption) {
    desktop_.automationText = "Rain";
    desktop_.automationNumber = 12.5;
    const PlayerReading wmp = TitleGet().ReadPlayer("WMPlayerApp", "");
    EXPECT_EQ(wmp.caption, "Rain - Windows Media Player");
    EXPECT_EQ(wmp.positionSeconds, 12.5);
    EXPECT_EQ(desktop_.automationReads, 1) << "one object for both";
    EXPECT_EQ(desktop_.lastNumberPath,
              (std::vector<std::string>{"Core", "controls", "currentPosition"}));

    const PlayerReading other = TitleGet().ReadPlayer("Lilith", "");
    EXPECT_EQ(other.caption, TitleGet().GetPlayerCaption("Lilith", ""));
    EXPECT_FALSE(other.positionSeconds.has_value());

    desktop_[Handle(8)].className = "Closed";
    const PlayerReading closed = TitleGet().ReadPlayer("WMPlayerApp", "");
    EXPECT_EQ(closed.caption, "");
    EXPECT_FALSE(closed.positionSeconds.has_value());
}

// Every caption of the search is read through the GetWindowCaption slot; with a filter the
// winner's caption is read once more and that second reading is the result.
class StampingTitleGet : public TTitleGet {
public:
    mutable int reads = 0;
    std::string GetWindowCaption(WindowHandle window) const override {
        return TTitleGet::GetWindowCaption(window) + " #" + std::to_string(++reads);
    }
};

TEST_F(PlayerSearch, CaptionsAreReadThroughTheSlot) {
    const StampingTitleGet stamping;
    const TTitleGet& get = stamping;
    // Windows 2 and 3 are read for the check, then 3 once more.
    EXPECT_EQ(get.GetPlayerCaption("Lilith", "[Mine]"), "Sun - Band [Mine] #3");
    // The stamp makes window 2 match "#": what the slot gives is what the filter sees.
    EXPECT_EQ(get.FindPlayerWindow("Lilith", "#"), Handle(2));
    EXPECT_EQ(get.GetPlayerCaption("Lilith", ""), "Rain - Band #5");
    EXPECT_EQ(desktop_.captionReads, stamping.reads) << "a caption read outside the slot";
}

TEST(EnumTopWindows, KeepsTheOrderAndStopsAtFiveHundred) {
    FakeWindowSystem desktop;
    for (int i = 0; i < 600; ++i) {
        desktop.windows.push_back({"Window", "w" + std::to_string(i + 1)});
    }
    desktop.windows[500] = {"Late", "after the limit [x]"};
    ScopedWindowSystem scope(desktop);

    const std::vector<WindowHandle> windows = EnumTopWindows();
    ASSERT_EQ(windows.size(), 500u);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        ASSERT_EQ(windows[i], FakeWindowSystem::HandleOf(i));
    }
    EXPECT_EQ(desktop.visits, 500) << "the enumeration stops at the limit";
    // The 501st window is never examined by a filtered search.
    EXPECT_EQ(TitleGet().FindPlayerWindow("Late", "[x]"), kNoWindow);
    EXPECT_EQ(TitleGet().FindPlayerWindow("Late", ""), FakeWindowSystem::HandleOf(500));
}

TEST(WinSearch, ReadsClassNameCaptionAndOwner) {
    FakeWindowSystem desktop;
    desktop.windows = {
        {std::string(150, 'K'), "plain"},
        {"Owned", Ansi("夏の雨"), FakeWindowSystem::HandleOf(0)},
        // The caption grew after its length was asked: what fits the buffer counts.
        {"Grown", "Longer caption", kNoWindow, 4},
        // The reported length can be larger than the caption (double-byte text).
        {"Shrunk", "Short", kNoWindow, 20},
        {"Silent", "text", kNoWindow, 0},
        {"Wild", "text", kNoWindow, -1},
    };
    ScopedWindowSystem scope(desktop);
    const auto h = FakeWindowSystem::HandleOf;

    EXPECT_EQ(WindowClassName(h(0)), std::string(99, 'K'));
    EXPECT_EQ(WindowClassName(h(1)), "Owned");
    EXPECT_EQ(WindowClassName(Handle(99)), "");
    EXPECT_EQ(WindowText(h(0)), "plain");
    EXPECT_EQ(WindowText(h(1)), Ansi("夏の雨"));
    EXPECT_EQ(WindowText(h(2)), "Long");
    EXPECT_EQ(WindowText(h(3)), "Short");
    EXPECT_EQ(WindowText(h(4)), "");
    EXPECT_EQ(WindowText(h(5)), "");
    EXPECT_EQ(WindowText(Handle(99)), "");
    EXPECT_EQ(TitleGet().GetWindowCaption(h(1)), Ansi("夏の雨"));
    EXPECT_FALSE(HasOwner(h(0)));
    EXPECT_TRUE(HasOwner(h(1)));
}

}  // namespace
}  // namespace vesk
