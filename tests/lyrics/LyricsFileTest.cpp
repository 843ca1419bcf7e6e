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
using namespace std::string_literals;

std::string Written(const std::vector<Entry>& entries) {
    test::FakeFileSystem files;
    ScopedFileSystem scope(files);
    TLyricsList list;
    for (const Entry& e : entries) {
        list.Add(e.title, e.fileName, e.startLine, e.endLine);
    }
    list.SaveToFile("list.csv");
    return files.files.at("list.csv");
}

TEST(ListFile, WriterProducesTheStrictForm) {
    EXPECT_EQ(Written({}), "");
    EXPECT_EQ(Written({{"A", "P", 0, 0}}), "\"A\",\"P\",0,0\r\n");
    EXPECT_EQ(Written({{"", "", 0, 0}}), "\"\",\"\",0,0\r\n");
    EXPECT_EQ(Written({{"a,b", "c\"d", -1, INT32_MIN}, {"\"", "x", 12, INT32_MAX}}),
              "\"a,b\",\"c\"\"d\",-1,-2147483648\r\n\"\"\"\",\"x\",12,2147483647\r\n");
    EXPECT_EQ(Written({{Ansi("表示|ポ"), Ansi("C:\\歌詞\\ソ.txt"), 1, 2}}),
              "\"" + Ansi("表示|ポ") + "\",\"" + Ansi("C:\\歌詞\\ソ.txt") + "\",1,2\r\n");
    // A line break or NUL inside a text would split the entry or end the file early.
    EXPECT_EQ(Written({{"a\r\nb", "c\0d"s, 0, 0}, {"next", "n", 0, 0}}),
              "\"a  b\",\"c d\",0,0\r\n\"next\",\"n\",0,0\r\n");
    // Titles cut after a lead byte that leave the whole file valid UTF-8 get a last line
    // that is none, so that the list reads back as Shift_JIS.
    EXPECT_EQ(Written({{"\xE3\x81\x82", "p", 0, 0}}), "\"\xE3\x81\x82\",\"p\",0,0\r\n\x81\x40\r\n");
}

struct Fields {
    std::string line;
    Entry entry;
};

TEST(ListFile, FieldReadersTakeStrictAndHandMadeLines) {
    const std::string marker = Ansi("【退避してます】");
    const std::vector<Fields> rows = {
        {"\"A\",\"P\",1,2", {"A", "P", 1, 2}},
        {"\"\",\"\",0,0", {"", "", 0, 0}},
        {"\"\"\"\",\"\"\"\",0,0", {"\"", "\"", 0, 0}},
        {"\"\"\"a\"\"\",\"b\"\"\",0,0", {"\"a\"", "b\"", 0, 0}},
        {"\"a,b,c\",\"d,e\",3,4", {"a,b,c", "d,e", 3, 4}},
        {"\" lead and trail \",\" p \",0,0", {" lead and trail ", " p ", 0, 0}},
        {"\"P\",\"P\",0,0", {"P", "P", 0, 0}},
        {"\"-5\",\"x\",-5,-7", {"-5", "x", -5, -7}},
        {"  \"A\" , \"P\" , 1 , 2  ", {"A", "P", 1, 2}},
        // Hand-made: unquoted fields end at the first comma; blanks before them go, those
        // between a field and its comma stay.
        {"Title, C:\\a.txt, 3, 4", {"Title", "C:\\a.txt", 3, 4}},
        {"  Title  ,  path  ,5,6", {"Title  ", "path  ", 5, 6}},
        {"Title,File,Start,End", {"Title", "File", 0, 0}},
        {"a\"\"b,c,1,2", {"a\"b", "c", 1, 2}},
        // Line numbers come from the last two fields whatever is before them.
        {"\"A\",\"P\",x,9", {"A", "P", 0, 9}},
        {"\"A\",\"P\",\"3\",\" 4 \"", {"A", "P", 3, 4}},
        {"\"A\",\"P\",$10,0x1F", {"A", "P", 16, 31}},
        {"\"A\",\"P\",x10,0X1f", {"A", "P", 16, 31}},
        {"\"A\",\"P\",X10,-$10", {"A", "P", 16, -16}},
        {"\"A\",\"P\",$FFFFFFFF,+8", {"A", "P", -1, 8}},
        {"\"A\",\"P\",2147483648,-2147483649", {"A", "P", 0, 0}},
        {"\"A\",\"P\",$100000000,1.5", {"A", "P", 0, 0}},
        {"\"A\",\"P\",-2147483648,2147483647", {"A", "P", INT32_MIN, INT32_MAX}},
        {"\"a,1,2\",\"b,3\",5,6", {"a,1,2", "b,3", 5, 6}},
        // Fewer fields.
        {"\"A\",\"P\",7", {"A", "P", 0, 7}},
        {"\"A\",\"P\"", {"A", "P", 0, 0}},
        {"\"A\",", {"A", "", 0, 0}},
        {"A,", {"A", "", 0, 0}},
        {",", {"", "", 0, 0}},
        {",,5,6", {"", "", 5, 6}},
        // A quoted field without its closing quote is empty; the path is then read from
        // after the first comma that is left once the title is taken out.
        {"\"A,\"P\",1,2", {"A,", "1", 1, 2}},
        {"\"no end,1,2", {"", "1", 1, 2}},
        {"\"A\",\"no end,1,2", {"A", "", 1, 2}},
        // Shift_JIS second bytes 0x5C and 0x7C are not backslashes or bars to the reader.
        {"\"" + Ansi("表示ソ") + "\",\"" + Ansi("C:\\ポ\\能.txt") + "\",1,1",
         {Ansi("表示ソ"), Ansi("C:\\ポ\\能.txt"), 1, 1}},
        {Ansi("表示,ソ|ポ,1,1"), {Ansi("表示"), Ansi("ソ|ポ"), 1, 1}},
        // The marker text stands for a doubled quote while a field is cut out.
        {"\"a" + marker + "b\",\"p\",0,0", {"a\"b", "p", 0, 0}},
    };
    TLyricsList list;
    for (const Fields& row : rows) {
        const Entry read{list.TitleOfLine(row.line), list.FileNameOfLine(row.line),
                         list.StartLineOfLine(row.line), list.EndLineOfLine(row.line)};
        EXPECT_EQ(read, row.entry) << row.line;
    }
}

