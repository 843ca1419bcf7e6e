#include "common/DpiScale.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(DpiScale, SizesAt96DpiScaleToTheNearestPixelWithHalvesAwayFromZero) {
    struct Row {
        int dpi;
        int pixels;
        int scaled;    // pixels as a size at 96 DPI
        int unscaled;  // pixels as the window's
    };
    const Row rows[] = {
        {96, 75, 75, 75},   {120, 75, 94, 60},     // 93.75; 60
        {144, 75, 113, 50}, {144, 25, 38, 17},     // 112.5 and 37.5 up; 16.67
        {144, -3, -5, -2},  {144, 601, 902, 401},  // -4.5 away from zero; 400.67
        {192, 8, 16, 4},    {144, 0, 0, 0},
        {0, 75, 75, 75},    {-144, 75, 75, 75},  // no DPI known: 96
    };
    for (const Row& row : rows) {
        const DpiScale scale(row.dpi);
        EXPECT_EQ(scale(row.pixels), row.scaled) << row.dpi << " " << row.pixels;
        EXPECT_EQ(scale.Unscaled(row.pixels), row.unscaled) << row.dpi << " " << row.pixels;
        // From another DPI: at 96 it is the size at 96, from its own DPI it stays.
        EXPECT_EQ(scale.From(DpiScale(kBaseDpi), row.pixels), row.scaled) << row.dpi;
        EXPECT_EQ(DpiScale(kBaseDpi).From(scale, row.pixels), row.unscaled) << row.dpi;
        EXPECT_EQ(scale.From(scale, row.pixels), row.pixels) << row.dpi;
    }
    EXPECT_EQ(DpiScale(144).From(DpiScale(120), 75), 90);
    EXPECT_EQ(DpiScale(120).From(DpiScale(144), 113), 94);  // 94.17
}

}  // namespace
}  // namespace vesk
