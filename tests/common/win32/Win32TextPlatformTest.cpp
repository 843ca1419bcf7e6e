// Under Wine with the ja_JP locale, the system's code page is the real 932: these tests
// prove that the portable code page agrees with it, so that the native tests mean
// something for the program as it runs on Windows.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "common/TextFingerprint.h"
#include "common/TextPlatform.h"
#include "common/win32/Win32TextPlatform.h"

namespace vesk {
namespace {

const TextPlatform& Portable() {
    return PortableTextPlatform();
}
const TextPlatform& System() {
    return SystemTextPlatform();
}

TEST(Win32TextPlatform, RunsOnCodePage932) {
    ASSERT_EQ(GetACP(), 932u) << "the tests must run with LANG=ja_JP.UTF-8";
    EXPECT_EQ(&CurrentTextPlatform(), &System());
}

TEST(Win32TextPlatform, LeadBytesAgree) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(System().IsLeadByte(byte), Portable().IsLeadByte(byte)) << "byte " << b;
    }
}

TEST(Win32TextPlatform, DecodingOfEveryCodeAgrees) {
    for (int b = 0; b < 256; ++b) {
        const std::string single(1, static_cast<char>(b));
        if (!Portable().IsLeadByte(static_cast<unsigned char>(b))) {
            EXPECT_EQ(System().ToUtf8(single), Portable().ToUtf8(single)) << "byte " << b;
        }
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!Portable().IsLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string portable = Portable().ToUtf8(code);
            if (portable == "・" && code != "\x81\x45") {
                continue;  // unassigned codes: what each makes of them is not used
            }
            EXPECT_EQ(System().ToUtf8(code), portable) << std::hex << lead << " " << trail;
        }
    }
}

TEST(Win32TextPlatform, EncodingOfEveryCharacterAgrees) {
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!Portable().IsLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string utf8 = Portable().ToUtf8(code);
            if (utf8 == "・" && code != "\x81\x45") {
                continue;
            }
            EXPECT_EQ(System().FromUtf8(utf8), Portable().FromUtf8(utf8))
                << std::hex << lead << " " << trail << " " << utf8;
        }
    }
}

// Every character of the basic plane that the portable table converts converts to the
// same bytes on the system; for the others the system may have a best fit, else "?".
TEST(Win32TextPlatform, Utf16ConversionAgreesWhereThePortableOneCan) {
    int bestFits = 0;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        const std::u16string unit(1, static_cast<char16_t>(c));
        const std::string portable = Portable().FromUtf16(unit);
        const std::string system = System().FromUtf16(unit);
        if (portable != "?" || c == U'?') {
            EXPECT_EQ(system, portable) << std::hex << static_cast<unsigned>(c);
        } else if (system != "?") {
            ++bestFits;
        }
    }
    EXPECT_GT(bestFits, 0) << "the system converts with a best fit";
    EXPECT_EQ(System().FromUtf16(u"Caf\u00E9"), "Cafe");
    EXPECT_EQ(System().FromUtf16(u"\U0001F3B5"), Portable().FromUtf16(u"\U0001F3B5"));
    EXPECT_EQ(System().FromUtf16(std::u16string(1, u'\xDC00')), "?");
}

// Titles as players show them; both forms of equality must agree with CompareStringA.
TEST(Win32TextPlatform, EqualityAgreesWithCompareStringA) {
    const char* const titles[] = {
        "Summer Rain",
        "summer rain",
        "SUMMER RAIN",
        "Summer  Rain",
        "Summer Rain ",
        "夏の雨",
        "夏の雨 ",
        "ナツノアメ",
        "なつのあめ",
        "ﾅﾂﾉｱﾒ",
        "ＡＢＣ",
        "ａｂｃ",
        "ABC",
        "abc",
        "ΑΒΓ",
        "αβγ",
        "АЁЯ",
        "аёя",
        "Rain - Sun",
        "Rain-Sun",
        "Rain—Sun",
        "「ポップ」",
        "ポップ | Band",
        "Café",
        "",
        "a",
        "A",
        "1",
        "１",
        "表示",
        "曲名〜",
        "曲名～",
        "Don't Stop",
        "Dont Stop",
        "co-op",
        "coop",
        "Ⅰ",
        "ⅰ",
        "ｶﾞ",
        "ガ",
    };
    for (const char* a : titles) {
        for (const char* b : titles) {
            const std::string ansiA = System().FromUtf8(a);
            const std::string ansiB = System().FromUtf8(b);
            for (bool ignoreCase : {false, true}) {
                EXPECT_EQ(System().Equal(ansiA, ansiB, ignoreCase),
                          Portable().Equal(ansiA, ansiB, ignoreCase))
                    << "'" << a << "' / '" << b << "' ignoreCase " << ignoreCase;
            }
        }
    }
}

TEST(Win32TextPlatform, DuplicateCodesCompareAsCompareStringADoes) {
    const std::string pairs[][2] = {
        {"\x87\x54", "\xFA\x4A"},
        {"\x81\xE6", "\xFA\x5B"},
        {"\xEE\xEF", "\xFA\x40"},
        {"\x87\x54", "\x87\x55"},
    };
    for (const auto& pair : pairs) {
        for (bool ignoreCase : {false, true}) {
            EXPECT_EQ(System().Equal(pair[0], pair[1], ignoreCase),
                      Portable().Equal(pair[0], pair[1], ignoreCase))
                << System().ToUtf8(pair[0]) << " / " << System().ToUtf8(pair[1]);
        }
    }
}

// Every two characters that the locale weighs alike at the first level (the primary
// weights, the sort key up to its first separator) share the fingerprint; and the
// comparison's order is the one of CompareStringA.
TEST(Win32TextPlatform, CharactersWeighedAlikeShareTheFingerprint) {
    std::vector<std::string> characters;
    for (int b = 1; b < 256; ++b) {
        if (!System().IsLeadByte(static_cast<unsigned char>(b))) {
            characters.emplace_back(1, static_cast<char>(b));
        }
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40;
             System().IsLeadByte(static_cast<unsigned char>(lead)) && trail <= 0xFC; ++trail) {
            characters.push_back({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    constexpr char kLevelSeparator = 0x01;
    std::map<std::string, std::string> first;  // primary weights -> first character with them
    int shared = 0;
    for (const std::string& c : characters) {
        char key[256] = {};
        const int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, c.data(),
                                      static_cast<int>(c.size()), key, sizeof(key));
        ASSERT_GT(size, 0);
        const std::string weights(key, std::find(key, key + size, kLevelSeparator));
        const auto [other, added] = first.emplace(weights, c);
        const TextFingerprint a = FingerprintOf(c);
        const TextFingerprint b = FingerprintOf(other->second);
        if (!added && a.reliable && b.reliable) {
            EXPECT_EQ(a.hash, b.hash)
                << System().ToUtf8(c) << " " << System().ToUtf8(other->second);
            ++shared;
        }
    }
    EXPECT_GT(shared, 500);  // case, width, kana forms and duplicate codes
    EXPECT_LT(System().Compare("apple", "Banana", true), 0);
    EXPECT_EQ(System().Compare("Rain", "rain", true), 0);
    EXPECT_NE(System().Compare("Rain", "rain", false), 0);
    EXPECT_GT(System().Compare("b", "A", false), 0);
}

}  // namespace
}  // namespace vesk
