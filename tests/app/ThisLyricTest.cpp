// "Assign lyrics to this title" with the assignment dialog played by a script (the dialog
// itself and the whole command in Vesk.exe are tested under Wine).

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "MemoryFileSystem.h"
#include "app/FakeMainParts.h"
#include "app/untMain.h"

namespace vesk {
namespace {

class ScriptedFileSelect final : public FileSelectDialog {
public:
    bool showing = false;
    std::optional<LyricsEntryFields> answer;
    std::vector<LyricsEntryFields> opened;

    bool Showing() const override { return showing; }
    std::optional<LyricsEntryFields> Edit(const LyricsEntryFields& entry) override {
        opened.push_back(entry);
        return answer;
    }
    void Close() override {}
};

struct Program {
    explicit Program(const std::string& songTitle) {
        files.files["Vesk.csv"] = "\"Rain\",\"rain.txt\",2,3\r\n\"Star\",\"star.txt\",0,0\r\n";
        form.LoadLyricsList("Vesk.csv");
        form.AttachFileSelect(dialog);
        test::ChangeSettings(form, [](MainFormSettings& s) { s.topCut = 0; });
        // The player plays songTitle (no caption: no player).
        player.caption = songTitle == "PlayerNotFound" ? "" : songTitle + " - Band";
        form.tmrTitleCheckTimer();
    }

    test::MemoryFileSystem files;
    ScopedFileSystem scope{files};
    test::ScriptedTitleGet player;
    test::RecordingLyricsWindow window;
    std::vector<std::string> commands;
    TfrmMain form{player, window, [this](const std::string& c) { commands.push_back(c); }};
    ScriptedFileSelect dialog;
};

TEST(ThisLyric, OpensOnTheSongsEntryStoresUnderTheTitleItEndsWithOrStartsThePlayer) {
    Program rain("Rain");
    rain.dialog.answer = LyricsEntryFields{"Star", "new.txt", 1, 2};
    rain.form.mitThisLyricClick();
    EXPECT_EQ(rain.dialog.opened, (std::vector<LyricsEntryFields>{{"Rain", "rain.txt", 2, 3}}));
    EXPECT_EQ(rain.files.files["Vesk.csv"],
              "\"Rain\",\"rain.txt\",2,3\r\n\"Star\",\"new.txt\",1,2\r\n");
    rain.dialog.showing = true;  // a second click while it is open
    rain.form.mitThisLyricClick();
    EXPECT_EQ(rain.dialog.opened.size(), 1u);

    Program moon("Moon");  // no entry yet; then Cancel
    moon.form.mitThisLyricClick();
    EXPECT_EQ(moon.dialog.opened, (std::vector<LyricsEntryFields>{{"Moon", "", 0, 0}}));
    EXPECT_EQ(moon.files.writes, 0);

    Program noPlayer("PlayerNotFound");
    test::ChangeSettings(noPlayer.form, [](MainFormSettings& s) { s.player = "player.exe /play"; });
    noPlayer.form.mitThisLyricClick();
    EXPECT_EQ(noPlayer.commands, std::vector<std::string>{"player.exe /play"});
    EXPECT_TRUE(noPlayer.dialog.opened.empty());
}

}  // namespace
}  // namespace vesk
