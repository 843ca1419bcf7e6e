// The lyrics list editor's rules without its window: sorting and its direction flags,
// duplicate titles against the rule that compares every pair, the selection after a
// delete, dropped files and folders (a fake folder tree), and rows whose file is missing.

#include "editing/LyricsRows.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "MemoryFileSystem.h"
#include "RandomTitles.h"
#include "TestText.h"
#include "common/TextPlatform.h"
#include "editing/LyricsListRules.h"

namespace vesk {
namespace {

using test::Ansi;

void Fill(LyricsRows& rows, const std::vector<ListViewRow>& cells) {
    for (const ListViewRow& row : cells) {
        rows.AppendRow(row);
    }
}

std::vector<std::string> Column(const LyricsRows& rows, int column) {
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < rows.RowCount(); ++i) {
        const ListViewRow& row = rows[i];
        const std::string* cell[] = {&row.title, &row.fileName, &row.startLine, &row.endLine};
        cells.push_back(*cell[column]);
    }
    return cells;
}

TEST(SortFlags, TheClickedColumnTurnsOverAndTheOthersAreCleared) {
    struct Click {
        int column;
        bool descending;
        SortFlags after;
    };
    const Click clicks[] = {
        {kTitleColumn, false, {true, false, false, false}},
        {kTitleColumn, true, {false, false, false, false}},
        {kTitleColumn, false, {true, false, false, false}},
        {kStartLineColumn, false, {false, false, true, false}},
        {kTitleColumn, false, {true, false, false, false}},
        {kEndLineColumn, false, {false, false, false, true}},
        {kEndLineColumn, true, {false, false, false, false}},
    };
    SortFlags flags{};
    for (const Click& click : clicks) {
        EXPECT_EQ(NextSortDescending(flags, click.column), click.descending);
        EXPECT_EQ(flags, click.after);
    }
}

TEST(LyricsRows, SortsTextsWithoutCaseAndLinesAsNumbersKeepingTheOrderOfEqualRows) {
    struct Case {
        int column;
        bool descending;
        std::vector<std::size_t> order;  // old positions, new order
    };
    // Titles b, A, a, C; files in another order; start lines 10, 9, 100, 9.
    const std::vector<ListViewRow> cells = {
        {"b", "C:\\y.txt", "10", "0"},
        {"A", "C:\\X.txt", "9", "0"},
        {"a", "C:\\x.txt", "100", "-1"},
        {"C", "C:\\z.txt", "9", "0"},
    };
    const Case cases[] = {
        {kTitleColumn, false, {1, 2, 0, 3}},
        {kTitleColumn, true, {3, 0, 1, 2}},  // A and a keep their order both ways
        {kFileColumn, false, {1, 2, 0, 3}},
        {kStartLineColumn, false, {1, 3, 0, 2}},  // 9, 9, 10, 100
        {kStartLineColumn, true, {2, 0, 1, 3}},
        {kEndLineColumn, false, {2, 0, 1, 3}},
    };
    for (const Case& c : cases) {
        LyricsRows rows;
        Fill(rows, cells);
        EXPECT_EQ(rows.Sort(c.column, c.descending), c.order) << c.column << " " << c.descending;
        std::vector<std::string> expected;
        for (std::size_t old : c.order) {
            expected.push_back(cells[old].title);
        }
        EXPECT_EQ(Column(rows, kTitleColumn), expected) << c.column << " " << c.descending;
    }
}

TEST(LyricsRows, RepeatedTitlesLeaveTheFirstOfEachCaseSensitively) {
    LyricsRows rows;
    Fill(rows, {{"rain", "1", "0", "0"}, {"RAIN", "2", "0", "0"}, {"rain", "3", "0", "0"}});
    EXPECT_EQ(rows.RemoveRepeatedTitles(), std::vector<std::size_t>{2});
    EXPECT_EQ(Column(rows, kFileColumn), (std::vector<std::string>{"1", "2"}));
}

TEST(LyricsRows, RepeatedTitlesAreThoseOfTheRuleThatComparesEveryPair) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const std::vector<std::string> titles = test::RandomTitles(1500, seed);
        LyricsRows rows;
        for (std::size_t i = 0; i < titles.size(); ++i) {
            rows.AppendRow({titles[i], std::to_string(i), "0", "0"});
        }
        rows.RemoveRepeatedTitles();
        const std::vector<std::string> expected = test::WithoutRepeatedTitlesPairwise(
            titles, [](const std::string& a, const std::string& b) {
                return CurrentTextPlatform().Equal(a, b, false);
            });
        EXPECT_EQ(Column(rows, kTitleColumn), expected) << "seed " << seed;
        EXPECT_LT(expected.size(), titles.size() * 3 / 4);
    }
}

