// "Assign lyrics to this title" from the tray, with the assignment dialog played by a
// script: what the dialog opens with, what is stored, saved and shown after it.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "MemoryFileSystem.h"
#include "app/FakeMainParts.h"
#include "app/untMain.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

using test::RecordingLyricsWindow;
using test::ScriptedTitleGet;
using Entry = LyricsEntryFields;
using User = std::function<std::optional<Entry>(const Entry&)>;

class ScriptedFileSelect final : public FileSelectDialog {
public:
    bool showing = false;
    User user;
    std::vector<Entry> opened;

    bool Showing() const override { return showing; }
    std::optional<Entry> Edit(const Entry& entry) override {
        opened.push_back(entry);
        return user(entry);
    }
    void Close() override {}
};

constexpr char kList[] = "\"Rain\",\"rain.txt\",2,3\r\n\"Star\",\"star.txt\",0,0\r\n";

// A program with the list above, its lyrics files and the lyrics window open.
struct Program {
    explicit Program(const std::string& songTitle) {
        files.files["Vesk.csv"] = kList;
        files.files["rain.txt"] = "r1\r\nr2\r\nr3\r\n";
        files.files["star.txt"] = "s1\r\n";
        files.files["new.txt"] = "n1\r\nn2\r\n";
        form.LoadLyricsList("Vesk.csv");
        form.AttachFileSelect(dialog);
        form.SongTitle = songTitle;
        window.exists = true;
    }

    test::MemoryFileSystem files;
    ScopedFileSystem scope{files};
    ScriptedTitleGet player;
    RecordingLyricsWindow window;
    std::vector<std::string> commands;
    TfrmMain form{player, window, [this](const std::string& c) { commands.push_back(c); }};
    ScriptedFileSelect dialog;
};

TEST(ThisLyric, OpensOnTheEntryOfTheSongAndStoresUnderTheTitleItClosesWith) {
    struct Row {
        const char* name;
        std::string songTitle;
        User user;
        Entry opened;
        std::string list;  // Vesk.csv afterwards
        std::vector<std::string> shown;
    };
    const auto ok = [](Entry change) {
        return [change](const Entry&) -> std::optional<Entry> { return change; };
    };
    Program* program = nullptr;
    const Row rows[] = {
        {"an entry changed",
         "Rain",
         ok({"Rain", "new.txt", 1, 2}),
         {"Rain", "rain.txt", 2, 3},
         "\"Rain\",\"new.txt\",1,2\r\n\"Star\",\"star.txt\",0,0\r\n",
         {"show n1\r\nn2"}},
        {"a title without entry",
         "Moon",
         ok({"Moon", "new.txt", 0, 0}),
         {"Moon", "", 0, 0},
         std::string(kList) + "\"Moon\",\"new.txt\",0,0\r\n",
         {"show n1\r\nn2"}},
        // The other title's entry is updated; the song's own stays as it was.
        {"the title edited",
         "Rain",
         ok({"Star", "new.txt", 2, 2}),
         {"Rain", "rain.txt", 2, 3},
         "\"Rain\",\"rain.txt\",2,3\r\n\"Star\",\"new.txt\",2,2\r\n",
         {"show r2\r\nr3"}},
        {"cancelled",
         "Rain",
         [](const Entry&) { return std::optional<Entry>(); },
         {"Rain", "rain.txt", 2, 3},
         kList,
         {}},
        // The song changes while the dialog is open: the dialog's title is stored, the
        // window shows the song playing now.
        {"the song changed meanwhile",
         "Rain",
         [&program](const Entry& entry) -> std::optional<Entry> {
             program->form.SongTitle = "Star";
             return Entry{entry.title, entry.fileName, 1, 1};
         },
         {"Rain", "rain.txt", 2, 3},
         "\"Rain\",\"rain.txt\",1,1\r\n\"Star\",\"star.txt\",0,0\r\n",
         {"show s1"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Program p(row.songTitle);
        program = &p;
        p.dialog.user = row.user;
        p.form.mitThisLyricClick();
        EXPECT_EQ(p.dialog.opened, std::vector<Entry>{row.opened});
        EXPECT_EQ(p.files.files["Vesk.csv"], row.list);
        EXPECT_EQ(p.files.writes, row.shown.empty() ? 0 : 1);
        EXPECT_EQ(p.window.events, row.shown);
        EXPECT_TRUE(p.commands.empty());
    }
}

TEST(ThisLyric, StartsThePlayerWhenNoneRunsAndNeverOpensTheDialogTwice) {
    Program noPlayer("PlayerNotFound");
    noPlayer.form.Settings.player = "player.exe /play";
    noPlayer.form.mitThisLyricClick();
    EXPECT_EQ(noPlayer.commands, std::vector<std::string>{"player.exe /play"});
    EXPECT_TRUE(noPlayer.dialog.opened.empty());

    Program open("Rain");
    open.dialog.showing = true;
    open.form.mitThisLyricClick();
    EXPECT_TRUE(open.dialog.opened.empty());
    EXPECT_TRUE(open.commands.empty());
    EXPECT_EQ(open.files.writes, 0);
}

}  // namespace
}  // namespace vesk
