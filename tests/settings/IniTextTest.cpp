#include "settings/IniText.h"

#include <gtest/gtest.h>

#include "TestText.h"

namespace vesk {
namespace {

using test::Ansi;

std::string Header(const std::string& name) {
    return std::string("[").append(name).append("]");
}

struct ReadRow {
    std::string content;
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

TEST(IniText, ReadsByTheFormatRules) {
    const std::string long3000 = "v" + std::string(2999, 'x');
    // ア is 83 41 and ヂ is 83 61: their second bytes are the letters A and a.
    const std::string a = Ansi("ア"), di = Ansi("ヂ");
    ASSERT_EQ(a, "\x83\x41");
    ASSERT_EQ(di, "\x83\x61");
    const std::string zo = Ansi("ゾ");  // 83 5D: its second byte is "]"
    ASSERT_EQ(zo, "\x83\x5D");
    const std::vector<ReadRow> rows = {
        {"[S]\r\nK=v\r\n", "S", "K", "v"},
        {"[lyricsform]\r\nbackcolor=0x1\r\n", "LyricsForm", "BackColor", "0x1"},
        {"[S]\r\nK=1\r\nk=2\r\n", "S", "K", "1"},
        // Only the first section of a name counts.
        {"[S]\r\nA=1\r\n[T]\r\n[s]\r\nA=2\r\nB=3\r\n", "S", "A", "1"},
        {"[S]\r\nA=1\r\n[T]\r\n[s]\r\nA=2\r\nB=3\r\n", "S", "B", std::nullopt},
        {"[S]\r\n \t K \t=  v w \t\r\n", "S", "K", "v w"},
        {"  [S]  \r\nK=v\r\n", "S", "K", "v"},
        {"[S] tail\r\nK=v\r\n", "S", "K", "v"},
        {"[ S\t]\r\nK=v\r\n", "S", "K", "v"},
        {"[S]]\r\nK=v\r\n", "S]", "K", "v"},
        {"[S]\r\nK=\"abc\"\r\n", "S", "K", "abc"},
        {"[S]\r\nK='abc'\r\n", "S", "K", "abc"},
        {"[S]\r\nK= \"a b\" \r\n", "S", "K", "a b"},
        {"[S]\r\nK=\"a\"b\"\r\n", "S", "K", "a\"b"},
        {"[S]\r\nK=\"abc'\r\n", "S", "K", "\"abc'"},
        {"[S]\r\nK=\"\r\n", "S", "K", "\""},
        {"[S]\r\nK=\"\"\r\n", "S", "K", ""},
        {"[S]\r\nK=\"\"\"\r\n", "S", "K", "\""},
        {"[S]\r\nK=\r\n", "S", "K", ""},
        {"[S]\r\nK =   \r\n", "S", "K", ""},
        {"[S]\r\nK\r\n", "S", "K", std::nullopt},
        {"[S]\r\nK\r\nK=2\r\n", "S", "K", "2"},
        {"[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
        {"[S]\r\nMy Key=1\r\n", "S", "My Key", "1"},
        {"[S]\r\n=v\r\n", "S", "", "v"},
        {"K=1\r\n[S]\r\n", "S", "K", std::nullopt},
        {"K=1\r\n", "", "K", std::nullopt},
        {"[S]\r\nK=v", "S", "K", "v"},
        {"[S]\rA=1\rB=2\n", "S", "B", "2"},
        {"[S]\nA=1\n\n\nB=2", "S", "B", "2"},
        {"[T]\r\nK=1\r\n", "S", "K", std::nullopt},
        {"", "S", "K", std::nullopt},
        {"[S]\r\nK=" + long3000 + "\r\n", "S", "K", long3000.substr(0, 2047)},
        {"[S]\r\nK=\"" + long3000 + "\"\r\n", "S", "K", long3000.substr(0, 2047)},
        {"[S]\r\nK=" + Ansi("　値　") + "\r\n", "S", "K", Ansi("　値　")},
        {Header(Ansi("歌詞A")) + "\r\nK=1\r\n", Ansi("歌詞a"), "K", "1"},
        {Header(a) + "\r\nK=1\r\n", di, "K", std::nullopt},
        {"[S]\r\n" + a + "=1\r\n", "S", di, std::nullopt},
        {"[S]\r\n" + a + "=1\r\n", "S", a, "1"},
        {Header(zo) + "\r\nK=1\r\n", zo, "K", "1"},
        {std::string("[").append(zo) + "\r\nK=1\r\n", zo, "K", std::nullopt},
        // Blanks are those of the profile functions; other control bytes are kept.
        {"[S]\r\nK=\x01v\x01\r\n", "S", "K", "\x01v\x01"},
        {"[S]\r\nK=\x1A\x0B\x0Cv\x1A\r\n", "S", "K", "v"},
        {"[S]\r\n\x02K=1\r\n", "S", "K", std::nullopt},
        {"[S]\r\n\x02K=1\r\n", "S", "\x02K", "1"},
        {"[\x1FS]\r\nK=1\r\n", "\x1FS", "K", "1"},
    };
    for (const ReadRow& row : rows) {
        EXPECT_EQ(IniText(row.content).Read(row.section, row.key), row.value)
            << "content '" << test::Utf8(row.content) << "' [" << test::Utf8(row.section) << "] "
            << test::Utf8(row.key);
    }
}

TEST(IniText, CaseSensitiveNamesMatchOnlyInTheirCase) {
    IniText ini("[S]\r\nKey=1\r\n", true);
    EXPECT_EQ(ini.Read("S", "Key"), "1");
    EXPECT_EQ(ini.Read("S", "key"), std::nullopt);
    EXPECT_EQ(ini.Read("s", "Key"), std::nullopt);
    ini.SetCaseSensitive(false);
    EXPECT_EQ(ini.Read("s", "KEY"), "1");
}

struct WriteRow {
    std::string content;
    std::string section;
    std::string key;
    std::string value;
    std::string result;
};

TEST(IniText, WritesInPlaceAndKeepsEveryOtherLine) {
    const std::vector<WriteRow> rows = {
        {"", "S", "K", "v", "[S]\r\nK=v\r\n"},
        {"; head\r\n[S]\r\n  K = old  \r\nX=1\r\n\r\n[T]\r\nY=2\r\n", "S", "K", "new",
         "; head\r\n[S]\r\nK=new\r\nX=1\r\n\r\n[T]\r\nY=2\r\n"},
        {"[s]\r\nkey=1\r\n", "S", "KEY", "2", "[s]\r\nkey=2\r\n"},
        {"[S]\r\nK=1\r\n", "S", "K", "", "[S]\r\nK=\r\n"},
        // A new key follows the last entry of its section.
        {"[S]\r\nA=1\r\n; note\r\n\r\n[T]\r\nB=2\r\n", "S", "C", "3",
         "[S]\r\nA=1\r\nC=3\r\n; note\r\n\r\n[T]\r\nB=2\r\n"},
        {"[S]\r\n; note\r\n[T]\r\n", "S", "A", "1", "[S]\r\nA=1\r\n; note\r\n[T]\r\n"},
        {"[S]\r\nA=1\r\n", "T", "B", "2", "[S]\r\nA=1\r\n[T]\r\nB=2\r\n"},
        // Without a final line break.
        {"[S]\r\nA=1", "S", "B", "2", "[S]\r\nA=1\r\nB=2\r\n"},
        {"[S]\r\nA=1", "T", "B", "2", "[S]\r\nA=1\r\n[T]\r\nB=2\r\n"},
        {"[S]\r\nA=1", "S", "A", "2", "[S]\r\nA=2\r\n"},
        {"[S]", "S", "A", "1", "[S]\r\nA=1\r\n"},
        // Lone LF and CR line breaks stay on the lines that have them.
        {"[S]\nA=1\nB=2\n", "S", "A", "3", "[S]\nA=3\nB=2\n"},
        {"[S]\rA=1\r", "S", "B", "2", "[S]\rA=1\rB=2\r\n"},
        // The first section of a name and the first entry of a key.
        {"[S]\r\nA=1\r\n[S]\r\nB=2\r\n", "S", "B", "3", "[S]\r\nA=1\r\nB=3\r\n[S]\r\nB=2\r\n"},
        {"[S]\r\nA=1\r\nA=2\r\n", "S", "A", "3", "[S]\r\nA=3\r\nA=2\r\n"},
        // Entries before the first section belong to none.
        {"K=0\r\n[S]\r\n", "S", "K", "1", "K=0\r\n[S]\r\nK=1\r\n"},
        // A value cannot start lines of its own.
        {"[S]\r\n", "S", "K", "a\r\n[T]\r\nX=1", "[S]\r\nK=a\r\n"},
        {"[S]\r\n", "S", "K", "a\nb", "[S]\r\nK=a\r\n"},
        {"[S]\r\n", "S", "K", " \"q\" ", "[S]\r\nK= \"q\" \r\n"},
    };
    for (const WriteRow& row : rows) {
        IniText ini(row.content);
        ini.Write(row.section, row.key, row.value);
        EXPECT_EQ(ini.Content(), row.result) << "content '" << row.content << "' [" << row.section
                                             << "] " << row.key << "=" << row.value;
    }
}

TEST(IniText, WrittenValuesReadBack) {
    IniText ini("junk\r\n[S]\r\nA=1\r\n");
    const std::vector<std::pair<std::string, std::string>> values = {
        {"A", "2"}, {"B", Ansi("歌詞")}, {"C", ""}, {"D", "'x'"}, {"E", "  spaced  "}};
    for (const auto& [key, value] : values) {
        ini.Write("S", key, value);
    }
    EXPECT_EQ(ini.Read("S", "A"), "2");
    EXPECT_EQ(ini.Read("S", "B"), Ansi("歌詞"));
    EXPECT_EQ(ini.Read("S", "C"), "");
    EXPECT_EQ(ini.Read("S", "D"), "x");
    EXPECT_EQ(ini.Read("S", "E"), "spaced");
    EXPECT_EQ(ini.Content().substr(0, 6), "junk\r\n");
}

}  // namespace
}  // namespace vesk
