// The program's own lyrics list file: a file that is there but cannot be read at start-up
// (another program holds it) is never replaced by what the program has in memory.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "app/FakeMainParts.h"
#include "app/untMain.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

// The system's file system, except that reads of the paths in held fail, as when another
// program has the file open without sharing.
class HoldingFileSystem : public FileSystem {
public:
    std::set<std::string> held;

    Kind KindOf(const std::string& path) const override { return System().KindOf(path); }
    std::optional<std::uint64_t> FileSize(const std::string& path) const override {
        return System().FileSize(path);
    }
    std::optional<std::string> ReadFile(const std::string& path) const override {
        return held.count(path) != 0 ? std::nullopt : System().ReadFile(path);
    }
    bool ReplaceFile(const std::string& path, std::string_view bytes) const override {
        return held.count(path) == 0 && System().ReplaceFile(path, bytes);
    }
    bool CreateNewFile(const std::string& path, std::string_view bytes) const override {
        return held.count(path) == 0 && System().CreateNewFile(path, bytes);
    }
    bool CreateFolder(const std::string& path) const override {
        return System().CreateFolder(path);
    }

private:
    static const FileSystem& System() { return SystemFileSystem(); }
};

// A main form that notes what it would tell the user.
class TellingForm : public TfrmMain {
public:
    using TfrmMain::TfrmMain;
    std::vector<std::string> told;

protected:
    void ShowListNotSaved(const std::string& path) override { told.push_back(path); }
};

const LyricsEntryFields kMoon{"Moon", "C:\\L\\moon.txt", 0, 0};

class LyricsListFile : public testing::Test {
protected:
    LyricsListFile() { EXPECT_TRUE(SystemFileSystem().ReplaceFile(listPath_, kUserList)); }

    std::string FileContent() const { return SystemFileSystem().ReadFile(listPath_).value_or(""); }

    static constexpr const char* kUserList =
        "\"Rain\",\"C:\\L\\rain.txt\",0,0\r\n\"Sun\",\"C:\\L\\sun.txt\",2,5\r\n";
    test::TestFolder folder_;
    const std::string listPath_ = folder_ / "Vesk.csv";
    HoldingFileSystem files_;
    ScopedFileSystem scoped_{files_};
    test::ScriptedTitleGet player_;
    test::RecordingLyricsWindow window_;
    TfrmMain form_{player_, window_, [](const std::string&) {}};
    TellingForm telling_{player_, window_, [](const std::string&) {}};
};

TEST_F(LyricsListFile, AReadableListLoadsAndSaves) {
    form_.LoadLyricsList(listPath_);
    EXPECT_FALSE(form_.LyricsListUnread());
    EXPECT_EQ(form_.LyricsList()->Count(), 2);
    form_.AssignLyrics(kMoon);
    EXPECT_EQ(FileContent(), std::string(kUserList) + "\"Moon\",\"C:\\L\\moon.txt\",0,0\r\n");
}

TEST_F(LyricsListFile, AMissingOrEmptyListIsNotUnread) {
    form_.LoadLyricsList(folder_ / "none.csv");
    EXPECT_FALSE(form_.LyricsListUnread());
    ASSERT_TRUE(SystemFileSystem().ReplaceFile(listPath_, ""));
    form_.LoadLyricsList(listPath_);
    EXPECT_FALSE(form_.LyricsListUnread());
    form_.SaveLyricsListAtExit();
    EXPECT_EQ(FileContent(), "");
}

TEST_F(LyricsListFile, AnUnreadListIsNeverReplaced) {
    files_.held.insert(listPath_);
    form_.LoadLyricsList(listPath_);
    EXPECT_TRUE(form_.LyricsListUnread());
    EXPECT_EQ(form_.LyricsList()->Count(), 0);

    form_.AssignLyrics(kMoon);  // still held: nothing written
    EXPECT_EQ(FileContent(), kUserList);
    EXPECT_TRUE(form_.LyricsListUnread());
}

TEST_F(LyricsListFile, AListThatGivesNoEntriesIsKeptUnlessItIsBlank) {
    struct Row {
        const char* what;
        std::string content;
        bool kept;
    };
    const Row rows[] = {
        {"UTF-16 without a byte-order mark", std::string("\"\0R\0a\0i\0n\0\"\0,\0\"\0\r\0\n\0", 20),
         true},
        {"damaged", "\x81", true},
        {"blank lines", " \r\n\r\n\t\n", false},
        {"blank lines in UTF-16", std::string("\xFF\xFE \0\r\0\n\0", 8), false},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(SystemFileSystem().ReplaceFile(listPath_, row.content));
        form_.LoadLyricsList(listPath_);
        EXPECT_EQ(form_.LyricsListUnread(), row.kept) << row.what;
        form_.AssignLyrics(kMoon);
        EXPECT_EQ(FileContent(), row.kept ? row.content : "\"Moon\",\"C:\\L\\moon.txt\",0,0\r\n")
            << row.what;
    }
}

