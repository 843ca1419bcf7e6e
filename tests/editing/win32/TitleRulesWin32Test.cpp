// Repeated titles and the title a dropped file finds, as the editor works them out, against
// the rules that compare every pair with the system's CompareStringA, on thousands of
// random titles that meet in every way code page 932 allows.

#include <windows.h>

#include <gtest/gtest.h>

#include "RandomTitles.h"
#include "editing/LyricsRows.h"
#include "editing/TitleIndex.h"

namespace vesk {
namespace {

bool CompareStringEqual(const std::string& a, const std::string& b, DWORD flags) {
    return CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

TEST(TitleRulesWin32, RepeatedTitlesAreThoseOfCompareStringAOnEveryPair) {
    ASSERT_EQ(GetACP(), 932u);
    const std::vector<std::string> titles = test::RandomTitles(2500, 11);
    LyricsRows rows;
    for (const std::string& title : titles) {
        rows.AppendRow({title, "", "0", "0"});
    }
    rows.RemoveRepeatedTitles();
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < rows.RowCount(); ++i) {
        kept.push_back(rows[i].title);
    }
    const std::vector<std::string> expected = test::WithoutRepeatedTitlesPairwise(
        titles,
        [](const std::string& a, const std::string& b) { return CompareStringEqual(a, b, 0); });
    EXPECT_EQ(kept, expected);
    EXPECT_LT(expected.size(), titles.size() * 3 / 4);
}

TEST(TitleRulesWin32, ADroppedFileFindsTheFirstTitleCompareStringAFindsWithoutCase) {
    const std::vector<std::string> titles = test::RandomTitles(1500, 12);
    std::vector<ListViewRow> rows;
    for (const std::string& title : titles) {
        rows.push_back({title, "", "0", "0"});
    }
    TitleIndex index(rows, true, CurrentTextPlatform());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        index.FindOrAdd(i);
    }
    int found = 0;
    for (const std::string& wanted : test::RandomTitles(400, 13)) {
        std::optional<std::size_t> first;
        for (std::size_t i = 0; i < titles.size() && !first; ++i) {
            if (CompareStringEqual(titles[i], wanted, NORM_IGNORECASE)) {
                first = i;
            }
        }
        EXPECT_EQ(index.Find(wanted), first) << wanted;
        found += first.has_value();
    }
    EXPECT_GT(found, 200);
}

}  // namespace
}  // namespace vesk