TEST(LyricsRows, RemovesTheGivenRowsAndTheSelectionMovesToTheSamePlace) {
    LyricsRows rows;
    Fill(rows, {{"1", "", "0", "0"},
                {"2", "", "0", "0"},
                {"3", "", "0", "0"},
                {"4", "", "0", "0"},
                {"5", "", "0", "0"}});
    rows.Remove({3, 4});
    EXPECT_EQ(Column(rows, kTitleColumn), (std::vector<std::string>{"1", "2", "3"}));

    struct Row {
        std::size_t current;
        std::size_t remaining;
        std::optional<std::size_t> selected;
    };
    const Row table[] = {
        {3, 3, 2},  // the last two of five: the new last row
        {1, 3, 1},  // the row that moved up into the place
        {0, 0, std::nullopt},
        {0, 4, 0},
    };
    for (const Row& row : table) {
        EXPECT_EQ(SelectionAfterDelete(row.current, row.remaining), row.selected)
            << row.current << " of " << row.remaining;
    }
}

TEST(LyricsRows, EntriesGoInAndOutAsDecimalCells) {
    LyricsRows rows;
    rows.AppendEntry({Ansi("夏の雨"), "C:\\rain.txt", -3, 2147483647});
    EXPECT_EQ(rows[0], (ListViewRow{Ansi("夏の雨"), "C:\\rain.txt", "-3", "2147483647"}));
    rows.SetEntry(0, {"Rain", "", 2, 4});
    EXPECT_EQ(rows.EntryAt(0), (LyricsEntryFields{"Rain", "", 2, 4}));
}

TEST(LyricsFileNames, TitlesAndExtensionsOfDroppedFiles) {
    struct Row {
        std::string path;
        bool lyrics;
        std::string title;
    };
    const Row rows[] = {
        {"C:\\lyrics\\Rain.txt", true, "Rain"},
        {"C:\\lyrics\\Rain.TXT", true, "Rain"},
        {"C:\\lyrics\\a.b.Txt", true, "a.b"},
        {"C:\\lyrics\\.txt", true, ""},
        {"C:\\lyrics.txt\\Rain", false, "Rain"},
        {"C:\\lyrics\\Rain.txt.bak", false, "Rain.txt"},
        {"C:\\lyrics\\Rain.text", false, "Rain"},
        {"C:\\lyrics\\Rain.LRC", true, "Rain"},
        {"C:\\lyrics\\Rain.lrc.bak", false, "Rain.lrc"},
        {Ansi("C:\\歌詞\\ソ.txt"), true, Ansi("ソ")},  // "ソ" ends in the byte of "\"
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsLyricsFileName(row.path), row.lyrics) << row.path;
        EXPECT_EQ(TitleOfLyricsFile(row.path), row.title) << row.path;
    }
}

TEST(LyricsRows, ADroppedFileTakesTheFirstRowOfItsTitleInAnyCaseOrAddsOne) {
    LyricsRows rows;
    Fill(rows, {{"Intro", "C:\\old\\intro.txt", "1", "2"},
                {"Rain", "C:\\old\\rain.txt", "2", "5"},
                {"rain", "C:\\old\\rain2.txt", "1", "1"}});
    rows.AddFile("D:\\new\\RAIN.txt");
    rows.AddFile("D:\\new\\.txt");
    rows.AddFile("D:\\new\\Snow.txt");
    rows.AddFile("D:\\new\\SNOW.TXT");  // the row the drop just made
    const std::vector<ListViewRow> expected = {
        {"Intro", "C:\\old\\intro.txt", "1", "2"}, {"Rain", "D:\\new\\RAIN.txt", "0", "0"},
        {"rain", "C:\\old\\rain2.txt", "1", "1"},  {"", "D:\\new\\.txt", "0", "0"},
        {"Snow", "D:\\new\\SNOW.TXT", "0", "0"},
    };
    ASSERT_EQ(rows.RowCount(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rows[i], expected[i]) << i;
    }
    // An edit in between: the next drop sees the edited title.
    rows.SetEntry(4, {"Hail", "h.txt", 0, 0});
    rows.AddFile("D:\\new\\snow.txt");
    EXPECT_EQ(rows.RowCount(), 6u);
}