TEST_F(LyricsListFile, AListWithCharactersTheCodePageLacksIsKeptAsRead) {
    const std::string content = "\"歌 🎵\",\"C:\\L\\note.txt\",0,0\r\n";
    ASSERT_TRUE(SystemFileSystem().ReplaceFile(listPath_, content));
    telling_.LoadLyricsList(listPath_);
    EXPECT_TRUE(telling_.LyricsListKeptAsRead());
    EXPECT_EQ(telling_.LyricsList()->Count(), 1);
    // Nothing changed: the exit writes nothing and tells nothing.
    telling_.SaveLyricsListAtExit();
    EXPECT_EQ(FileContent(), content);
    EXPECT_TRUE(telling_.told.empty());
    // A change cannot be saved: told each time, the file as it was.
    telling_.LoadLyricsList(listPath_);
    EXPECT_FALSE(telling_.AssignLyrics(kMoon));
    EXPECT_FALSE(telling_.AssignLyrics(kMoon));
    telling_.SaveLyricsListAtExit();
    EXPECT_EQ(telling_.told, (std::vector<std::string>{listPath_, listPath_}));
    EXPECT_EQ(FileContent(), content);
}

// A save the user asked for is told each time it fails; the exit's only when nothing was
// told in the run.
TEST_F(LyricsListFile, ASaveThatFailsIsToldEachTimeTheUserAskedForIt) {
    telling_.LoadLyricsList(listPath_);
    files_.held.insert(listPath_);  // now it cannot be written either
    EXPECT_FALSE(telling_.AssignLyrics(kMoon));
    EXPECT_FALSE(telling_.AssignLyrics(kMoon));
    telling_.SaveLyricsListAtExit();
    EXPECT_EQ(telling_.told, (std::vector<std::string>{listPath_, listPath_}));
    EXPECT_EQ(FileContent(), kUserList);

    TellingForm quiet{player_, window_, [](const std::string&) {}};
    files_.held.clear();
    quiet.LoadLyricsList(listPath_);
    files_.held.insert(listPath_);
    quiet.SaveLyricsListAtExit();
    EXPECT_EQ(quiet.told, std::vector<std::string>{listPath_});
}

TEST_F(LyricsListFile, EntriesLostWithAListHeldToTheEndAreTold) {
    files_.held.insert(listPath_);
    telling_.LoadLyricsList(listPath_);
    telling_.SaveLyricsListAtExit();  // nothing was made meanwhile: nothing lost
    EXPECT_TRUE(telling_.told.empty());

    telling_.LoadLyricsList(listPath_);
    EXPECT_FALSE(telling_.AssignLyrics(kMoon));  // still held: waits, silently
    EXPECT_TRUE(telling_.told.empty());
    telling_.SaveLyricsListAtExit();
    EXPECT_EQ(telling_.told, std::vector<std::string>{listPath_});
    EXPECT_EQ(FileContent(), kUserList);
}

TEST_F(LyricsListFile, OnceReadableTheEntriesMadeMeanwhileAreAssignedOverIt) {
    files_.held.insert(listPath_);
    form_.LoadLyricsList(listPath_);
    test::ChangeSettings(form_, [](MainFormSettings& s) { s.sensetive = false; });
    form_.AssignLyrics({"sun", "C:\\L\\new-sun.txt", 0, 0});  // the same title, other case
    form_.AssignLyrics(kMoon);

    files_.held.clear();
    form_.AssignLyrics(kMoon);  // the next change saves
    EXPECT_FALSE(form_.LyricsListUnread());
    EXPECT_EQ(FileContent(),
              "\"Rain\",\"C:\\L\\rain.txt\",0,0\r\n\"sun\",\"C:\\L\\new-sun.txt\",0,0\r\n"
              "\"Moon\",\"C:\\L\\moon.txt\",0,0\r\n");
    EXPECT_EQ(form_.LyricsList()->Count(), 3);
    EXPECT_FALSE(form_.LyricsList()->CaseSensitive());
}

}  // namespace
}  // namespace vesk
