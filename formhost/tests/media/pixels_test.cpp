// The in-memory pixel work behind every scaled picture and animation frame.
#include "formhost/core/media/pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

namespace px = formhost::media::pixels;

TEST(Pixels, ResamplingKeepsAFlatAreaExactlyAtAnyScale) {
    for (const px::Pixel colour : {0xFF3366CCu, 0x80402010u, 0x00000000u, 0xFFFFFFFFu}) {
        const std::vector<px::Pixel> source(7 * 5, colour);
        for (const auto& [w, h] : {std::pair{1, 1}, {3, 2}, {7, 5}, {20, 13}, {101, 3}}) {
            std::vector<px::Pixel> out(static_cast<std::size_t>(w) * h);
            px::resample(source.data(), 7, 5, out.data(), w, h);
            for (const px::Pixel p : out) ASSERT_EQ(p, colour) << std::hex << colour << " at " << w << "x" << h;
        }
    }
}

TEST(Pixels, ShrinkingAveragesInsteadOfDroppingRowsAndColumns) {
    // A one-pixel checkerboard shrunk to a third is an even grey, where
    // keeping every third pixel would give black or white.
    std::vector<px::Pixel> board(60 * 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) board[y * 60 + x] = (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u;
    std::vector<px::Pixel> out(20 * 20);
    px::resample(board.data(), 60, 60, out.data(), 20, 20);
    for (const px::Pixel p : out) {
        const int grey = static_cast<int>(p & 0xFF);
        ASSERT_NEAR(grey, 128, 20) << std::hex << p;
        ASSERT_EQ(p >> 24, 0xFFu);
    }
}

}  // namespace
