#include <gtest/gtest.h>

#include "LyricsTestSupport.h"
#include "TestFolder.h"
#include "TestText.h"
#include "common/FileSystem.h"
#include "lyrics/untTLyricsList.h"

namespace vesk {
namespace {

using test::Ansi;
using test::EntriesOf;
using test::Entry;

std::string NotFound(const std::string& title) {
    return Ansi("■Title Not Found：") + title;
}

TEST(LyricsList, EntriesKeepTheirOrderAndLookUpFindsTheFirst) {
    TLyricsList list;
    EXPECT_EQ(list.IndexOf(""), -1);
    EXPECT_EQ(list.FileNameOf("Rain"), "");
    EXPECT_EQ(list.DisplayText("Rain"), NotFound("Rain"));

    list.Add("Rain", "a.txt", 1, 2);
    list.Add(Ansi("夏の雨"), "b.txt", 0, 0);
    list.Add("Rain", "c.txt", 3, 4);
    list.Add("", "empty.txt", -1, -2);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOf("Rain"), 0);
    EXPECT_EQ(list.FileNameOf("Rain"), "a.txt");
    EXPECT_EQ(list.IndexOf(Ansi("夏の雨")), 1);
    EXPECT_EQ(list.IndexOf(""), 3);
    EXPECT_EQ(list.IndexOf("Rain "), -1);
    EXPECT_EQ(list.FileNameOf("Snow"), "");

    list.Update(0, "Snow", "d.txt", 5, 6);
    EXPECT_EQ(list.IndexOf("Rain"), 2);
    EXPECT_EQ(list.FileNameOf("Snow"), "d.txt");

    // An index that no entry has changes nothing (and must not write out of bounds).
    const std::vector<Entry> before = EntriesOf(list);
    list.Update(-1, "x", "x", 0, 0);
    list.Update(4, "x", "x", 0, 0);
    list.Update(INT32_MAX, "x", "x", 0, 0);
    EXPECT_EQ(EntriesOf(list), before);

