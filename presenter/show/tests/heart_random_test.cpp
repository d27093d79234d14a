#include <gtest/gtest.h>

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
