#include "formhost/core/media/key_shape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace formhost::media {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kRose = 0xC01030;

// Rows drawn from strings: '.' the key colour, anything else shown.
std::vector<std::uint32_t> image(const std::vector<const char*>& rows) {
    std::vector<std::uint32_t> pixels;
    for (const char* row : rows)
        for (const char* c = row; *c; ++c) pixels.push_back(*c == '.' ? 0xFF000000u | kWhite : kRose);
    return pixels;
}

TEST(KeyShape, EveryRunOfShownPixelsIsARectangleAndEqualRowsShareTheirs) {
    const auto pixels = image({
        "..##..##",  // two runs
        "..##..##",  // the same: no more rectangles
        "#......#",  // two runs, at the edges
        "........",  // none
        "########",  // one
    });
    KeyShape shape(5);
    shape.count_rows(pixels.data(), 8, 0, 5, kWhite);
    EXPECT_EQ(shape.rectangles(), 5u);
}

TEST(KeyShape, RowsCountedAgainReplaceWhatTheyHeld) {
    auto pixels = image({"#.#.#.#.", "........"});
    KeyShape shape(2);
    shape.count_rows(pixels.data(), 8, 0, 2, kWhite);
    EXPECT_EQ(shape.rectangles(), 4u);
    pixels.assign(16, kWhite);                                       // a wipe
    shape.count_rows(pixels.data(), 8, 0, 1, 0xFF000000u | kWhite);  // the key's top byte does not count
    EXPECT_EQ(shape.rectangles(), 0u);
    shape.count_rows(pixels.data(), 8, -5, 50, kWhite);  // rows outside are left out
    EXPECT_EQ(shape.rectangles(), 0u);
}

// What a show of roses at 2560 x 1440 got to before Wine's X connection
// failed: rows that all differ, twenty runs each.
TEST(KeyShape, ABusyStageGoesPastWhatOneShapeRequestCarries) {
    const int width = 2560, height = 1440;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, kWhite);
    for (int y = 0; y < height; ++y)
        for (int run = 0; run < 24; ++run)
            for (int x = run * 100 + y % 7; x < run * 100 + y % 7 + 30; ++x)
                pixels[static_cast<std::size_t>(y) * width + x] = kRose;
    KeyShape shape(height);
    shape.count_rows(pixels.data(), width, 0, height, kWhite);
    EXPECT_EQ(shape.rectangles(), 24u * 1440u);
    EXPECT_GT(shape.rectangles(), kMostShapeRectangles);
}

}  // namespace
}  // namespace formhost::media
