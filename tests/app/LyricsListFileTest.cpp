// The program's own lyrics list file: a file that is there but cannot be read at start-up
// (another program holds it) is never replaced by what the program has in memory.

#include <gtest/gtest.h>

#include <set>

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

private:
    static const FileSystem& System() { return SystemFileSystem(); }
};

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
};

TEST_F(LyricsListFile, AReadableListLoadsAndSaves) {
    form_.LoadLyricsList(listPath_);
    EXPECT_FALSE(form_.LyricsListUnread());
    EXPECT_EQ(form_.LyricsList->Count(), 2);
    form_.LyricsList->Add("Moon", "C:\\L\\moon.txt", 0, 0);
    form_.SaveLyricsList();
    EXPECT_EQ(FileContent(), std::string(kUserList) + "\"Moon\",\"C:\\L\\moon.txt\",0,0\r\n");
}

TEST_F(LyricsListFile, AMissingOrEmptyListIsNotUnread) {
    form_.LoadLyricsList(folder_ / "none.csv");
    EXPECT_FALSE(form_.LyricsListUnread());
    ASSERT_TRUE(SystemFileSystem().ReplaceFile(listPath_, ""));
    form_.LoadLyricsList(listPath_);
    EXPECT_FALSE(form_.LyricsListUnread());
    form_.SaveLyricsList();
    EXPECT_EQ(FileContent(), "");
}

TEST_F(LyricsListFile, AnUnreadListIsNeverReplaced) {
    files_.held.insert(listPath_);
    form_.LoadLyricsList(listPath_);
    EXPECT_TRUE(form_.LyricsListUnread());
    EXPECT_EQ(form_.LyricsList->Count(), 0);

    form_.LyricsList->Add("Moon", "C:\\L\\moon.txt", 0, 0);
    form_.SaveLyricsList();  // still held: nothing written
    EXPECT_EQ(FileContent(), kUserList);
    EXPECT_TRUE(form_.LyricsListUnread());
}

TEST_F(LyricsListFile, OnceReadableTheEntriesMadeMeanwhileAreAssignedOverIt) {
    files_.held.insert(listPath_);
    form_.LoadLyricsList(listPath_);
    form_.LyricsList->SetCaseSensitive(false);
    form_.LyricsList->Add("sun", "C:\\L\\new-sun.txt", 0, 0);  // the same title, other case
    form_.LyricsList->Add("Moon", "C:\\L\\moon.txt", 0, 0);

    files_.held.clear();
    form_.SaveLyricsList();
    EXPECT_FALSE(form_.LyricsListUnread());
    EXPECT_EQ(FileContent(),
              "\"Rain\",\"C:\\L\\rain.txt\",0,0\r\n\"sun\",\"C:\\L\\new-sun.txt\",0,0\r\n"
              "\"Moon\",\"C:\\L\\moon.txt\",0,0\r\n");
    EXPECT_EQ(form_.LyricsList->Count(), 3);
    EXPECT_FALSE(form_.LyricsList->CaseSensitive());
}

}  // namespace
}  // namespace vesk