TEST(ListFile, FirstFieldKeepsDoubledQuotes) {
    const std::string marker = Ansi("【退避してます】");
    const struct {
        std::string text;
        std::string field;
    } rows[] = {
        {"\"\"", ""},
        {"\"\"\"\"", "\"\""},
        {"\"\"\"\"\"", ""},
        {"\"a\"\"b\",x", "a\"\"b"},
        {"\"a\"\"\"\"\"b", "a\"\"\"\""},
        {" \t\"a\",b", "a"},
        {"a\"\"b,c", "a\"\"b"},
        {"a\"b,c", "a\"b"},
        {"abc", ""},
        {"", ""},
        {"\"a" + marker + "\"", "a\"\""},
        {"a" + marker + ",", "a\"\""},
    };
    TLyricsList list;
    for (const auto& row : rows) {
        EXPECT_EQ(list.FirstField(row.text), row.field) << row.text;
    }
}

TEST(ListFile, LoadTakesEveryLineWithAComma) {
    test::FakeFileSystem files;
    files.files["empty.csv"] = "";
    files.files["blank.csv"] = "\r\n\r\n  \n\r\t\r\n";
    files.files["mixed.csv"] =
        "\"a\",\"1\",0,0\r\nno comma\r\n\r\n\"b\",\"2\",3,4\r\"c\",\"3\",5,6\n\"d\",\"4\",7,8";
    files.files["nul.csv"] = "\"a\",\"1\",0,0\r\n\"b\",\"2\",0,0\0\"c\",\"3\",0,0\r\n"s;
    files.folders.insert("folder");
    files.devices.insert("CON");
    ScopedFileSystem scope(files);

    TLyricsList list;
    list.Add("old", "old", 0, 0);
    list.LoadFromFile("empty.csv");
    EXPECT_EQ(list.Count(), 0);
    list.LoadFromFile("blank.csv");
    EXPECT_EQ(list.Count(), 0);
    list.LoadFromFile("mixed.csv");
    EXPECT_EQ(EntriesOf(list),
              (std::vector<Entry>{
                  {"a", "1", 0, 0}, {"b", "2", 3, 4}, {"c", "3", 5, 6}, {"d", "4", 7, 8}}));
    list.LoadFromFile("nul.csv");
    EXPECT_EQ(EntriesOf(list), (std::vector<Entry>{{"a", "1", 0, 0}, {"b", "2", 0, 0}}));

    for (const char* unreadable : {"missing.csv", "folder", "CON"}) {
        list.Add("old", "old", 0, 0);
        list.LoadFromFile(unreadable);
        EXPECT_EQ(list.Count(), 0) << unreadable;
    }
    EXPECT_EQ(TLyricsList("mixed.csv").Count(), 4);
    EXPECT_EQ(TLyricsList("missing.csv").Count(), 0);

    files.throwOnRead = true;
    list.LoadFromFile("mixed.csv");
    EXPECT_EQ(list.Count(), 0);
}

