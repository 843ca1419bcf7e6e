#include "common/Font.h"

#include <gtest/gtest.h>

#include "TestText.h"

namespace vesk {
namespace {

TEST(Font, NewFontIsTheJapaneseDefault) {
    const Font font = NewFont();
    EXPECT_EQ(font.name, test::Ansi("ＭＳ Ｐゴシック"));
    EXPECT_EQ(font.size, 9);
    EXPECT_EQ(font.style, 0);
    EXPECT_EQ(font.color, 0x80000008u);
    EXPECT_EQ(font.charset, kDefaultCharset);
    EXPECT_EQ(font.pitch, FontPitch::Default);
}

TEST(Font, PointsAndPixelsConvertBothWays) {
    struct Row {
        std::int32_t points;
        int dpi;
        std::int32_t height;
    };
    const Row rows[] = {{9, 96, -12}, {8, 96, -11},  {12, 96, -16},    {9, 120, -15},
                        {1, 96, -1},  {72, 96, -96}, {1000, 96, -1333}};
    for (const Row& row : rows) {
        EXPECT_EQ(FontHeightOfSize(row.points, row.dpi), row.height) << row.points;
        EXPECT_EQ(FontSizeOfHeight(row.height, row.dpi), row.points) << row.points;
    }
}

}  // namespace
}  // namespace vesk
