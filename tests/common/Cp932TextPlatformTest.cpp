#include "common/PortableTextPlatform.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

const TextPlatform& Portable() {
    return PortableTextPlatform();
}

TEST(Cp932TextPlatform, ConvertsTheProgramsTextsByteForByte) {
    struct Row {
        const char* utf8;
        std::string cp932;
    };
    const Row rows[] = {
        {"■Title Not Found：", "\x81\xA1Title Not Found\x81\x46"},
        {"【退避してます】", "\x81\x79\x91\xDE\x94\xF0\x82\xB5\x82\xC4\x82\xDC\x82\xB7\x81\x7A"},
        {"【quote】", "\x81\x79quote\x81\x7A"},
        {"”", "\x81\x68"},
        {"￥／：，；＊？＜＞｜",
         "\x81\x8F\x81\x5E\x81\x46\x81\x43\x81\x47\x81\x96\x81\x48\x81\x83\x81\x84\x81\x62"},
        {"ｱｲ", "\xB1\xB2"},
        {"～", "\x81\x60"},
        {"－", "\x81\x7C"},
        {"表", "\x95\x5C"},
        {"……", "\x81\x63\x81\x63"},
        {"∵", "\x81\xE6"},             // also at 0x879A and 0xFA5B; Windows gives the JIS code
        {"ⅰ", "\xFA\x40"},             // also at 0xEEEF; Windows gives the IBM code
        {"Ⅰ", "\x87\x54"},             // also at 0xFA4A; Windows gives the NEC row 13 code
        {"\xEE\x80\x80", "\xF0\x40"},  // U+E000, the first user-defined character
        {"é", "?"},                    // not in the code page
        {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Portable().FromUtf8(row.utf8), row.cp932) << row.utf8;
        if (row.cp932 != "?") {
            EXPECT_EQ(Portable().ToUtf8(row.cp932), row.utf8) << row.utf8;
        }
    }
}

TEST(Cp932TextPlatform, EveryAssignedDoubleByteCodeRoundTripsThroughUtf8) {
    int assigned = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!Portable().IsLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string utf8 = Portable().ToUtf8(code);
            if (utf8 == "・" && code != "\x81\x45") {
                continue;  // unassigned: shown as the katakana middle dot
            }
            ++assigned;
            const std::string back = Portable().FromUtf8(utf8);
            // Duplicated characters come back as the code Windows prefers, which decodes
            // to the same character.
            EXPECT_EQ(Portable().ToUtf8(back), utf8) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_EQ(assigned, 9604);  // Microsoft's table, user-defined area included
}

TEST(Cp932TextPlatform, Utf16ConvertsByTheTableAndQuestionMarksTheRest) {
    struct Row {
        std::u16string utf16;
        std::string cp932;
    };
    const Row rows[] = {
        {u"夏の雨", Portable().FromUtf8("夏の雨")},
        {u"Rain\r\n", "Rain\r\n"},
        {u"～∵ⅰｱ", "\x81\x60\x81\xE6\xFA\x40\xB1"},
        {u"é", "?"},                                 // no best fit here
        {u"歌🎵", Portable().FromUtf8("歌") + "??"},  // one "?" for each half of the pair
        {std::u16string(1, u'\xDC00') + u"a", "?a"},
        {std::u16string(1, u'\0') + u"a", std::string("\0a", 2)},
        {u"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Portable().FromUtf16(row.utf16), row.cp932) << row.cp932;
    }
}

TEST(Cp932TextPlatform, InvalidBytesBecomeTheKatakanaMiddleDot) {
    EXPECT_EQ(Portable().ToUtf8("a\x82"), "a・");
    EXPECT_EQ(Portable().ToUtf8("\x85\x40"), "・");
    EXPECT_EQ(Portable().FromUtf8("\xFF"), "?");
}

TEST(Cp932TextPlatform, EqualityFoldsOnlyLetterCase) {
    struct Row {
        const char* a;
        const char* b;
        bool caseSensitive;
        bool caseInsensitive;
    };
    const Row rows[] = {
        {"Summer Rain", "Summer Rain", true, true},
        {"Summer Rain", "summer rain", false, true},
        {"ＡＢＣ", "ａｂｃ", false, true},
        {"ΑΒΓ", "αβγ", false, true},
        {"АЁЯ", "аёя", false, true},
        {"ＡＢＣ", "ABC", false, false},  // width does not fold
        {"あ", "ア", false, false},       // kana do not fold
        {"ｱ", "ア", false, false},
        {"Rain", "Rain ", false, false},
        {"", "", true, true},
        {"a", "", false, false},
        {"夏の雨", "夏の雨", true, true},
        {"ⅰⅱ", "ⅠⅡ", false, true},
    };
    for (const Row& row : rows) {
        const std::string a = Portable().FromUtf8(row.a);
        const std::string b = Portable().FromUtf8(row.b);
        EXPECT_EQ(Portable().Equal(a, b, false), row.caseSensitive) << row.a << " / " << row.b;
        EXPECT_EQ(Portable().Equal(a, b, true), row.caseInsensitive) << row.a << " / " << row.b;
    }
}

TEST(Cp932TextPlatform, DuplicateCodesOfOneCharacterAreEqual) {
    EXPECT_TRUE(Portable().Equal("\x87\x54", "\xFA\x4A", false));  // Ⅰ, NEC and IBM
    EXPECT_TRUE(Portable().Equal("\x81\xE6", "\xFA\x5B", false));  // ∵
    EXPECT_FALSE(Portable().Equal("\x87\x54", "\x87\x55", true));
    EXPECT_FALSE(Portable().Equal("a\x82", "a\x83", false));  // broken tails compare as bytes
    EXPECT_TRUE(Portable().Equal("a\x82", "a\x82", false));
}

}  // namespace
}  // namespace vesk
