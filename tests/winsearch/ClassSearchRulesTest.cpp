#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "title/FakeWindowSystem.h"
#include "winsearch/ClassSearchRules.h"

namespace vesk {
namespace {

using Rows = std::vector<std::vector<std::string>>;  // the caption, then the sub-items

TEST(HandleText, LowThirtyTwoBitsAsASignedDecimal) {
    const struct {
        std::uintptr_t handle;
        std::string text;
    } rows[] = {
        {0, "0"},
        {0x10042, "65602"},
        {0x7FFFFFFF, "2147483647"},
        {0x80000000, "-2147483648"},
        {0xFFFFFFFF, "-1"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HandleText(static_cast<WindowHandle>(row.handle)), row.text);
    }
    if constexpr (sizeof(std::uintptr_t) > 4) {
        // Sign-extended upper bits, as 64-bit Windows gives them: as in a 32-bit program.
        EXPECT_EQ(HandleText(static_cast<WindowHandle>(~std::uintptr_t{0} - 1)), "-2");
    }
}

// A list that takes rows up to its limit, then fails as one that cannot grow.
class RecordedRows final : public ListRowSink {
public:
    explicit RecordedRows(std::size_t limit) : limit_(limit) {}
    Rows rows{{"stale"}};

    void Clear() override { rows.clear(); }
    int AddRow(const std::string& caption) override {
        if (rows.size() == limit_) {
            throw std::runtime_error("full");
        }
        rows.push_back({caption});
        return static_cast<int>(rows.size()) - 1;
    }
    void SetSubItem(int row, int subItem, const std::string& text) override {
        auto& cells = rows.at(static_cast<std::size_t>(row));
        ASSERT_EQ(static_cast<std::size_t>(subItem), cells.size()) << "in order";
        cells.push_back(text);
    }

private:
    std::size_t limit_;
};

// One row per window: the class name, then one sub-item per line of the caption (AddListRow).
// Hidden and owned windows only when all are asked for.
TEST(SearchWindows, RowsAnewOnePerWindowAndAFailureKeepsTheRowsSoFar) {
    test::FakeWindowSystem desktop;
    desktop.windows = {{"Lilith", "Song - Band"},
                       {"Hidden", "H"},
                       {"Quiet", ""},  // no caption: its cell stays empty
                       {"Lines", "One\r\nTwo\nThree\rFour\r\n\r\nSix\r\n"},
                       {"Owned", "O", static_cast<WindowHandle>(1)}};
    desktop.windows[1].visible = false;
    const ScopedWindowSystem scope(desktop);

    RecordedRows list(10);
    SearchWindows(list, false);
    EXPECT_EQ(list.rows, (Rows{{"1", "Lilith", "Song - Band"},
                               {"3", "Quiet"},
                               {"4", "Lines", "One", "Two", "Three", "Four", "", "Six"}}));
    SearchWindows(list, true);
    EXPECT_EQ(list.rows.size(), 5u);

    RecordedRows full(2);
    EXPECT_NO_THROW(SearchWindows(full, true));
    EXPECT_EQ(full.rows, (Rows{{"1", "Lilith", "Song - Band"}, {"2", "Hidden", "H"}}));
}

// The storage of one search: the first 1000 windows of those asked for, and the
// enumeration asks for no further window.
TEST(SearchWindows, ListsTheFirstThousand) {
    test::FakeWindowSystem desktop;
    for (int i = 0; i < 2010; ++i) {
        desktop.windows.emplace_back("C", "").visible = i % 2 == 0;  // handles 1, 3, ...
    }
    const ScopedWindowSystem scope(desktop);
    RecordedRows list(2000);
    SearchWindows(list, false);
    ASSERT_EQ(list.rows.size(), 1000u);
    EXPECT_EQ(list.rows.back()[0], "1999");
    EXPECT_EQ(desktop.visits, 1999);
    SearchWindows(list, true);
    ASSERT_EQ(list.rows.size(), 1000u);
    EXPECT_EQ(desktop.visits, 1999 + 1000);
}

}  // namespace
}  // namespace vesk