    EXPECT_EQ(EntriesOf(list), (std::vector<Entry>{{"Snow", "d.txt", 5, 6},
                                                   {Ansi("夏の雨"), "b.txt", 0, 0},
                                                   {"Rain", "c.txt", 3, 4},
                                                   {"", "empty.txt", -1, -2}}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.IndexOf("Rain"), -1);
}

TEST(LyricsList, CaseSensitivityHoldsUntilClearOrALoad) {
    test::FakeFileSystem files;
    files.files["list.csv"] = "\"SUMMER RAIN\",\"a.txt\",0,0\r\n";
    ScopedFileSystem scope(files);

    TLyricsList list("list.csv");
    EXPECT_TRUE(list.CaseSensitive());
    EXPECT_EQ(list.IndexOf("summer rain"), -1);
    list.SetCaseSensitive(false);
    EXPECT_EQ(list.IndexOf("summer rain"), 0);
    EXPECT_EQ(list.FileNameOf("Summer Rain"), "a.txt");

    list.Clear();
    list.Add("SUMMER RAIN", "a.txt", 0, 0);
    EXPECT_EQ(list.IndexOf("summer rain"), -1) << "Clear makes look-up case-sensitive";

    list.SetCaseSensitive(false);
    list.LoadFromFile("list.csv");
    EXPECT_EQ(list.IndexOf("summer rain"), -1) << "a load makes look-up case-sensitive";

    list.SetCaseSensitive(false);
    test::FakeRows rows;
    list.AddToListView(rows);
    list.LoadFromListView(rows);
    EXPECT_EQ(list.IndexOf("summer rain"), -1) << "a load from the view does too";

    // Full-width letters have case in code page 932 as well; widths never fold.
    list.Clear();
    list.Add(Ansi("ＡＢＣ"), "w.txt", 0, 0);
    list.SetCaseSensitive(false);
    EXPECT_EQ(list.IndexOf(Ansi("ａｂｃ")), 0);
    EXPECT_EQ(list.IndexOf("abc"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(Ansi("ａｂｃ")), -1);
}

struct Shown {
    std::string content;  // of "lyrics.txt"
    std::int32_t startLine;
    std::int32_t endLine;
    std::string text;
};

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line" + std::to_string(i) + "\r\n";
    }
    return text;
}

TEST(DisplayText, ChosenLinesJoinedAndTrimmed) {
    const std::string ten = NumberedLines(10);
    const std::string a = Ansi("あ");
    const std::vector<Shown> rows = {
        // The range applies only when 1 <= start <= end <= number of lines.
        {ten, 2, 4, "line2\r\nline3\r\nline4"},
        {ten, 10, 10, "line10"},
        {ten, 1, 10, NumberedLines(10).substr(0, ten.size() - 2)},
        {ten, 2, 11, ten.substr(0, ten.size() - 2)},
        {ten, 5, 3, ten.substr(0, ten.size() - 2)},
        {ten, 0, 4, ten.substr(0, ten.size() - 2)},
        {ten, -1, 4, ten.substr(0, ten.size() - 2)},
        {ten, 0, 0, ten.substr(0, ten.size() - 2)},
        {ten, INT32_MIN, INT32_MAX, ten.substr(0, ten.size() - 2)},
        {"one\r\n  two\r\nthree  \r\nfour\r\n", 2, 3, "two\r\nthree"},
        // Blanks and control characters go from both ends of the whole text only.
        {"\r\n\n  word  \r\n\r\n", 0, 0, "word"},
        {"\t a \r\n\r\n b \t", 0, 0, "a \r\n\r\n b"},
        {"", 0, 0, ""},
        {"\r\n \r\n\t\r\n", 0, 0, ""},
        {"\r\n \r\n\t\r\n", 1, 3, ""},
        // Lone CR and lone LF end lines too; a final line break adds no line.
        {"a\rb\nc\r\nd", 2, 4, "b\r\nc\r\nd"},
        {"a\rb\nc\r\nd\r\n", 4, 4, "d"},
        {"a\n\nb", 2, 3, "b"},
        {"a\n\nb\n", 3, 4, "a\r\n\r\nb"},
        // A NUL ends the text.
        {std::string("a\r\nb\0c\r\nd", 9), 0, 0, "a\r\nb"},
        {std::string("\0abc", 4), 0, 0, ""},
        // Full-width spaces are characters, not blanks.
        {Ansi("　歌　\r\n"), 0, 0, Ansi("　歌　")},
        // Shift_JIS whose second bytes are 0x5C and 0x7C pass unchanged.
        {Ansi("表示\\ソ|ポ\r\n"), 0, 0, Ansi("表示\\ソ|ポ")},
        {a + "\r" + a + "\n" + a, 2, 2, a},
    };
    for (const Shown& row : rows) {
        test::FakeFileSystem files;
        files.files["lyrics.txt"] = row.content;
        ScopedFileSystem scope(files);
        TLyricsList list;
        list.Add("Song", "lyrics.txt", row.startLine, row.endLine);
        EXPECT_EQ(list.DisplayText("Song"), row.text)
            << "content '" << row.content << "' range " << row.startLine << ".." << row.endLine;
    }
}

TEST(DisplayText, MessagesSayWhyThereAreNoLines) {
    test::FakeFileSystem files;
    files.files["ok.txt"] = "words";
    files.files["max.txt"] = std::string(65535, 'a');
    files.files["big.txt"] = std::string(65536, 'a');
    files.files["unsized.txt"] = "unsized";
    files.sizes["unsized.txt"] = std::nullopt;
    files.files["grown.txt"] = std::string(70000, 'a');
    files.sizes["grown.txt"] = 100;
    files.files["huge.txt"] = "never read";
    files.sizes["huge.txt"] = 5'000'000'000ull;
    files.folders.insert("folder");
    for (const char* device : {"CON", "NUL", "COM1", "\\\\.\\pipe\\vesk"}) {
        files.devices.insert(device);
    }
    ScopedFileSystem scope(files);

    TLyricsList list;
    list.Add("PlayerNotFound", "ok.txt", 0, 0);
    list.Add("ok", "ok.txt", 0, 0);
    list.Add("max", "max.txt", 0, 0);
    list.Add("big", "big.txt", 0, 0);
    list.Add("unsized", "unsized.txt", 0, 0);
    list.Add("grown", "grown.txt", 0, 0);
    list.Add("huge", "huge.txt", 0, 0);
    list.Add("missing", Ansi("C:\\歌詞\\無い.txt"), 0, 0);
    list.Add("folder", "folder", 0, 0);
    list.Add("con", "CON", 0, 0);
    list.Add("nul", "NUL", 0, 0);
    list.Add("com1", "COM1", 0, 0);
    list.Add("pipe", "\\\\.\\pipe\\vesk", 0, 0);
    list.Add("empty path", "", 0, 0);
    list.Add("ok", "missing.txt", 0, 0);

    const std::string tooLarge = Ansi("■ファイルサイズが大きすぎます(");
    const std::string bytes = Ansi("bytes)：");
    const std::string fileNotFound = Ansi("■File Not Found：");
    const struct {
        std::string title;
        std::string text;
    } rows[] = {
        {"PlayerNotFound", Ansi("■Player Not Found")},
        {"ok", "words"},
        {"OK", NotFound("OK")},
        {"", NotFound("")},
        {Ansi("夏:\\の雨"), NotFound(Ansi("夏:\\の雨"))},
        {"max", std::string(65535, 'a')},
        {"big", tooLarge + "65536" + bytes + "big.txt"},
        {"unsized", "unsized"},
        {"grown", tooLarge + "70000" + bytes + "grown.txt"},
        {"huge", tooLarge + "5000000000" + bytes + "huge.txt"},
        {"missing", fileNotFound + Ansi("C:\\歌詞\\無い.txt")},
        {"folder", fileNotFound + "folder"},
        {"con", fileNotFound + "CON"},
        {"nul", fileNotFound + "NUL"},
        {"com1", fileNotFound + "COM1"},
        {"pipe", fileNotFound + "\\\\.\\pipe\\vesk"},
        {"empty path", fileNotFound},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(list.DisplayText(row.title), row.text) << row.title;
    }
    // "PlayerNotFound" is the sentinel whatever the letter case of the list.
    list.SetCaseSensitive(false);
    EXPECT_EQ(list.DisplayText("playernotfound"), "words");

    // Devices and folders are never opened; a file over the limit is never read.
    for (const std::string& path : files.reads) {
        EXPECT_TRUE(path == "ok.txt" || path == "max.txt" || path == "unsized.txt" ||
                    path == "grown.txt")
            << "read " << path;
    }

    files.throwOnRead = true;
    EXPECT_EQ(list.DisplayText("ok"), Ansi("原因不明のエラーです"));
}

TEST(DisplayText, FilesOfTodaysLyricsToolsShowInTheCodePage) {
    const std::string lrc =
        "[ti:題]\r\n[ar:歌手]\r\n[00:01.00]一\r\n[00:05.00]二\r\n[00:09.00][00:20.00]三\r\n";
    const struct {
        const char* path;
        std::string content;
        std::int32_t startLine;
        std::int32_t endLine;
        std::string text;  // UTF-8
    } rows[] = {
        {"a.txt", "\xEF\xBB\xBF一行目\r\n二行目\r\n", 0, 0, "一行目\r\n二行目"},
        {"a.txt", "一行目\r\n二行目\r\n三行目", 2, 3, "二行目\r\n三行目"},  // UTF-8, no mark
        {"a.txt", test::Utf16File(u"一行目\r\n二行目\r\n三行目\r\n"), 2, 3, "二行目\r\n三行目"},
        {"s.lrc", lrc, 0, 0, "一\r\n二\r\n三"},
        // The range counts the file's lines, header lines included.
        {"s.lrc", lrc, 3, 4, "一\r\n二"},
        {"s.lrc", lrc, 1, 3, "一"},
        {"s.lrc", lrc, 1, 2, ""},
        {"s.txt", lrc, 3, 3, "[00:01.00]一"},  // tags mean something only in an LRC file
    };
    for (const auto& row : rows) {
        test::FakeFileSystem files;
        files.files[row.path] = row.content;
        ScopedFileSystem scope(files);
        TLyricsList list;
        list.Add("Song", row.path, row.startLine, row.endLine);
        EXPECT_EQ(list.DisplayText("Song"), Ansi(row.text))
            << row.path << " " << row.startLine << ".." << row.endLine;
    }
}

TEST(DisplayText, TheSizeLimitIsOnTheFileAsItIs) {
    test::FakeFileSystem files;
    // 65538 bytes as UTF-16, 32768 as Shift_JIS.
    files.files["big16.txt"] = test::Utf16File(std::u16string(32768, u'a'));
    files.files["max16.txt"] = test::Utf16File(std::u16string(32766, u'a'));
    ScopedFileSystem scope(files);
    TLyricsList list;
    list.Add("big", "big16.txt", 0, 0);
    list.Add("max", "max16.txt", 0, 0);
    EXPECT_EQ(list.DisplayText("big"),
              Ansi("■ファイルサイズが大きすぎます(65538bytes)：big16.txt"));
    EXPECT_EQ(list.DisplayText("max"), std::string(32766, 'a'));
}

TEST(DisplayText, ReadsRealFiles) {
    test::TestFolder folder;
    const std::string lyrics = folder / Ansi("夏の雨.txt");
    const std::string max = folder / "max.txt";
    const std::string big = folder / "big.txt";
    const FileSystem& files = SystemFileSystem();
    ASSERT_TRUE(files.ReplaceFile(lyrics, Ansi("一行目\r\n　二行目 \r\n三行目\r\n")));
    ASSERT_TRUE(files.ReplaceFile(max, std::string(65533, 'x') + "\r\n"));
    ASSERT_TRUE(files.ReplaceFile(big, std::string(65534, 'x') + "\r\n"));

    TLyricsList list;
    list.Add(Ansi("夏の雨"), lyrics, 2, 3);
    list.Add("whole", lyrics, 0, 0);
    list.Add("max", max, 0, 0);
    list.Add("big", big, 0, 0);
    list.Add("folder", folder.Path(), 0, 0);
    list.Add("missing", folder / "missing.txt", 0, 0);
    EXPECT_EQ(list.DisplayText(Ansi("夏の雨")), Ansi("　二行目 \r\n三行目"));
    EXPECT_EQ(list.DisplayText("whole"), Ansi("一行目\r\n　二行目 \r\n三行目"));
    EXPECT_EQ(list.DisplayText("max"), std::string(65533, 'x'));
    EXPECT_EQ(list.DisplayText("big"), Ansi("■ファイルサイズが大きすぎます(65536bytes)：") + big);
    EXPECT_EQ(list.DisplayText("folder"), Ansi("■File Not Found：") + folder.Path());
    EXPECT_EQ(list.DisplayText("missing"), Ansi("■File Not Found：") + folder / "missing.txt");
}

TEST(ListView, RowsCarryTheEntriesBothWays) {
    TLyricsList list;
    list.Add(Ansi("夏:\\の雨"), Ansi("C:\\歌詞\\表示.txt"), 2, 10);
    list.Add("Rain", "", -3, 0);
    list.Add("Rain", "b.txt", INT32_MIN, INT32_MAX);

    test::FakeRows rows;
    rows.rows.push_back({"kept", "k.txt", "1", "2"});
    list.AddToListView(rows);
    EXPECT_EQ(rows.rows, (std::vector<ListViewRow>{
                             {"kept", "k.txt", "1", "2"},
                             {Ansi("夏:\\の雨"), Ansi("C:\\歌詞\\表示.txt"), "2", "10"},
                             {"Rain", "", "-3", "0"},
                             {"Rain", "b.txt", "-2147483648", "2147483647"},
                         }));

    rows.rows.push_back({"bad", "x.txt", "abc", " 7 "});
    list.LoadFromListView(rows);
    EXPECT_EQ(EntriesOf(list), (std::vector<Entry>{
                                   {"kept", "k.txt", 1, 2},
                                   {Ansi("夏:\\の雨"), Ansi("C:\\歌詞\\表示.txt"), 2, 10},
                                   {"Rain", "", -3, 0},
                                   {"Rain", "b.txt", INT32_MIN, INT32_MAX},
                                   {"bad", "x.txt", 0, 7},
                               }));

    rows.rows.clear();
    list.LoadFromListView(rows);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace vesk
