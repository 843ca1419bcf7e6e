#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFolder.h"
#include "TestText.h"
#include "app/FakeMainParts.h"
#include "app/untMain.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

using test::Ansi;
using test::CountingLyrics;
using test::RecordingLyricsWindow;
using test::ScriptedTitleGet;

class TitleCheck : public testing::Test {
protected:
    TitleCheck() {
        auto lyrics = std::make_unique<CountingLyrics>();
        lyrics_ = lyrics.get();
        form_.UseLyricsList(std::move(lyrics));
        test::ChangeSettings(form_, [](MainFormSettings& s) { s.topCut = 0; });
    }

    // One check with the player showing caption; the window's events since the last call.
    std::vector<std::string> Check(const std::string& caption) {
        player_.caption = caption;
        form_.tmrTitleCheckTimer();
        return TakeEvents();
    }
    std::vector<std::string> TakeEvents() { return std::exchange(window_.events, {}); }

    ScriptedTitleGet player_;
    RecordingLyricsWindow window_;
    std::vector<std::string> commands_;
    test::TestMainForm form_{player_, window_,
                             [this](const std::string& c) { commands_.push_back(c); }};
    CountingLyrics* lyrics_ = nullptr;
};

using Events = std::vector<std::string>;

TEST_F(TitleCheck, ShowsLyricsOnlyWhenTheTitleChanges) {
    window_.exists = true;
    EXPECT_EQ(Check("Rain - Band"), Events{"show text of Rain"});
    EXPECT_EQ(form_.SongTitle(), "Rain");
    // The same caption again: no display text, the window untouched.
    EXPECT_EQ(Check("Rain - Band"), Events{});
    // Another caption with the same title is no change either.
    EXPECT_EQ(Check("Rain - Other Band"), Events{});
    // A change of letter case alone is a new title.
    EXPECT_EQ(Check("rain - Band"), Events{"show text of rain"});
    EXPECT_EQ(lyrics_->asked, (std::vector<std::string>{"Rain", "rain"}));
    EXPECT_EQ(player_.reads, 4);
}

// A player whose caption read runs a message loop (a slow automation call): the ticks
// that come meanwhile must not start a check inside the check.
class ReenteringTitleGet : public ScriptedTitleGet {
public:
    TfrmMain* form = nullptr;
    std::string GetPlayerCaption(std::string_view cls, std::string_view flt) const override {
        const std::string read = ScriptedTitleGet::GetPlayerCaption(cls, flt);
        if (form != nullptr && reads == 1) {
            form->tmrTitleCheckTimer();  // a tick dispatched from inside the read
        }
        return read;
    }
};

TEST(TitleCheckTicks, NeverRunInsideEachOther) {
    ReenteringTitleGet player;
    RecordingLyricsWindow window;
    window.exists = true;
    test::TestMainForm form(player, window, [](const std::string&) {});
    form.UseLyricsList(std::make_unique<CountingLyrics>());
    test::ChangeSettings(form, [](MainFormSettings& s) { s.topCut = 0; });
    player.form = &form;
    player.caption = "Rain - Band";
    form.tmrTitleCheckTimer();
    EXPECT_EQ(player.reads, 1);
    EXPECT_EQ(window.events, std::vector<std::string>{"show text of Rain"});
    // The next tick runs as usual.
    player.caption = "Snow - Band";
    form.tmrTitleCheckTimer();
    EXPECT_EQ(player.reads, 2);
    EXPECT_EQ(form.SongTitle(), "Snow");
}

TEST_F(TitleCheck, PlayerGoneAndBack) {
    // With the real lyrics list: the player-not-found message, then the lyrics again.
    const test::TestFolder folder;
    const std::string lyricsFile = folder / "Rain.txt";
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(lyricsFile, "la la\r\n"));
    auto list = std::make_unique<TLyricsList>();
    list->Add("Rain", lyricsFile, 0, 0);
    form_.UseLyricsList(std::move(list));
    window_.exists = true;

    EXPECT_EQ(Check("Rain - Band"), Events{"show la la"});
    EXPECT_EQ(Check(""), Events{"show " + Ansi("■Player Not Found")});
    EXPECT_EQ(form_.SongTitle(), "PlayerNotFound");
    EXPECT_EQ(Check(""), Events{});
    EXPECT_EQ(Check("Rain - Band"), Events{"show la la"});
}

TEST_F(TitleCheck, TitleChangesWhileTheWindowIsClosed) {
    EXPECT_EQ(Check("Rain - Band"), Events{});
    EXPECT_EQ(Check("Sun - Band"), Events{});
    EXPECT_EQ(form_.SongTitle(), "Sun");
    EXPECT_TRUE(lyrics_->asked.empty()) << "no lyrics read for a closed window";
    // Opening shows the title of the latest check, before the window is shown.
    form_.ToggleLyricsWindow();
    EXPECT_EQ(TakeEvents(), (Events{"create", "show text of Sun", "open"}));
    // Closing again empties the reference; a second close does nothing.
    form_.ToggleLyricsWindow();
    EXPECT_EQ(TakeEvents(), Events{"close"});
    EXPECT_FALSE(window_.exists);
    form_.CloseLyricsWindow();
    EXPECT_EQ(TakeEvents(), Events{});
    form_.ToggleLyricsWindow();
    form_.CloseLyricsWindow();
    EXPECT_EQ(TakeEvents(), (Events{"create", "show text of Sun", "open", "close"}));
}

