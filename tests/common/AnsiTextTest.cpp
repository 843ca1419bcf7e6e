#include "common/AnsiText.h"

#include <gtest/gtest.h>

#include "TestText.h"

namespace vesk {
namespace {

using test::Ansi;
constexpr auto npos = std::string_view::npos;

TEST(AnsiText, LeadBytesAreThoseOfCodePage932) {
    for (int b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), lead) << "byte " << b;
    }
}

TEST(AnsiText, CharactersAreCountedFromTheFirstByte) {
    struct Row {
        std::string text;
        std::size_t chars;
    };
    const Row rows[] = {
        {"", 0},           {"abc", 3},      {Ansi("夏の雨"), 3},
        {Ansi("a夏b"), 3}, {"\x82", 1},      // a lone lead byte at the end is one character
        {"a\x82", 2},      {"\xB1\xB2", 2},  // half-width katakana are single bytes
        {Ansi("ポ|"), 2},                    // the 0x7C inside ポ is its second byte
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CountChars(row.text), row.chars) << test::Utf8(row.text);
    }
}

TEST(AnsiText, SearchesMatchOnlyAtCharacterStarts) {
    const std::string pop = Ansi("ポップ | Band");  // ポ is 0x83 0x7C
    ASSERT_EQ(pop[1], '|');
    EXPECT_EQ(FindAnyByte(pop, "|"), 7u);
    EXPECT_EQ(FindAnyByte(pop, "x"), npos);
    EXPECT_EQ(FindAnyByte("", "|"), npos);
    EXPECT_EQ(FindAnyByte("a-b-c", "-", 2), 3u);

    const std::string table = Ansi("表示");  // 表 is 0x95 0x5C: its second byte is a backslash
    EXPECT_EQ(FindAnyByte(table, "\\"), npos);
    EXPECT_EQ(FindText(table, "\\"), npos);

    // A needle found only from the second byte of a double-byte character does not match.
    const std::string katakana = Ansi("アイ");  // 0x83 0x41 0x83 0x43
    EXPECT_EQ(FindText(katakana, "A"), npos);
    EXPECT_EQ(FindText(katakana, "\x41\x83"), npos);
    EXPECT_EQ(FindText(katakana, Ansi("イ")), 2u);
    EXPECT_EQ(FindText("abcabc", "ca"), 2u);
    EXPECT_EQ(FindText("abc", ""), 0u);
    EXPECT_EQ(FindText("ab", "abc"), npos);
    EXPECT_TRUE(ContainsText(Ansi("再生中: 夏の雨"), Ansi("夏")));
}

TEST(AnsiText, CharacterStartsFollowLeadBytes) {
    const std::string text = Ansi("a夏b");
    EXPECT_TRUE(IsCharStart(text, 0));
    EXPECT_TRUE(IsCharStart(text, 1));
    EXPECT_FALSE(IsCharStart(text, 2));
    EXPECT_TRUE(IsCharStart(text, 3));
    EXPECT_TRUE(IsCharStart(text, 4));
}

TEST(AnsiText, TrimRemovesBlanksAndControlsButNotFullWidthSpaces) {
    struct Row {
        std::string text;
        std::string trimmed;
    };
    const Row rows[] = {
        {"  Rain  ", "Rain"},
        {"\t\r\nRain\x01\x1f ", "Rain"},
        {std::string("\0Rain\0", 6), "Rain"},
        {"   ", ""},
        {"", ""},
        {Ansi("　Rain　"), Ansi("　Rain　")},
        {Ansi(" 夏 "), Ansi("夏")},
        {"a b", "a b"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TrimBlanks(row.text), row.trimmed) << test::Utf8(row.text);
    }
}

TEST(AnsiText, FileNameStartsAfterTheLastSeparator) {
    struct Row {
        std::string path;
        std::size_t start;
    };
    const Row
        rows[] =
            {
                {"C:\\Lyrics\\rain.txt", 10},
                {"rain.txt", 0},
                {"C:rain.txt", 2},
                {"a/b\\c", 4},
                {"C:\\Lyrics\\", 10},
                {"", 0},
                {Ansi("表\\示.txt"), 3},  // the backslash inside 表 separates nothing
            };
    for (const Row& row : rows) {
        EXPECT_EQ(FileNameStart(row.path), row.start) << row.path;
    }
}

TEST(AnsiText, ReplaceBytesScansLeftToRightWithoutOverlap) {
    EXPECT_EQ(ReplaceBytes("a\"\"\"b", "\"\"", "Q"), "aQ\"b");
    EXPECT_EQ(ReplaceBytes("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceBytes("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceBytes("", "a", "b"), "");
}

TEST(AnsiText, TheAccessKeyFollowsTheFirstSingleAmpersand) {
    const struct {
        const char* caption;
        char key;
    } rows[] = {
        {"表示1(&1)", '1'}, {"連携(&c)", 'C'}, {"&WMP", 'W'}, {"R&&B (&R)", 'R'}, {"R&&B", 0},
        {"end&", 0},        {"none", 0},       {"&&&x", 'X'}, {"&あ", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(AccessKeyOf(test::Ansi(row.caption)), row.key) << row.caption;
    }
}

}  // namespace
}  // namespace vesk
