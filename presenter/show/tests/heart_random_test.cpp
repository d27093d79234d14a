#include <gtest/gtest.h>

#include <vector>

#include "presenter/show/heart_layout.h"
#include "presenter/show/show_random.h"

namespace presenter {
namespace {

TEST(HeartLayout, ScalesForCommonScreens) {
    struct Case {
        int w, h, sx, sy;
    };
    for (const Case& c : {Case{1920, 1080, 42, 29}, Case{1366, 768, 29, 20}, Case{1280, 1024, 27, 27},
                          Case{1024, 768, 21, 20}, Case{800, 600, 16, 15}, Case{140, 119, 0, 0}}) {
        const HeartLayout layout(c.w, c.h);
        EXPECT_EQ(layout.scale_x(), c.sx) << c.w << " x " << c.h;
        EXPECT_EQ(layout.scale_y(), c.sy) << c.w << " x " << c.h;
    }
}

TEST(HeartLayout, PathsParseWithTheShiftAndPlaceTheOutline) {
    const HeartLayout layout(1920, 1080);
    ASSERT_EQ(layout.small().size(), 66u);
    ASSERT_EQ(layout.big().size(), 108u);
    EXPECT_EQ(layout.big().front(), (Point{22, 6}));
    EXPECT_EQ(layout.big()[24], (Point{44, 9}));
    EXPECT_EQ(layout.small().front(), (Point{13, 7}));
    EXPECT_EQ(layout.big_point(1), (Point{924, 174}));
    EXPECT_EQ(layout.big_point(25), (Point{1848, 261}));
    EXPECT_EQ(layout.big_point(55), (Point{924, 1015}));
    EXPECT_EQ(layout.small_point(66), (Point{22 * 42, 28 * 29}));
}

// Every grid point, written out here after the shift by 2 rather than taken
// from the path texts: a digit wrong in a path shows at its point.
const std::vector<Point> kSmallHeart{{13, 7},  {14, 7},  {15, 7},  {16, 7},  {28, 7},  {29, 7},  {30, 7},  {31, 7},
                                     {11, 8},  {12, 8},  {17, 8},  {27, 8},  {32, 8},  {33, 8},  {11, 9},  {18, 9},
                                     {19, 9},  {25, 9},  {26, 9},  {33, 9},  {10, 10}, {20, 10}, {24, 10}, {34, 10},
                                     {9, 11},  {21, 11}, {23, 11}, {35, 11}, {9, 12},  {22, 12}, {35, 12}, {9, 13},
                                     {35, 13}, {9, 14},  {35, 14}, {9, 15},  {35, 15}, {10, 16}, {34, 16}, {10, 17},
                                     {34, 17}, {11, 18}, {33, 18}, {11, 19}, {33, 19}, {12, 20}, {32, 20}, {13, 21},
                                     {31, 21}, {14, 22}, {30, 22}, {15, 23}, {29, 23}, {16, 24}, {17, 24}, {27, 24},
                                     {28, 24}, {18, 25}, {26, 25}, {19, 26}, {20, 26}, {24, 26}, {25, 26}, {21, 27},
                                     {23, 27}, {22, 28}};
const std::vector<Point> kBigHeart{
    {22, 6},  {23, 5},  {24, 4},  {25, 3},  {26, 2},  {27, 2},  {28, 1},  {29, 1},  {30, 0},  {31, 0},  {32, 0},
    {33, 0},  {34, 0},  {35, 0},  {36, 0},  {37, 1},  {38, 1},  {39, 2},  {40, 3},  {41, 4},  {42, 5},  {42, 6},
    {43, 7},  {43, 8},  {44, 9},  {44, 10}, {44, 11}, {44, 12}, {44, 13}, {44, 14}, {43, 15}, {43, 16}, {43, 17},
    {42, 18}, {42, 19}, {41, 20}, {40, 21}, {39, 22}, {38, 23}, {37, 24}, {36, 25}, {35, 26}, {34, 27}, {33, 28},
    {32, 29}, {30, 30}, {31, 30}, {28, 31}, {29, 31}, {27, 32}, {25, 33}, {26, 33}, {23, 34}, {24, 34}, {22, 35},
    {21, 34}, {20, 34}, {19, 33}, {18, 33}, {17, 32}, {16, 31}, {15, 31}, {14, 30}, {13, 30}, {12, 29}, {11, 28},
    {10, 27}, {9, 26},  {8, 25},  {7, 24},  {6, 23},  {5, 22},  {4, 21},  {3, 20},  {2, 19},  {2, 18},  {1, 17},
    {1, 16},  {1, 15},  {0, 14},  {0, 13},  {0, 12},  {0, 11},  {0, 10},  {0, 9},   {1, 8},   {1, 7},   {2, 6},
    {2, 5},   {3, 4},   {4, 3},   {5, 2},   {6, 1},   {7, 1},   {8, 0},   {9, 0},   {10, 0},  {11, 0},  {12, 0},
    {13, 0},  {14, 0},  {15, 1},  {16, 1},  {17, 2},  {18, 2},  {19, 3},  {20, 4},  {21, 5}};

TEST(HeartLayout, EveryPointOfBothHeartsLiesWhereItsPathPutsIt) {
    const HeartLayout layout(1920, 1080);
    EXPECT_EQ(layout.small(), kSmallHeart);
    EXPECT_EQ(layout.big(), kBigHeart);
    for (int k = 1; k <= 66; ++k)
        EXPECT_EQ(layout.small_point(k), (Point{kSmallHeart[k - 1].x * 42, kSmallHeart[k - 1].y * 29})) << k;
    for (int i = 1; i <= 108; ++i)
        EXPECT_EQ(layout.big_point(i), (Point{kBigHeart[i - 1].x * 42, kBigHeart[i - 1].y * 29})) << i;
}

TEST(ShowRandom, ReseedsFromTheClockAndTheCounter) {
    ShowRandom random([] { return 1000u; });
    // s = 1000, then the counter is 1000 AND 255 plus 100 = 332.
    EXPECT_EQ(random.draw(0, 32767), 3304);  // bits 16 to 30 of 1000 * 214013 + 2531011
    EXPECT_EQ(random.seed_counter(), 332u);
    // s = 1332 in the same millisecond.
    EXPECT_EQ(random.draw(1, 66), 1 + 4388 % 66);
    EXPECT_EQ(random.seed_counter(), 332u + ((1332u & 0xFF) + 100));
}

TEST(ShowRandom, BoundsAreOrderedAndNeverNegative) {
    std::uint32_t t = 0;
    ShowRandom random([&] { return t += 7; });
    for (int n = 0; n < 2000; ++n) {
        const int k = random.draw(1, 66);
        ASSERT_TRUE(k >= 1 && k <= 66) << k;
        const int swapped = random.draw(66, 1);
        ASSERT_TRUE(swapped >= 1 && swapped <= 66) << swapped;
        const int clipped = random.draw(-5, 3);
        ASSERT_TRUE(clipped >= 0 && clipped <= 3) << clipped;
    }
    EXPECT_EQ(random.draw(-3, -9), 0);
    // Equal bounds give the bound and leave the generator at its seed.
    ShowRandom fixed([] { return 500u; });
    EXPECT_EQ(fixed.draw(7, 7), 7);
    EXPECT_EQ(fixed.state(), 500u);
    EXPECT_EQ(fixed.seed_counter(), (500u & 0xFF) + 100);
}

TEST(ShowRandom, TheWidestRangeStaysInBounds) {
    ShowRandom random([] { return 123456u; });
    const int r = random.draw(0, 0x7FFFFFFF);
    EXPECT_GE(r, 0);
    EXPECT_LE(r, 0x7FFF);
}

}  // namespace
}  // namespace presenter
