#include "title/untTitleGet.h"

#include <gtest/gtest.h>

#include "TestText.h"

namespace vesk {
namespace {

using test::Ansi;

struct Extraction {
    std::string caption;
    std::string delimiters;
    std::int32_t titlePos;
    std::int32_t frontCut;
    std::int32_t backCut;
    std::string title;
};

void ExpectTitles(const std::vector<Extraction>& rows) {
    for (const Extraction& row : rows) {
        EXPECT_EQ(TitleGet().GetSongTitle(row.caption, row.delimiters, row.titlePos, row.frontCut,
                                          row.backCut),
                  row.title)
            << "caption '" << test::Utf8(row.caption) << "' delimiters '" << row.delimiters
            << "' position " << row.titlePos << " cuts " << row.frontCut << "/" << row.backCut;
    }
}

TEST(GetSongTitle, WorkedExamples) {
    const std::string x97(97, 'x');
    const std::string x99(99, 'x');
    ExpectTitles({
        {"Now: Summer Rain - Blue Sky", "-<>", 1, 5, 0, "Summer Rain"},
        {"Now: Summer Rain - Blue Sky", "-<>", 2, 5, 0, "Blue Sky"},
        {"Now: Summer Rain - Blue Sky", "-<>", 3, 5, 0, "Blue Sky"},
        {"Song [Live] - Band", "-[]", 1, 0, 0, "Song"},
        {"Song [Live] - Band", "-[]", 2, 0, 0, "Live"},
        {"Song [Live] - Band", "-[]", 3, 0, 0, ""},
        {"Song [Live] - Band", "-[]", 4, 0, 0, "Band"},
        {"Rain--Sun", "-", 2, 0, 0, ""},
        {"Rain--Sun", "-", 3, 0, 0, "Sun"},
        {"Summer Rain [stopped]", "-", 1, 0, 10, "Summer Rain"},
        {"Summer Rain [stopped]", "-", 1, 30, 0, ""},
        {"Summer Rain [stopped]", "-", 1, -3, -3, "Summer Rain [stopped]"},
        {"Summer Rain - Blue Sky", "-", 0, 0, 0, ""},
        {"", "-<>", 1, 8, 0, "PlayerNotFound"},
        {Ansi("夏の雨 - 青空"), "-", 2, 0, 0, Ansi("青空")},
        {x97 + "-y", "-", 1, 0, 0, x97},
        {x99 + "-y", "-", 1, 0, 0, x99 + "-y"},
        {Ansi("　Rain　- Sun"), "-", 1, 0, 0, Ansi("　Rain　")},
        {Ansi("ポップ | Band"), "|", 1, 0, 0, Ansi("ポップ")},
    });
}

TEST(GetSongTitle, EdgeCases) {
    const std::string x98(98, 'x');
    ExpectTitles({
        // An empty caption is "PlayerNotFound" whatever else is asked.
        {"", "", 0, 0, 0, "PlayerNotFound"},
        {"", "-", -5, 100, 100, "PlayerNotFound"},
        // Blanks only: the empty title, not "PlayerNotFound".
        {"   ", "-", 1, 0, 0, ""},
        // No delimiters: the whole cut caption, trimmed, for every position.
        {" Rain - Sun ", "", 1, 0, 0, "Rain - Sun"},
        {" Rain - Sun ", "", 7, 0, 0, "Rain - Sun"},
        // Delimiters at the very start and end make empty fields that count.
        {"-Rain", "-", 1, 0, 0, ""},
        {"-Rain", "-", 2, 0, 0, "Rain"},
        {"Rain-", "-", 2, 0, 0, ""},
        // Cuts that add up to the length leave nothing; one byte less leaves one byte.
        {"abcdef", "-", 1, 3, 3, ""},
        {"abcdef", "-", 1, 2, 3, "c"},
        {"abcdef", "-", 1, 6, 0, ""},
        {"abcdef", "-", 1, 0, 6, ""},
        {"abcdef", "-", 1, 0, 7, ""},
        // A cut can split a double-byte character; the rest is read from its new first byte.
        {Ansi("夏a"), "-", 1, 1, 0, std::string("\xC4") + "a"},
        // A delimiter byte that is only ever a second byte never splits.
        {Ansi("ポップ"), "|", 1, 0, 0, Ansi("ポップ")},
        {Ansi("表示\\ok"), "\\", 1, 0, 0, Ansi("表示")},
        // Byte 99 is the last delimiter position that counts.
        {x98 + "-y", "-", 1, 0, 0, x98},
        {x98 + "-y", "-", 2, 0, 0, "y"},
        // The limit applies to what is left in each round.
        {std::string(60, 'a') + "-" + std::string(60, 'b') + "-c", "-", 2, 0, 0,
         std::string(60, 'b')},
        // A repeated delimiter in the set behaves like one.
        {"a-b", "--", 2, 0, 0, "b"},
        // A double-byte character in the delimiter set acts as two one-byte delimiters.
        {"aAb", Ansi("ア"), 2, 0, 0, "b"},
        // Extreme positions and cuts from a hand-edited settings file.
        {"Rain - Sun", "-", INT32_MAX, 0, 0, "Sun"},
        {"Rain - Sun", "-", INT32_MIN, 0, 0, ""},
        {"Rain - Sun", "-", 1, INT32_MAX, INT32_MAX, ""},
        {"Rain - Sun", "-", 1, INT32_MIN, INT32_MIN, "Rain"},
    });
}

// A derived class that replaces FindDelimiter changes how GetSongTitle splits fields.
class CommaTitleGet : public TTitleGet {
public:
    int FindDelimiter(std::string_view, std::string_view text) const override {
        const std::size_t comma = text.find(',');
        return comma == std::string_view::npos ? 0 : static_cast<int>(comma + 1);
    }
};

TEST(GetSongTitle, ReachesFindDelimiterThroughItsSlot) {
    const CommaTitleGet derived;
    const TTitleGet& base = derived;
    EXPECT_EQ(base.GetSongTitle("Rain - Sun, Band", "-", 1, 0, 0), "Rain - Sun");
    EXPECT_EQ(base.GetSongTitle("Rain - Sun, Band", "-", 2, 0, 0), "Band");
}

TEST(FindDelimiter, PositionsAreOneBasedAndLimited) {
    const TTitleGet& get = TitleGet();
    EXPECT_EQ(get.FindDelimiter("-", "a-b"), 2);
    EXPECT_EQ(get.FindDelimiter("-<>", "ab<c-"), 3);
    EXPECT_EQ(get.FindDelimiter("-", "abc"), 0);
    EXPECT_EQ(get.FindDelimiter("", "a-b"), 0);
    EXPECT_EQ(get.FindDelimiter("-", ""), 0);
    EXPECT_EQ(get.FindDelimiter("-", std::string(98, 'x') + "-"), 99);
    EXPECT_EQ(get.FindDelimiter("-", std::string(99, 'x') + "-"), 0);
}

}  // namespace
}  // namespace vesk
