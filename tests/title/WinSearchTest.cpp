#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeWindowSystem.h"
#include "title/untWinSearch.h"

namespace vesk {
namespace {

using test::FakeWindow;
using test::FakeWindowSystem;

TEST(EnumSearchWindows, VisibleUnownedOnesOrAllFrontToBackAndNoMoreThanTheStorage) {
    struct Row {
        std::size_t windows;
        bool hideEverySecond;  // from the second window on
        bool ownEveryThird;    // from the third window on
        bool all;
        std::size_t listed;
        std::size_t lastListed;  // handle
        int visits;
    };
    const Row rows[] = {
        {6, true, false, false, 3, 5, 6},
        {6, false, true, false, 4, 5, 6},
        {6, true, true, false, 2, 5, 6},
        {6, true, true, true, 6, 6, 6},
        // Full storage stops the enumeration: the first 1000 listed, no further window asked.
        {999, false, false, false, 999, 999, 999},
        {1005, false, false, false, 1000, 1000, 1000},
        {1005, false, false, true, 1000, 1000, 1000},
        {2010, true, false, false, 1000, 1999, 1999},
    };
    for (const Row& row : rows) {
        FakeWindowSystem desktop;
        for (std::size_t i = 1; i <= row.windows; ++i) {
            FakeWindow& window = desktop.windows.emplace_back("C", "");
            window.visible = !(row.hideEverySecond && i % 2 == 0);
            window.owner =
                row.ownEveryThird && i % 3 == 0 ? static_cast<WindowHandle>(1) : kNoWindow;
        }
        const ScopedWindowSystem scope(desktop);
        const std::vector<WindowHandle> listed = EnumSearchWindows(row.all);
        const std::string context = std::to_string(row.windows) + (row.all ? " all" : "");
        ASSERT_EQ(listed.size(), row.listed) << context;
        EXPECT_EQ(listed.front(), static_cast<WindowHandle>(1)) << context;
        EXPECT_EQ(listed.back(), static_cast<WindowHandle>(row.lastListed)) << context;
        EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end())) << context;
        EXPECT_EQ(desktop.visits, row.visits) << context;
    }
}

// The rows it made, as the list holds them: the caption first, then the sub-items.
class RecordedRows final : public ListRowSink {
public:
    std::vector<std::vector<std::string>> rows;
    bool refuse = false;

    void Clear() override { rows.clear(); }
    int AddRow(const std::string& caption) override {
        if (refuse) {
            return -1;
        }
        rows.push_back({caption});
        return static_cast<int>(rows.size()) - 1;
    }
    void SetSubItem(int row, int subItem, const std::string& text) override {
        auto& cells = rows.at(static_cast<std::size_t>(row));
        ASSERT_EQ(static_cast<std::size_t>(subItem), cells.size()) << "in order";
        cells.push_back(text);
    }
};

TEST(AddListRow, OneSubItemPerLineOfTheText) {
    const struct {
        std::string text;
        std::vector<std::string> cells;
    } rows[] = {
        {"Lilith\r\nSong - Band", {"7", "Lilith", "Song - Band"}},
        {"Lilith\r\n", {"7", "Lilith"}},  // no caption: the cell stays empty
        {"Lilith\r\nOne\nTwo\rThree", {"7", "Lilith", "One", "Two", "Three"}},
        {"Lilith\r\nOne\r\n\r\nTwo\r\n", {"7", "Lilith", "One", "", "Two"}},
        {"\r\nCaption", {"7", "", "Caption"}},
        {"", {"7"}},
    };
    for (const auto& row : rows) {
        RecordedRows list;
        AddListRow(list, "7", row.text);
        ASSERT_EQ(list.rows.size(), 1u);
        EXPECT_EQ(list.rows[0], row.cells) << row.text;
    }
    RecordedRows refusing;
    refusing.refuse = true;
    AddListRow(refusing, "7", "Lilith\r\nCaption");  // no sub-items for a row not made
    EXPECT_TRUE(refusing.rows.empty());
}

}  // namespace
}  // namespace vesk