// A folder tree in memory: entries by folder; a folder's identity from the folder a link
// leads to (itself when none is named), by file index or, on a volume without file
// indexes, by full path.
class FakeTree final : public FolderLister {
public:
    static constexpr std::uint32_t kVolume = 7;
    std::map<std::string, std::vector<FolderEntry>> entries;
    std::map<std::string, std::string> targets;  // "" : cannot be told
    bool fileIndexes = true;

    std::vector<FolderEntry> Entries(const std::string& folder) const override {
        const auto found = entries.find(folder);
        return found != entries.end() ? found->second : std::vector<FolderEntry>{};
    }
    FolderIdentity Identity(const std::string& folder) const override {
        const auto found = targets.find(folder);
        const std::string target = found != targets.end() ? found->second : folder;
        if (target.empty()) {
            return {};
        }
        if (!fileIndexes) {
            return {kVolume, 0, target};
        }
        return {kVolume, std::hash<std::string>{}(target) | 1, ""};
    }
};

TEST(FindFiles, DepthFirstInListedOrderAndNeverTwiceThroughALink) {
    // Volumes without file indexes give 0 for every folder: the full path tells them apart.
    for (const bool fileIndexes : {true, false}) {
        SCOPED_TRACE(fileIndexes ? "file indexes" : "no file indexes");
        FakeTree tree;
        tree.fileIndexes = fileIndexes;
        tree.entries["R:\\music\\"] = {{"b.txt"},
                                       {"sub", true},
                                       {"a.TXT"},
                                       {"notes.dat"},
                                       {"txt"},
                                       {"back", true, true},      // a junction to R:\music
                                       {"away", true, true},      // a link elsewhere
                                       {"unknown", true, true}};  // a link that cannot be told
        tree.entries["R:\\music\\sub\\"] = {{"c.Txt"}, {"deep", true}, {"d.txt.old"}, {"e.Lrc"}};
        tree.entries["R:\\music\\sub\\deep\\"] = {{".txt"}};
        tree.entries["R:\\music\\back\\"] = tree.entries["R:\\music\\"];
        tree.entries["R:\\music\\away\\"] = {{"e.txt"}};
        tree.entries["R:\\music\\unknown\\"] = {{"f.txt"}};
        tree.targets["R:\\music\\back\\"] = "R:\\music\\";
        tree.targets["R:\\music\\unknown\\"] = "";

        std::vector<std::string> found;
        FindFiles(tree, "R:\\music", ".TXT", found);
        EXPECT_EQ(found, (std::vector<std::string>{"R:\\music\\b.txt", "R:\\music\\sub\\c.Txt",
                                                   "R:\\music\\sub\\deep\\.txt", "R:\\music\\a.TXT",
                                                   "R:\\music\\away\\e.txt"}));

        LyricsRows rows;
        rows.AddFolder(tree, "R:\\music\\sub\\");
        EXPECT_EQ(Column(rows, kTitleColumn), (std::vector<std::string>{"c", "", "e"}));
        EXPECT_EQ(Column(rows, kStartLineColumn), (std::vector<std::string>{"0", "0", "0"}));
    }
}

TEST(LyricsRows, RowsWhoseFileIsNoFileAreRemoved) {
    test::MemoryFileSystem files;
    files.files["C:\\a.txt"] = "a";
    files.folders.insert("C:\\folder");
    files.devices.insert("CON");
    const ScopedFileSystem scope(files);
    LyricsRows rows;
    for (const auto& [title, file] : {std::pair{"1", "C:\\a.txt"},
                                      {"2", "C:\\folder"},
                                      {"3", ""},
                                      {"4", "C:\\gone.txt"},
                                      {"5", "CON"},
                                      {"6", "C:\\a.txt"}}) {
        rows.AppendRow({title, file, "0", "0"});
    }
    EXPECT_EQ(rows.RemoveMissingFiles(), (std::vector<std::size_t>{1, 2, 3, 4}));
    EXPECT_EQ(Column(rows, kTitleColumn), (std::vector<std::string>{"1", "6"}));
}

}  // namespace
}  // namespace vesk