TEST_F(TitleCheck, EmptyFirstTitleShowsNothingUntilTheWindowOpens) {
    // Cuts that remove the whole caption give the empty title, which is the initial one.
    test::ChangeSettings(form_, [](MainFormSettings& s) { s.topCut = 8; });
    EXPECT_EQ(Check("Rain"), Events{});
    EXPECT_EQ(form_.SongTitle(), "");
    form_.ToggleLyricsWindow();
    EXPECT_EQ(TakeEvents(), (Events{"create", "show text of ", "open"}));
    EXPECT_EQ(lyrics_->asked, std::vector<std::string>{""});
}

TEST_F(TitleCheck, UsesTheFormsSettings) {
    window_.exists = true;
    test::ChangeSettings(form_, [](MainFormSettings& s) {
        s.getClassName = "Winamp";
        s.getTitle = Ansi("再生中");
        s.delimiters = "<>";
        s.titlePos = 2;
        s.topCut = 4;
        s.bottomCut = 2;
    });
    EXPECT_EQ(Check(Ansi("123 Band<夏の雨>xx")), Events{"show text of " + Ansi("夏の雨")});
    EXPECT_EQ(player_.className, "Winamp");
    EXPECT_EQ(player_.filter, Ansi("再生中"));
    // A refresh asked for explicitly reads the display text again.
    form_.RefreshLyrics();
    EXPECT_EQ(TakeEvents(), Events{"show text of " + Ansi("夏の雨")});
}

TEST_F(TitleCheck, SearchLyricsMasterRunsTheTemplateWithTheTitle) {
    test::ChangeSettings(form_, [](MainFormSettings& s) {
        s.lyricsMasterPath = R"(C:\LM\LyricsMaster.exe /search "[title]")";
    });
    form_.SearchLyricsMaster("Rain");
    // Quotes in a title cannot end the template's quoted argument.
    form_.SearchLyricsMaster(R"(Rain" /delete "C:\)");
    EXPECT_EQ(commands_,
              (std::vector<std::string>{R"(C:\LM\LyricsMaster.exe /search "Rain")",
                                        R"(C:\LM\LyricsMaster.exe /search "Rain)" + Ansi("”") +
                                            " /delete " + Ansi("”") + R"(C:\\")"}));
}

TEST(LyricsMasterCommand, ReplacesTheFirstMarkOnly) {
    const std::string longBar = Ansi("ー");  // its second byte is "["
    struct Row {
        std::string commandTemplate;
        std::string title;
        std::string command;
    };
    const Row rows[] = {
        {"lm.exe [title]", "Rain", "lm.exe Rain"},
        {"lm.exe \"[title]\" [title]", "Rain", "lm.exe \"Rain\" [title]"},
        {"lm.exe [Title]", "Rain", "lm.exe [Title]"},
        {"lm.exe", "Rain", "lm.exe"},
        {"", "Rain", ""},
        {"lm.exe \"[title]\"", "", "lm.exe \"\""},
        {"lm.exe \"[title]\"", "\"", "lm.exe \"" + Ansi("”") + "\""},
        {"lm.exe \"[title]\"", "[title]", "lm.exe \"[title]\""},
        // Japanese titles stay as they are, even where a second byte is a backslash.
        {"lm.exe \"[title]\"", Ansi("表示・夏の雨"), "lm.exe \"" + Ansi("表示・夏の雨") + "\""},
        // "[title]" that starts at the second byte of a character is no mark.
        {"lm.exe " + longBar + "title]", "Rain", "lm.exe " + longBar + "title]"},
        {"lm.exe " + longBar + "[title]", "Rain", "lm.exe " + longBar + "Rain"},
        // Backslashes that end the title before a quote are doubled, and only then.
        {"lm.exe \"[title]\" x", "a\\", "lm.exe \"a\\\\\" x"},
        {"lm.exe \"[title]\"", "a\\\\", "lm.exe \"a\\\\\\\\\""},
        {"lm.exe [title] x", "a\\", "lm.exe a\\ x"},
        {"lm.exe \"[title]\"", "a\\b", "lm.exe \"a\\b\""},
        {"lm.exe \"[title]\"", Ansi("表"), "lm.exe \"" + Ansi("表") + "\""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LyricsMasterCommand(row.commandTemplate, row.title), row.command)
            << test::Utf8(row.commandTemplate) << " / " << test::Utf8(row.title);
    }
}

}  // namespace
}  // namespace vesk
