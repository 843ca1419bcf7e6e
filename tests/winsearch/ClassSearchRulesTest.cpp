#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "title/FakeWindowSystem.h"
#include "winsearch/ClassSearchRules.h"

namespace vesk {
namespace {

using test::FakeWindowSystem;

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
        // A 64-bit handle whose upper bits are set (sign-extended) reads as in a 32-bit
        // program.
        EXPECT_EQ(HandleText(static_cast<WindowHandle>(~std::uintptr_t{0} - 1)), "-2");
    }
}

// Takes rows until the count is reached, then fails as a list that cannot grow would.
class LimitedRows final : public ListRowSink {
public:
    explicit LimitedRows(std::size_t limit) : limit_(limit) {}
    std::vector<std::vector<std::string>> rows{{"stale"}};

    void Clear() override { rows.clear(); }
    int AddRow(const std::string& caption) override {
        if (rows.size() == limit_) {
            throw std::runtime_error("full");
        }
        rows.push_back({caption});
        return static_cast<int>(rows.size()) - 1;
    }
    void SetSubItem(int row, int, const std::string& text) override {
        rows.at(static_cast<std::size_t>(row)).push_back(text);
    }

private:
    std::size_t limit_;
};

TEST(SearchWindows, RowsAnewAndAFailureKeepsTheRowsSoFar) {
    FakeWindowSystem desktop;
    desktop.windows = {
        {"Lilith", "Song - Band"}, {"Tool", "Hidden"}, {"Quiet", ""}, {"Two", "One\r\nTwo"}};
    desktop.windows[1].visible = false;
    const ScopedWindowSystem scope(desktop);
    using Rows = std::vector<std::vector<std::string>>;

    LimitedRows list(10);
    SearchWindows(list, false);
    EXPECT_EQ(list.rows,
              (Rows{{"1", "Lilith", "Song - Band"}, {"3", "Quiet"}, {"4", "Two", "One", "Two"}}));
    SearchWindows(list, true);
    EXPECT_EQ(list.rows.size(), 4u);

    LimitedRows full(2);
    EXPECT_NO_THROW(SearchWindows(full, true));
    EXPECT_EQ(full.rows, (Rows{{"1", "Lilith", "Song - Band"}, {"2", "Tool", "Hidden"}}));
}

}  // namespace
}  // namespace vesk
