#include "settings/KelpIniFile.h"

#include <gtest/gtest.h>

#include "MemoryFileSystem.h"
#include "TestFolder.h"
#include "TestText.h"

namespace vesk {
namespace {

using test::Ansi;

constexpr char kPath[] = "C:\\Vesk\\Vesk.ini";

// Settings tests run over a file system in memory holding one file.
class KelpIniFileTest : public testing::Test {
protected:
    void SetFile(const std::string& content) { files_.files[kPath] = content; }
    std::string File() const { return files_.files.at(kPath); }

    test::MemoryFileSystem files_;
    ScopedFileSystem scope_{files_};
    TKelpIniFile ini_{kPath};
};

TEST_F(KelpIniFileTest, NumbersAndFlags) {
    struct Row {
        std::string stored;
        std::int32_t number;  // read with default 77
        bool flag;            // read with default false
    };
    const std::vector<Row> rows = {
        {"16", 16, true},
        {"0x10", 16, true},
        {"0X10", 16, true},
        {"$10", 16, true},
        {"x10", 16, true},
        {" 16 ", 16, true},
        {"-16", -16, true},
        {"+16", 16, true},
        {"-0x10", -16, true},
        {"$FFFFFFFF", -1, true},
        {"0xffffffff", -1, true},
        {"2147483647", 2147483647, true},
        {"-2147483648", INT32_MIN, true},
        {"2147483648", 77, false},
        {"$123456789", 77, false},
        {"16abc", 77, false},
        {"abc", 77, false},
        {"", 77, false},
        {"0x", 77, false},
        {"$", 77, false},
        {"0", 0, false},
        {"2", 2, true},
        {"-1", -1, true},
        {"yes", 77, false},
        {"1 6", 77, false},
    };
    for (const Row& row : rows) {
        SetFile("[S]\r\nK=" + row.stored + "\r\n");
        EXPECT_EQ(ini_.ReadNumber("S", "K", 77), row.number) << "'" << row.stored << "'";
        EXPECT_EQ(ini_.ReadFlag("S", "K", false), row.flag) << "'" << row.stored << "'";
    }
    SetFile("[S]\r\nK=yes\r\n");
    EXPECT_TRUE(ini_.ReadFlag("S", "K", true));
    EXPECT_EQ(ini_.ReadNumber("S", "Missing", -5), -5);
    EXPECT_TRUE(ini_.ReadFlag("S", "Missing", true));

    ini_.WriteNumber("S", "N", -42);
    ini_.WriteNumber("S", "Z", 0);
    ini_.WriteFlag("S", "T", true);
    ini_.WriteFlag("S", "F", false);
    EXPECT_EQ(File(), "[S]\r\nK=yes\r\nN=-42\r\nZ=0\r\nT=1\r\nF=0\r\n");
}

TEST_F(KelpIniFileTest, TextKeepsPresentEmptyValuesAndCutsLongOnes) {
    const std::string long3000 = Ansi("歌") + std::string(2998, 'y');
    SetFile("[lyricsform]\r\nbackcolor=0x00000001\r\nEmpty=\r\nLong=" + long3000 + "\r\n");
    EXPECT_EQ(ini_.ReadText("LyricsForm", "Empty", "default"), "");
    EXPECT_EQ(ini_.ReadText("LyricsForm", "Missing", "default"), "default");
    EXPECT_EQ(ini_.ReadText("Missing", "Empty", "default"), "default");
    EXPECT_EQ(ini_.ReadText("LYRICSFORM", "BACKCOLOR", ""), "0x00000001");
    EXPECT_EQ(ini_.ReadColor("LyricsForm", "BackColor", kClWhite), 1u);
    EXPECT_EQ(ini_.ReadText("LyricsForm", "Long", ""), long3000.substr(0, 2047));

    files_.files.clear();
    EXPECT_EQ(ini_.ReadText("LyricsForm", "Empty", "default"), "default");
    EXPECT_EQ(ini_.ReadColor("LyricsForm", "BackColor", 0x80000008), 0x80000008u);
}

TEST_F(KelpIniFileTest, HexadecimalAndColourValues) {
    struct Row {
        std::string stored;
        std::optional<Color> color;  // nullopt: the conversion error
        std::string errorText;       // the "$..." of its message
    };
    const std::vector<Row> rows = {
        {"0x0000FF00", 0x0000FF00, ""},
        {"0xFF00", 0xFF00, ""},
        {"0x80000008", 0x80000008, ""},
        {"0xffffff", 0xFFFFFF, ""},
        {"16777215", 0x777215, ""},  // the first two characters are skipped, whatever they are
        {"ab12", 0x12, ""},
        {"0x00FFFFFFjunk", 0x00FFFFFF, ""},
        {"0x123456789", 0x12345678, ""},
        {"", std::nullopt, "$"},
        {"0x", std::nullopt, "$"},
        {"7", std::nullopt, "$"},
        {"0xZZ", std::nullopt, "$ZZ"},
        {"0x-1", std::nullopt, "$-1"},
        {"0x 1", std::nullopt, "$ 1"},
        {"red", 0xD, ""},
        {"grey", std::nullopt, "$ey"},
        {"0x12G45678", std::nullopt, "$12G45678"},
    };
    for (const Row& row : rows) {
        SetFile("[S]\r\nC=" + row.stored + "\r\n");
        if (row.color) {
            EXPECT_EQ(ini_.ReadColor("S", "C", kClGray), *row.color) << row.stored;
            EXPECT_EQ(ini_.ReadHex("S", "C", 0), static_cast<std::int32_t>(*row.color));
            continue;
        }
        try {
            ini_.ReadColor("S", "C", kClGray);
            ADD_FAILURE() << "no error for '" << row.stored << "'";
        } catch (const IniConvertError& error) {
            EXPECT_EQ(std::string(error.Message()),
                      "'" + row.errorText + Ansi("' は整数ではありません"))
                << row.stored;
        }
        EXPECT_THROW(ini_.ReadHex("S", "C", 0), IniConvertError);
    }
}

TEST_F(KelpIniFileTest, ColoursAreWrittenAsEightUpperCaseDigits) {
    ini_.WriteColor("S", "Gray", 0x808080);
    ini_.WriteColor("S", "Text", kClWindowText);
    ini_.WriteColor("S", "White", kClWhite);
    ini_.WriteHex("S", "Minus", -1);
    ini_.WriteHex("S", "Mixed", 0x00ABCDEF);
    EXPECT_EQ(File(),
              "[S]\r\nGray=0x00808080\r\nText=0x80000008\r\nWhite=0x00FFFFFF\r\n"
              "Minus=0xFFFFFFFF\r\nMixed=0x00ABCDEF\r\n");
    EXPECT_EQ(ini_.ReadColor("S", "Text", 0), kClWindowText);
    EXPECT_EQ(ini_.ReadHex("S", "Minus", 0), -1);
}

TEST_F(KelpIniFileTest, QuotedStringsKeepTheirDoubleQuotes) {
    const std::string marker = "\x81\x79quote\x81\x7A";
    ASSERT_EQ(Ansi("【quote】"), marker);
    ini_.WriteQuoted("S", "Q", "a\"b");
    EXPECT_EQ(File(), "[S]\r\nQ=a" + marker + "b\r\n");
    EXPECT_EQ(ini_.ReadQuoted("S", "Q", ""), "a\"b");

    const std::string command = "\"C:\\LM\\lm.exe\" \"[title]\"";
    ini_.WriteQuoted("S", "Path", command);
    EXPECT_EQ(ini_.ReadQuoted("S", "Path", ""), command);
    std::string stored;
    for (char c : command) {
        stored += c == '"' ? marker : std::string(1, c);
    }
    EXPECT_EQ(ini_.ReadText("S", "Path", ""), stored);

    // The marker is turned into a double quote wherever it stands, a default included; the
    // same bytes inside another character are not a marker.
    SetFile("[S]\r\nM=x" + marker + marker +
            "y\r\nSingle='abc'\r\nPlain=\"abc\"\r\n"
            "Inside=\x88" +
            marker + "\r\n");
    EXPECT_EQ(ini_.ReadQuoted("S", "M", ""), "x\"\"y");
    EXPECT_EQ(ini_.ReadQuoted("S", "Single", ""), "abc");
    EXPECT_EQ(ini_.ReadText("S", "Single", ""), "abc");
    EXPECT_EQ(ini_.ReadQuoted("S", "Plain", ""), "abc");
    EXPECT_EQ(ini_.ReadQuoted("S", "Inside", ""), "\x88" + marker);
    EXPECT_EQ(ini_.ReadQuoted("S", "Missing", "d" + marker), "d\"");
    EXPECT_EQ(ini_.ReadQuoted("S", "Missing", " keep "), " keep ");
}

TEST_F(KelpIniFileTest, StringLists) {
    SetFile("[S]\r\nL.Count=5\r\nL.0=a\r\nL.1=b\r\nL.2=c\r\nL.3=d\r\nL.4=e\r\n");
    ini_.WriteStrings("S", "L", {"x", "y"});
    EXPECT_EQ(File(), "[S]\r\nL.Count=2\r\nL.0=x\r\nL.1=y\r\nL.2=c\r\nL.3=d\r\nL.4=e\r\n");
    std::vector<std::string> list = {"old"};
    ini_.ReadStrings("S", "L", list);
    EXPECT_EQ(list, (std::vector<std::string>{"x", "y"}));

    // Missing keys default to the list's own count and items, empty past its end.
    SetFile("[S]\r\nL.Count=3\r\nL.1=B\r\n");
    list = {"a", "b"};
    ini_.ReadStrings("S", "L", list);
    EXPECT_EQ(list, (std::vector<std::string>{"a", "B", ""}));
    list = {"a", "b"};
    ini_.ReadStrings("S", "Other", list);
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b"}));
    SetFile("[S]\r\nL.Count=-3\r\n");
    ini_.ReadStrings("S", "L", list);
    EXPECT_TRUE(list.empty());
}

TEST_F(KelpIniFileTest, Fonts) {
    Font font = NewFont();
    font.name = "Arial";
    font.size = 20;
    font.style = kFontBold | kFontUnderline;
    font.color = 0x00123456;
    ini_.WriteFont("LyricsForm", "Font", font);
    EXPECT_EQ(File(),
              "[LyricsForm]\r\nFont.Name=Arial\r\nFont.Size=20\r\nFont.Style=5\r\n"
              "Font.Color=0x00123456\r\n");
    Font read = NewFont();
    ini_.ReadFont("LyricsForm", "Font", read);
    EXPECT_EQ(read, font);

    // Only the low 8 bits of the style count.
    for (const auto& [stored, style] :
         std::vector<std::pair<std::string, int>>{{"259", 3}, {"256", 0}, {"12", 12}}) {
        SetFile("[F]\r\nFont.Style=" + stored + "\r\n");
        ini_.ReadFont("F", "Font", read);
        EXPECT_EQ(read.style, style) << stored;
    }

    // All keys missing: face, size, style and colour stay; charset and pitch are a new font's.
    files_.files.clear();
    Font current{Ansi("ＭＳ 明朝"), 14, kFontItalic, 0x00FF0000, kShiftJisCharset,
                 FontPitch::Fixed};
    ini_.ReadFont("LyricsForm", "Font", current);
    EXPECT_EQ(current.name, Ansi("ＭＳ 明朝"));
    EXPECT_EQ(current.size, 14);
    EXPECT_EQ(current.style, kFontItalic);
    EXPECT_EQ(current.color, 0x00FF0000u);
    EXPECT_EQ(current.charset, NewFont().charset);
    EXPECT_EQ(current.pitch, NewFont().pitch);

    // A colour that cannot be read leaves the font as it was.
    SetFile("[F]\r\nFont.Name=Arial\r\nFont.Size=30\r\nFont.Color=blue\r\n");
    Font before = current;
    EXPECT_THROW(ini_.ReadFont("F", "Font", current), IniConvertError);
    EXPECT_EQ(current, before);
}

TEST_F(KelpIniFileTest, PositionsSizesAndPlacements) {
    ini_.WritePosition("W", "Pos", {-5, 7});
    ini_.WriteSize("W", "Size", {280, 159});
    ini_.WritePlacement("W", "Place", {2, 3, -1, -2, 10, 20, 300, 400});
    EXPECT_EQ(File(),
              "[W]\r\nPos.X=-5\r\nPos.Y=7\r\nSize.XSize=280\r\nSize.YSize=159\r\n"
              "Place.Flags=2\r\nPlace.Show=3\r\nPlace.MaxX=-1\r\nPlace.MaxY=-2\r\n"
              "Place.X=10\r\nPlace.Y=20\r\nPlace.XSize=300\r\nPlace.YSize=400\r\n");
    WindowPosition position;
    WindowSize size;
    WindowPlacement placement;
    ini_.ReadPosition("W", "Pos", position);
    ini_.ReadSize("W", "Size", size);
    ini_.ReadPlacement("W", "Place", placement);
    EXPECT_EQ(position, (WindowPosition{-5, 7}));
    EXPECT_EQ(size, (WindowSize{280, 159}));
    EXPECT_EQ(placement, (WindowPlacement{2, 3, -1, -2, 10, 20, 300, 400}));

    // Missing keys keep the current values.
    SetFile("[W]\r\nPos.Y=9\r\nSize.XSize=bad\r\nPlace.YSize=1\r\n");
    position = {1, 2};
    size = {3, 4};
    placement = {1, 2, 3, 4, 5, 6, 7, 8};
    ini_.ReadPosition("W", "Pos", position);
    ini_.ReadSize("W", "Size", size);
    ini_.ReadPlacement("W", "Place", placement);
    EXPECT_EQ(position, (WindowPosition{1, 9}));
    EXPECT_EQ(size, (WindowSize{3, 4}));
    EXPECT_EQ(placement, (WindowPlacement{1, 2, 3, 4, 5, 6, 7, 1}));
}

TEST_F(KelpIniFileTest, RefusedWriteStopsAtThatKeyAndKeepsTheFile) {
    files_.writesLeft = 2;
    Font font = NewFont();
    font.name = "Arial";
    try {
        ini_.WriteFont("LyricsForm", "Font", font);
        ADD_FAILURE() << "the third write was not refused";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(error.Path(), kPath);
        EXPECT_EQ(std::string(error.Message()), std::string(kPath) + Ansi(" に書き込めません"));
    }
    EXPECT_EQ(File(), "[LyricsForm]\r\nFont.Name=Arial\r\nFont.Size=9\r\n");

    // A write that changes nothing needs no file system and cannot fail.
    EXPECT_NO_THROW(ini_.WriteNumber("LyricsForm", "Font.Size", 9));
    EXPECT_THROW(ini_.WriteNumber("LyricsForm", "Font.Size", 10), IniWriteError);
    EXPECT_EQ(File(), "[LyricsForm]\r\nFont.Name=Arial\r\nFont.Size=9\r\n");
}

TEST_F(KelpIniFileTest, AFileThatCannotBeReadIsNeverOverwritten) {
    SetFile("[S]\r\nKeep=1\r\n");
    files_.unreadable.insert(kPath);
    EXPECT_EQ(ini_.ReadText("S", "Keep", "default"), "default");
    EXPECT_THROW(ini_.WriteText("S", "New", "x"), IniWriteError);
    EXPECT_EQ(File(), "[S]\r\nKeep=1\r\n");
    EXPECT_EQ(files_.writes, 0);
}

TEST_F(KelpIniFileTest, EveryOperationReadsTheFileAfresh) {
    TKelpIniFile other(kPath);
    other.WriteText("S", "K", "1");
    EXPECT_EQ(ini_.ReadText("S", "K", ""), "1");
    SetFile("[S]\r\nK=2\r\n");  // changed by someone else
    EXPECT_EQ(ini_.ReadText("S", "K", ""), "2");
    ini_.WriteText("S", "J", "3");
    EXPECT_EQ(File(), "[S]\r\nK=2\r\nJ=3\r\n");
}

TEST_F(KelpIniFileTest, TextsReadBackAsWritten) {
    // Reading trims blanks and strips one pair of enclosing quotes: values it would change
    // are stored in one more pair of double quotes, which readers strip.
    struct Row {
        std::string text;
        std::string stored;
    };
    const std::vector<Row> rows = {
        {"-<>", "-<>"},
        {" ", "\" \""},
        {"- ", "\"- \""},
        {" Live", "\" Live\""},
        {"\t", "\"\t\""},
        {"a b", "a b"},
        {"\"abc\"", "\"\"abc\"\""},
        {"'abc'", "\"'abc'\""},
        {"\"abc'", "\"abc'"},
        {"\"", "\""},
        {"", ""},
        {Ansi("　歌　"), Ansi("　歌　")},  // full-width blanks are no blanks to the reader
    };
    for (const Row& row : rows) {
        SetFile("[S]\r\n");
        ini_.WriteText("S", "K", row.text);
        EXPECT_EQ(File(), "[S]\r\nK=" + row.stored + "\r\n") << "'" << row.text << "'";
        EXPECT_EQ(ini_.ReadText("S", "K", "default"), row.text) << "'" << row.text << "'";
    }
    // A line break still ends the value before it is quoted.
    ini_.WriteText("S", "K", "a \r\nX=1");
    EXPECT_EQ(ini_.ReadText("S", "K", ""), "a ");
    // Quoted texts: double quotes become markers first, blanks are kept the same way.
    ini_.WriteQuoted("S", "Q", " \"x\" ");
    EXPECT_EQ(ini_.ReadQuoted("S", "Q", ""), " \"x\" ");
}

TEST(KelpIniFile, ReleaseAfterAFailedOperationKeepsEarlierWrites) {
    test::MemoryFileSystem files;
    ScopedFileSystem scope(files);
    files.writesLeft = 1;
    EXPECT_THROW(
        {
            TKelpIniFile ini(kPath);
            ini.WriteText("S", "A", "1");
            ini.WriteText("S", "B", "2");
        },
        IniWriteError);
    EXPECT_EQ(files.files.at(kPath), "[S]\r\nA=1\r\n");
}

TEST(KelpIniFile, WorksOnRealFiles) {
    test::TestFolder folder;
    const std::string path = folder / Ansi("設定.ini");
    {
        TKelpIniFile ini(path);
        EXPECT_EQ(ini.ReadText("S", "K", "none"), "none");
        ini.WriteText("S", "K", Ansi("歌詞"));
        ini.WriteColor("S", "C", kClWhite);
    }
    EXPECT_EQ(SystemFileSystem().ReadFile(path),
              "[S]\r\nK=" + Ansi("歌詞") + "\r\nC=0x00FFFFFF\r\n");
    const TKelpIniFile ini(path);
    EXPECT_EQ(ini.ReadText("s", "k", ""), Ansi("歌詞"));

    // The folder of the file must exist; a folder is never written over.
    TKelpIniFile missingFolder(folder / "missing" + folder.Path().back() + "Vesk.ini");
    EXPECT_THROW(missingFolder.WriteText("S", "K", "1"), IniWriteError);
    TKelpIniFile isFolder(folder.Path() + "sub");
    std::filesystem::create_directory(folder.Path() + "sub");
    EXPECT_THROW(isFolder.WriteText("S", "K", "1"), IniWriteError);
    EXPECT_EQ(isFolder.ReadText("S", "K", "d"), "d");
}

}  // namespace
}  // namespace vesk
