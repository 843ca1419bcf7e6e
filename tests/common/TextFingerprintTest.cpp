// The order of the portable comparison and the fingerprint that equal texts share, against
// the portable equality on random titles (tests/common/win32 holds the same against the
// system's CompareStringA).

#include "common/TextFingerprint.h"

#include <gtest/gtest.h>

#include "RandomTitles.h"
#include "common/PortableTextPlatform.h"

namespace vesk {
namespace {

const TextPlatform& Portable() {
    return PortableTextPlatform();
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(Cp932TextPlatform, OrdersByCharactersCaseFoldedFirst) {
    auto ansi = [](const char* utf8) { return Portable().FromUtf8(utf8); };
    struct Row {
        std::string a;
        std::string b;
        int caseSensitive;
        int caseInsensitive;
    };
    const Row rows[] = {
        {"apple", "Banana", -1, -1},
        {"Rain", "rain", -1, 0},  // capitals first, only when nothing else differs
        {"rain", "Rainy", -1, -1},
        {"", "a", -1, -1},
        {"10", "9", -1, -1},  // texts, not numbers
        {ansi("ＡＢＣ"), ansi("ａｂｃ"), -1, 0},
        {ansi("あめ"), ansi("アメ"), -1, -1},
        {"\x87\x54", "\xFA\x4A", 0, 0},  // Ⅰ, NEC and IBM codes
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Sign(Portable().Compare(row.a, row.b, false)), row.caseSensitive) << row.a;
        EXPECT_EQ(Sign(Portable().Compare(row.a, row.b, true)), row.caseInsensitive) << row.a;
        EXPECT_EQ(Sign(Portable().Compare(row.b, row.a, true)), -row.caseInsensitive) << row.a;
    }
}

// Equal texts share the fingerprint, and the order agrees with the equality, both ways.
TEST(TextFingerprint, EqualTitlesShareItAndTheOrderAgreesWithEquality) {
    const std::vector<std::string> titles = test::RandomTitles(400, 7);
    int equalPairs = 0;
    for (const std::string& a : titles) {
        for (const std::string& b : titles) {
            for (bool ignoreCase : {false, true}) {
                const bool equal = Portable().Equal(a, b, ignoreCase);
                const int order = Portable().Compare(a, b, ignoreCase);
                ASSERT_EQ(order == 0, equal) << a << "/" << b;
                ASSERT_EQ(Sign(order), -Sign(Portable().Compare(b, a, ignoreCase)));
                const TextFingerprint fa = FingerprintOf(a);
                const TextFingerprint fb = FingerprintOf(b);
                if (equal && fa.reliable && fb.reliable) {
                    ASSERT_EQ(fa.hash, fb.hash) << a << "/" << b;
                }
                equalPairs += equal && a != b;
            }
        }
    }
    EXPECT_GT(equalPairs, 100);  // the titles meet in other ways than byte for byte
}

TEST(TextFingerprint, LeavesOutWhatACollationMayWeighByItsNeighbours) {
    auto ansi = [](const char* utf8) { return Portable().FromUtf8(utf8); };
    struct Row {
        std::string a;
        std::string b;
        bool same;
    };
    const Row rows[] = {
        {"Rain", "rAIN", true},
        {"Rain", "Snow", false},
        {"Ra\x01in", "Rain", true},          // a control character
        {ansi("Ra\uE000in"), "Rain", true},  // a user-defined character
        {"co-op", "coop", true},
        {ansi("Ａゝ"), "aa", true},  // a run once
        {ansi("雨々"), ansi("雨"), true},
        {ansi("カー"), ansi("か―"), true},
        {ansi("ﾞかカ"), ansi("がカ"), true},  // sound marks and kana forms
        {ansi("きい"), ansi("キー"), true},
        {ansi("●①"), ansi("○1"), true},  // shapes and digits alike
        {ansi("カ"), ansi("サ"), false},
        {ansi("雨"), ansi("雪"), false},
        {"\x81\xE6", "\xFA\x5B", true},  // ∵, JIS and IBM codes
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FingerprintOf(row.a) == FingerprintOf(row.b), row.same) << row.a << "/" << row.b;
    }
    EXPECT_FALSE(FingerprintOf("Rain\x85\x41").reliable);  // unassigned
    EXPECT_FALSE(FingerprintOf("Rain\x82").reliable);      // cut in two
    EXPECT_FALSE(FingerprintOf(ansi("10㎜")).reliable);    // two letters in one
    EXPECT_TRUE(FingerprintOf(ansi("雨 - Ame")).reliable);
}

}  // namespace
}  // namespace vesk