TEST(ListFile, FailedSaveLeavesTheOldFileAndTheList) {
    test::FakeFileSystem files;
    const std::string old = "\"old\",\"o.txt\",1,2\r\n";
    files.files["list.csv"] = old;
    files.folders.insert("folder");
    ScopedFileSystem scope(files);

    TLyricsList list;
    list.Add("new", "n.txt", 3, 4);
    list.Add("x", "y", 0, 0);
    const std::vector<Entry> entries = EntriesOf(list);

    files.failWrites = true;
    list.SaveToFile("list.csv");
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(files.files.at("list.csv"), old);
    EXPECT_EQ(EntriesOf(list), entries);

    files.failWrites = false;
    list.SaveToFile("folder");
    EXPECT_EQ(files.KindOf("folder"), FileSystem::Kind::Directory);
    EXPECT_EQ(EntriesOf(list), entries);

    list.SaveToFile("list.csv");
    EXPECT_EQ(files.files.at("list.csv"), "\"new\",\"n.txt\",3,4\r\n\"x\",\"y\",0,0\r\n");

    // An emptied list still replaces the file: with 0 bytes.
    list.Clear();
    list.SaveToFile("list.csv");
    EXPECT_EQ(files.files.at("list.csv"), "");
}

TEST(ListFile, ListsInUtf8AndUtf16LoadInTheCodePage) {
    const Entry rain{Ansi("夏の雨"), Ansi("C:\\歌詞\\雨.txt"), 2, 5};
    const struct {
        const char* what;
        std::string content;
        std::vector<Entry> entries;
        bool exact;
    } rows[] = {
        {"UTF-8 with a mark", "\xEF\xBB\xBF\"夏の雨\",\"C:\\歌詞\\雨.txt\",2,5\r\n", {rain}, true},
        {"UTF-8 by hand",
         "夏, C:\\歌詞\\雨.txt, 2, 5\n",
         {{Ansi("夏"), Ansi("C:\\歌詞\\雨.txt"), 2, 5}},
         true},
        {"UTF-16", test::Utf16File(u"\"夏の雨\",\"C:\\歌詞\\雨.txt\",2,5\r\n"), {rain}, true},
        {"UTF-16 big-endian", test::Utf16File(u"夏の雨,C:\\歌詞\\雨.txt,2,5", true), {rain}, true},
        {"a character the code page lacks",
         "\"歌 🎵\",\"a.txt\",0,0\r\n",
         {{Ansi("歌 ") + "??", "a.txt", 0, 0}},
         false},
        {"Shift_JIS",
         "\"" + Ansi("夏の雨") + "\",\"" + Ansi("C:\\歌詞\\雨.txt") + "\",2,5\r\n",
         {rain},
         true},
        {"Shift_JIS cut after a lead byte, as written with its last line",
         "\"\xE3\x81\x82\",\"\xE3\x81\x82\",0,0\r\n\x81\x40\r\n",
         {{"\xE3\x81\x82", "\xE3\x81\x82", 0, 0}},
         true},
        {"UTF-8 whose titles end in a trail byte that is a lead byte in Shift_JIS",
         "\"あ\",\"C:\\あ.txt\",0,0\r\n",
         {{Ansi("あ"), Ansi("C:\\あ.txt"), 0, 0}},
         true},
    };
    for (const auto& row : rows) {
        test::FakeFileSystem files;
        files.files["list.csv"] = row.content;
        ScopedFileSystem scope(files);
        TLyricsList list("list.csv");
        EXPECT_EQ(EntriesOf(list), row.entries) << row.what;
        EXPECT_EQ(list.LoadedExactly(), row.exact) << row.what;
        // Written back in the code page, as every list.
        list.SaveToFile("list.csv");
        EXPECT_EQ(TLyricsList("list.csv").LoadedExactly(), true) << row.what;
        EXPECT_EQ(EntriesOf(TLyricsList("list.csv")), row.entries) << row.what;
        list.Clear();
        EXPECT_TRUE(list.LoadedExactly());
    }
}

TEST(ListFile, RealFilesWithShiftJisNames) {
    test::TestFolder folder;
    const std::string path = folder / Ansi("歌詞リスト表示.csv");
    TLyricsList list;
    list.Add(Ansi("夏の雨"), folder / Ansi("ソ能.txt"), 0, 0);
    list.Add("a,\"b\"", "", -1, 5);
    list.SaveToFile(path);

    const FileSystem& files = SystemFileSystem();
    EXPECT_EQ(files.ReadFile(path), "\"" + Ansi("夏の雨") + "\",\"" + folder / Ansi("ソ能.txt") +
                                        "\",0,0\r\n\"a,\"\"b\"\"\",\"\",-1,5\r\n");
    TLyricsList loaded(path);
    EXPECT_EQ(EntriesOf(loaded), EntriesOf(list));

    // A folder in the way stays a folder, and the list stays as it was.
    const std::string inTheWay = folder.Path().substr(0, folder.Path().size() - 1);
    list.SaveToFile(inTheWay);
    EXPECT_EQ(files.KindOf(inTheWay), FileSystem::Kind::Directory);
    EXPECT_EQ(files.KindOf(path), FileSystem::Kind::File);
    EXPECT_EQ(EntriesOf(loaded), EntriesOf(list));

    TLyricsList().SaveToFile(path);
    EXPECT_EQ(files.ReadFile(path), "");
    EXPECT_EQ(TLyricsList(path).Count(), 0);
}

}  // namespace
}  // namespace vesk
