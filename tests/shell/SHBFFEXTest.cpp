#include "shell/SHBFFEX.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(FolderBrowse, CentredOnTheWorkAreaFromTheScreensOrigin) {
    struct Row {
        int workWidth, workHeight, windowWidth, windowHeight;
        ScreenPoint at;
    };
    const Row rows[] = {
        // 1280 x 1024 with the task bar at the bottom or at the top: the work area is
        // 1280 x 994 either way, and so is the place.
        {1280, 994, 300, 350, {490, 214}}, {1280, 1024, 300, 350, {490, 224}},
        {1281, 995, 300, 350, {490, 215}},  // both divisions truncate
        {200, 100, 301, 350, {-50, -83}},   // toward zero, also below it
        {1280, 994, 1280, 994, {0, 0}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(
            CenterScreenPosition(row.workWidth, row.workHeight, row.windowWidth, row.windowHeight),
            row.at)
            << row.workWidth << "x" << row.workHeight << " " << row.windowWidth << "x"
            << row.windowHeight;
    }
}

TEST(FolderBrowse, OptionsGiveTheirFlagsInOrder) {
    struct Row {
        TSHBrowseOptions options;
        BrowseFlags flags;
    };
    const Row rows[] = {
        {{}, {0, false}},
        {{sboReturnOnlyFSDirs}, {0x1, false}},
        {{sboDontGoBelowDomain, sboReturnFSAncestors}, {0xA, false}},
        {{sboStatusText}, {0x4, false}},
        {{sboStatusTextAndShowPath}, {0x4, true}},
        {{sboReturnOnlyFSDirs, sboStatusTextAndShowPath, sboStatusText}, {0x5, true}},
        {{sboDontGoBelowDomain, sboReturnFSAncestors, sboReturnOnlyFSDirs, sboStatusText},
         {0xF, false}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(BrowseFlagsOf(row.options), row.flags)
            << row.flags.flags << " " << row.flags.showPath;
    }
}

TEST(FolderBrowse, ChoicesStandForTheirSpecialFolders) {
    const int expected[] = {0, 0, 17, 16, 6, 2, 8, 9, 11, 7, 21};
    for (int position = rfDesktop; position <= rfTemplates; ++position) {
        EXPECT_EQ(SpecialFolderOf(position), expected[position]) << position;
    }
    EXPECT_EQ(sfTemplates, static_cast<int>(rfTemplates));  // the same positions
    EXPECT_EQ(SpecialFolderOf(-1), 0);
    EXPECT_EQ(SpecialFolderOf(11), 0);
}

}  // namespace
}  // namespace vesk
