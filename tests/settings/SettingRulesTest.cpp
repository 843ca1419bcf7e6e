#include "settings/SettingRules.h"

#include <gtest/gtest.h>

#include "TestText.h"
#include "common/Font.h"
#include "title/untTitleGet.h"

namespace vesk {
namespace {

using test::Ansi;

TEST(SettingRules, StyleTableBothWays) {
    struct Row {
        std::uint8_t stored;
        int item;
        std::uint8_t saved;
    };
    const Row rows[] = {
        {0, 0, 0},
        {kFontItalic, 1, kFontItalic},
        {kFontBold, 2, kFontBold},
        {kFontBold | kFontItalic, 3, kFontBold | kFontItalic},
        {kFontUnderline, 0, 0},  // underline is not shown and lost on the next save
        {kFontBold | kFontStrikeOut, 2, kFontBold},
        {kFontItalic | kFontUnderline | kFontStrikeOut, 1, kFontItalic},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(StyleItemOf(row.stored), row.item) << int{row.stored};
        EXPECT_EQ(FontStyleOfItem(StyleItemOf(row.stored)), row.saved) << int{row.stored};
    }
    EXPECT_EQ(FontStyleOfItem(-1), 0);  // nothing chosen
}

TEST(SettingRules, RadioGroupsShowStoredIndexes) {
    struct Row {
        std::int32_t stored;
        int items;
        int shown;
    };
    const Row rows[] = {
        {0, kAlignmentItemCount, 0},        {2, kAlignmentItemCount, 2},
        {7, kAlignmentItemCount, 2},  // above the last: the last
        {-1, kAlignmentItemCount, -1},      {INT32_MIN, kAlignmentItemCount, -1},
        {3, kPriorityItemCount, 3},         {4, kPriorityItemCount, 3},
        {INT32_MAX, kPriorityItemCount, 3},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RadioItemOf(row.stored, row.items), row.shown) << row.stored;
    }
}

TEST(SettingRules, PreviewShadowShowsByTheOffsetsAndHighlightByTheTick) {
    struct Row {
        std::int32_t right;
        std::int32_t down;
        bool tick;
        ShadowLayers layers;
    };
    const Row rows[] = {
        {0, 0, false, {0, 0, false, false}},
        {0, 0, true, {0, 0, false, true}},  // unlike the lyrics window: the tick alone counts
        {2, 0, false, {2, 0, true, false}},
        {0, -3, true, {0, -3, true, true}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PreviewShadowLayers(row.right, row.down, row.tick), row.layers)
            << row.right << "," << row.down << "," << row.tick;
    }
}

TEST(SettingRules, ChosenFolderEndsWithOneSeparator) {
    const std::string omote = Ansi("表");  // 95 5C: its second byte is a backslash
    ASSERT_EQ(omote.back(), '\\');
    struct Row {
        std::string chosen;
        std::string stored;
    };
    const Row rows[] = {
        {"C:\\Lyrics", "C:\\Lyrics\\"},          {"C:\\", "C:\\"},
        {"C:\\Lyrics\\", "C:\\Lyrics\\"},        {"\\\\server\\share", "\\\\server\\share\\"},
        {"C:\\" + omote, "C:\\" + omote + "\\"}, {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PasteFolderOf(row.chosen), row.stored) << test::Utf8(row.chosen);
    }
}

TEST(SettingRules, FontListHasDefaultAndEachFamilyOnceSorted) {
    const std::vector<std::string> list =
        FontListOf({"Tahoma", "Arial", Ansi("ＭＳ Ｐゴシック"), "arial black", "Arial",
                    Ansi("@ＭＳ ゴシック"), "courier", "Default"});
    const std::vector<std::string> expected = {"Arial",   "arial black", "courier",
                                               "Default", "Tahoma",      Ansi("ＭＳ Ｐゴシック")};
    EXPECT_EQ(list, expected);
}

TEST(SettingRules, WmpPresetCutsTheMediaNameOutOfTheBuiltCaption) {
    const WmpPreset preset = WmpPresetValues();
    EXPECT_EQ(preset.getClassName, "WMPlayerApp");
    EXPECT_EQ(preset.getTitle, "");
    EXPECT_EQ(preset.topCut, 0);
    EXPECT_EQ(preset.bottomCut, 23);
    EXPECT_EQ(preset.titlePos, 0);
    // With the title position the field makes of 0, and the default delimiters.
    const std::string caption = "Summer Rain - Windows Media Player";
    EXPECT_EQ(TitleGet().GetSongTitle(caption, "-<>", kTitlePosRange.minimum, preset.topCut,
                                      preset.bottomCut),
              "Summer Rain");
}

}  // namespace
}  // namespace vesk
