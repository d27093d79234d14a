#include "formhost/core/drawing_units.h"

#include <gtest/gtest.h>

#include <limits>

namespace formhost {
namespace {

TEST(DrawingUnits, EachUnitScalesByItsShareOfAnInch) {
    // At 96 pixels an inch: an inch of each unit is 96 pixels.
    EXPECT_EQ(units_to_pixels(254, 1, 96), 96);   // 0.1 mm
    EXPECT_EQ(units_to_pixels(2540, 2, 96), 96);  // 0.01 mm
    EXPECT_EQ(units_to_pixels(100, 3, 96), 96);   // 0.01 inch
    EXPECT_EQ(units_to_pixels(1000, 4, 96), 96);  // 0.001 inch
    EXPECT_EQ(units_to_pixels(1440, 5, 96), 96);  // twips
    EXPECT_EQ(units_to_pixels(1440, 5, 120), 120);
}

TEST(DrawingUnits, PixelsAndUnknownUnitsStayAsGiven) {
    EXPECT_EQ(units_to_pixels(-49, 0, 96), -49);
    EXPECT_EQ(units_to_pixels(300, 6, 96), 300);
    EXPECT_EQ(units_to_pixels(300, 0xFFFFFFFF, 96), 300);
    EXPECT_EQ(units_to_pixels(300, 3, 0), 300);  // a device that reports no density
}

TEST(DrawingUnits, FractionsTruncateTowardZeroAndLargeValuesStayInRange) {
    EXPECT_EQ(units_to_pixels(15, 5, 96), 1);  // 15 twips: exactly one pixel
    EXPECT_EQ(units_to_pixels(14, 5, 96), 0);
    EXPECT_EQ(units_to_pixels(-14, 5, 96), 0);
    EXPECT_EQ(units_to_pixels(-16, 5, 96), -1);
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(units_to_pixels(big, 1, 2540), big);  // ten times the value, kept at the top
    EXPECT_EQ(units_to_pixels(-big - 1, 1, 2540), -big - 1);
}

}  // namespace
}  // namespace formhost
