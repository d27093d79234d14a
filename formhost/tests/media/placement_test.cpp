#include "formhost/core/media/placement.h"

#include <gtest/gtest.h>

namespace formhost::media {
namespace {

TEST(Placement, PictureBoxModes) {
    const Size picture{40, 30}, client{100, 80};
    EXPECT_EQ(place_in_box(picture, client, BoxMode::natural), (Rect{0, 0, 40, 30}));
    EXPECT_EQ(place_in_box(picture, client, BoxMode::stretch), (Rect{0, 0, 100, 80}));
    EXPECT_EQ(place_in_box(picture, client, BoxMode::centre), (Rect{30, 25, 40, 30}));
    EXPECT_EQ(place_in_box({41, 31}, client, BoxMode::centre), (Rect{29, 24, 41, 31}));  // centring rounds down
    // Natural size does not depend on the client area, even when it overflows it.
    EXPECT_EQ(place_in_box({400, 300}, client, BoxMode::natural), (Rect{0, 0, 400, 300}));
    EXPECT_EQ(place_in_box(picture, client, static_cast<BoxMode>(7)), (Rect{0, 0, 40, 30}));
}

TEST(Placement, CentreShrinksByTheSmallerRatio) {
    // Too wide: 100/200 < 80/50, so the width fills and the height follows.
    EXPECT_EQ(place_in_box({200, 50}, {100, 80}, BoxMode::centre), (Rect{0, 27, 100, 25}));
    // Too tall only: 80/160 < 100/60.
    EXPECT_EQ(place_in_box({60, 160}, {100, 80}, BoxMode::centre), (Rect{35, 0, 30, 80}));
    // Too big both ways, height the tighter: 100/300 > 80/400.
    EXPECT_EQ(place_in_box({300, 400}, {100, 80}, BoxMode::centre), (Rect{20, 0, 60, 80}));
    // Rounded down, but never to nothing.
    EXPECT_EQ(place_in_box({1000, 3}, {100, 80}, BoxMode::centre), (Rect{0, 39, 100, 1}));
    // Exactly the area's size is not scaled.
    EXPECT_EQ(place_in_box({100, 80}, {100, 80}, BoxMode::centre), (Rect{0, 0, 100, 80}));
    // Large sizes do not overflow the ratio comparison.
    EXPECT_EQ(place_in_box({2000000000, 2000000000}, {1000000000, 2}, BoxMode::centre), (Rect{499999999, 0, 2, 2}));
}

TEST(Placement, BackgroundModes) {
    const Size picture{40, 30}, client{100, 80};
    auto p = place_background(picture, client, BackgroundMode::natural);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->first, (Rect{0, 0, 40, 30}));
    EXPECT_EQ(p->count(), 1);
    EXPECT_EQ(place_background(picture, client, BackgroundMode::stretch)->first, (Rect{0, 0, 100, 80}));
    EXPECT_EQ(place_background({300, 400}, client, BackgroundMode::centre)->first, (Rect{20, 0, 60, 80}));
    EXPECT_EQ(place_background(picture, client, BackgroundMode::centre)->count(), 1);
}

TEST(Placement, TilesStartInsideTheClientArea) {
    auto p = place_background({40, 30}, {100, 80}, BackgroundMode::tile);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->columns, 3);  // at 0, 40, 80
    EXPECT_EQ(p->rows, 3);     // at 0, 30, 60
    EXPECT_EQ(p->at(2, 1), (Rect{80, 30, 40, 30}));

    p = place_background({50, 40}, {100, 80}, BackgroundMode::tile);  // exact fit: no copy starting at the edge
    EXPECT_EQ(p->columns, 2);
    EXPECT_EQ(p->rows, 2);

    p = place_background({1, 1}, {3840, 2160}, BackgroundMode::tile);
    EXPECT_EQ(p->count(), 3840 * 2160);
    EXPECT_EQ(p->at(3839, 2159), (Rect{3839, 2159, 1, 1}));

    p = place_background({500, 500}, {100, 80}, BackgroundMode::tile);
    EXPECT_EQ(p->count(), 1);
}

TEST(Placement, NothingForEmptyPicturesOrAreas) {
    for (int mode = 0; mode < 3; ++mode) {
        EXPECT_FALSE(place_in_box({0, 10}, {100, 80}, static_cast<BoxMode>(mode)));
        EXPECT_FALSE(place_in_box({10, 10}, {100, 0}, static_cast<BoxMode>(mode)));
        EXPECT_FALSE(place_in_box({-5, 10}, {100, 80}, static_cast<BoxMode>(mode)));
    }
    for (int mode = 0; mode < 4; ++mode) {
        EXPECT_FALSE(place_background({10, 0}, {100, 80}, static_cast<BackgroundMode>(mode)));
        EXPECT_FALSE(place_background({10, 10}, {0, 80}, static_cast<BackgroundMode>(mode)));
    }
}

}  // namespace
}  // namespace formhost::media
