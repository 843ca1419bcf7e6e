#include "shell/SHBFFEX.h"

#include <gtest/gtest.h>

#include <string>

#include "TestText.h"

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

TEST(FolderBrowse, AChosenFolderIsUsedOnlyAsItselfAndWithinMaxPath) {
    using test::Ansi;
    const std::u16string deep = u"C:\\" + std::u16string(128, u'歌');  // 259 bytes
    std::string deepAnsi = "C:\\";
    for (int i = 0; i < 128; ++i) {
        deepAnsi += Ansi("歌");
    }
    struct Row {
        const char* what;
        std::u16string path;
        FolderChoice choice;
    };
    const Row rows[] = {
        {"in the code page", u"C:\\歌詞\\夏ｿ", {Ansi("C:\\歌詞\\夏ｿ"), FolderRefusal::kNone}},
        {"no file-system path", u"", {"", FolderRefusal::kNone}},
        {"hangul", u"C:\\音楽\\한", {"", FolderRefusal::kNotInCodePage}},
        {"beyond the basic plane", u"C:\\😀", {"", FolderRefusal::kNotInCodePage}},
        {"only a best fit", u"C:\\café", {"", FolderRefusal::kNotInCodePage}},
        {"a lone surrogate", u"C:\\\xD800", {"", FolderRefusal::kNotInCodePage}},
        {"MAX_PATH with its NUL",
         u"C:\\" + std::u16string(256, u'a'),
         {"C:\\" + std::string(256, 'a'), FolderRefusal::kNone}},
        {"one byte more", u"C:\\" + std::u16string(257, u'a'), {"", FolderRefusal::kTooLong}},
        {"bytes count, not characters", deep, {deepAnsi, FolderRefusal::kNone}},
        {"a double-byte character more", deep + u'歌', {"", FolderRefusal::kTooLong}},
        {"both: the code page is told", deep + u"한", {"", FolderRefusal::kNotInCodePage}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FolderChoiceOf(row.path), row.choice) << row.what;
    }
    EXPECT_EQ(RefusalMessage(FolderRefusal::kNone), "");
    EXPECT_NE(RefusalMessage(FolderRefusal::kNotInCodePage), "");
    EXPECT_NE(RefusalMessage(FolderRefusal::kTooLong), "");
    EXPECT_NE(RefusalMessage(FolderRefusal::kNotInCodePage),
              RefusalMessage(FolderRefusal::kTooLong));
}

}  // namespace
}  // namespace vesk
