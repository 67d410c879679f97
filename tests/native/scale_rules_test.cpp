// A size at a DPI, and which stored picture a picture at a DPI is made from.
#include <gtest/gtest.h>

#include "core/scale_rules.h"

namespace {

TEST(ScaleToDpi, RoundsToTheNearestPixelHalvesUp)
{
    struct Row { int size, dpi, scaled; };
    const Row rows[] = {
        { 100, 96, 100 }, { 62, 120, 78 }, { 46, 120, 58 }, { 62, 144, 93 }, { 46, 144, 69 },
        { 62, 168, 109 }, { 46, 168, 81 }, { 150, 192, 300 }, { 62, 336, 217 }, { 46, 336, 161 },
        { 1, 144, 2 }, { 0, 192, 0 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.scaled, ScaleToDpi(row.size, row.dpi)) << row.size << " at " << row.dpi;
}

// The smallest stored scale at or above the DPI; above the largest, the largest.
TEST(PickPictureScale, TakesTheNearestStoredScaleAtOrAbove)
{
    struct Row { int dpi, percent; };
    const Row rows[] = {
        { 72, 100 }, { 96, 100 }, { 97, 200 }, { 120, 200 }, { 144, 200 }, { 168, 200 },
        { 192, 200 }, { 193, 350 }, { 216, 350 }, { 288, 350 }, { 336, 350 }, { 480, 350 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.percent, PickPictureScale(row.dpi)) << row.dpi;
    EXPECT_EQ(192, DpiOfScale(200));
    EXPECT_EQ(336, DpiOfScale(350));
}

}  // namespace

// The layout's growth, from base units against 6 x 13: the smaller way, rounded
// down (Wine's raster sizes: 6x13 at 96 DPI, 8x16 at 120, 9x20 from 144 to 240,
// 19x40 at 288 and 336); nothing measured, as made.
TEST(LayoutDpi, GrowsAsTheBaseUnitsTheSmallerWay)
{
    struct Row { int x, y, dpi; };
    const Row rows[] = {
        { 6, 13, 96 }, { 8, 16, 118 }, { 9, 20, 144 }, { 19, 40, 295 }, { 7, 13, 96 },
        { 6, 26, 96 }, { 12, 26, 192 }, { 0, 13, 96 }, { 6, 0, 96 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.dpi, LayoutDpi(row.x, row.y)) << row.x << "x" << row.y;
}
