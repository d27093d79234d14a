#include "formhost/core/media/gif.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace formhost::media {
namespace {

using test::GifFrameSpec;
using test::GifSpec;

constexpr std::uint32_t R = opaque(255, 0, 0), G = opaque(0, 255, 0), B = opaque(0, 0, 255), W = opaque(255, 255, 255),
                        _ = 0;
const std::vector<std::uint32_t> kColours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

void expect_canvas(const GifFrame& frame, const std::vector<std::uint32_t>& expected) {
    ASSERT_EQ(frame.canvas.pixels.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(frame.canvas.pixels[i], expected[i]) << "pixel " << i % 4 << "," << i / 4;
}

// Four frames on a 4x4 screen:
//  1. red 2x2 at (0,0), kept;
//  2. green 3x3 at (1,1) whose index 0 is transparent at its top-left, then restored to background;
//  3. blue 2x1 at (2,0), then restored to the previous canvas;
//  4. white 1x1 at (3,3).
GifSpec disposal_gif() {
    return {.width = 4,
            .height = 4,
            .colours = kColours,
            .loop_count = 0,
            .frames = {
                {.left = 0, .top = 0, .width = 2, .height = 2, .indices = {1, 1, 1, 1}, .disposal = 1, .delay = 10},
                {.left = 1,
                 .top = 1,
                 .width = 3,
                 .height = 3,
                 .indices = {0, 2, 2, 2, 2, 2, 2, 2, 2},
                 .disposal = 2,
                 .transparent = 0,
                 .delay = 0},
                {.left = 2, .top = 0, .width = 2, .height = 1, .indices = {3, 3}, .disposal = 3, .delay = 25},
                {.left = 3, .top = 3, .width = 1, .height = 1, .indices = {4}, .delay = 5},
            }};
}

TEST(Gif, ComposesFramesThroughTransparencyAndDisposal) {
    const auto gif = decode_gif(test::encode_gif(disposal_gif()));
    ASSERT_TRUE(gif);
    EXPECT_TRUE(gif->complete);
    EXPECT_EQ(gif->width, 4);
    EXPECT_EQ(gif->height, 4);
    ASSERT_EQ(gif->frames.size(), 4u);

    expect_canvas(gif->frames[0], {R, R, _, _,  //
                                   R, R, _, _,  //
                                   _, _, _, _,  //
                                   _, _, _, _});
    expect_canvas(gif->frames[1], {R, R, _, _,  // the transparent pixel leaves red at (1,1)
                                   R, R, G, G,  //
                                   _, G, G, G,  //
                                   _, G, G, G});
    expect_canvas(gif->frames[2], {R, R, B, B,  // frame 2's area went back to transparent, red included
                                   R, _, _, _,  //
                                   _, _, _, _,  //
                                   _, _, _, _});
    expect_canvas(gif->frames[3], {R, R, _, _,  // frame 3 undone
                                   R, _, _, _,  //
                                   _, _, _, _,  //
                                   _, _, _, W});
}

TEST(Gif, DelaysAndLoopCount) {
    const auto gif = decode_gif(test::encode_gif(disposal_gif()));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->loop_count, 0);
    const int fields[] = {10, 0, 25, 5};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(gif->frames[i].delay_field, fields[i]);
        EXPECT_EQ(gif->frames[i].delay_ms, fields[i] * 10);
    }

    GifSpec still{.width = 1,
                  .height = 1,
                  .colours = kColours,
                  .frames = {{.width = 1, .height = 1, .indices = {2}, .control = false}}};
    auto one = decode_gif(test::encode_gif(still));
    ASSERT_TRUE(one);
    EXPECT_FALSE(one->loop_count);
    EXPECT_EQ(one->frames.at(0).delay_ms, 0);
    EXPECT_EQ(one->frames[0].canvas.at(0, 0), G);

    still.loop_count = 3;
    EXPECT_EQ(decode_gif(test::encode_gif(still))->loop_count, 3);
}

TEST(Gif, InterlacedRowsComeBackInOrder) {
    // Ten rows, each its own colour, so every pass's rows are told apart.
    std::vector<std::uint32_t> colours;
    std::vector<std::uint8_t> indices;
    for (std::uint32_t y = 0; y < 10; ++y) {
        colours.push_back(y * 0x110000 + 0x22);
        indices.push_back(static_cast<std::uint8_t>(y));
    }
    for (bool interlace : {false, true}) {
        SCOPED_TRACE(interlace ? "interlaced" : "progressive");
        const auto gif = decode_gif(
            test::encode_gif({.width = 1,
                              .height = 10,
                              .colours = colours,
                              .frames = {{.width = 1, .height = 10, .indices = indices, .interlace = interlace}}}));
        ASSERT_TRUE(gif);
        for (int y = 0; y < 10; ++y)
            EXPECT_EQ(gif->frames[0].canvas.at(0, y), opaque(static_cast<std::uint8_t>(y * 0x11), 0, 0x22)) << y;
    }
}

TEST(Gif, LocalColourMapAndFramesPartlyOffScreen) {
    const auto gif = decode_gif(
        test::encode_gif({.width = 3,
                          .height = 3,
                          .colours = kColours,
                          .frames = {{.left = 1,
                                      .top = 1,
                                      .width = 4,
                                      .height = 4,
                                      .indices = {1, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0},
                                      .local_colours = {0x00FFFF, 0xFF00FF}}}}));
    ASSERT_TRUE(gif);
    const std::uint32_t M = opaque(255, 0, 255), C = opaque(0, 255, 255);
    ASSERT_EQ(gif->frames[0].canvas.pixels.size(), 9u);
    const std::vector<std::uint32_t> expected = {_, _, _,  //
                                                 _, M, M,  //
                                                 _, M, C};
    EXPECT_EQ(gif->frames[0].canvas.pixels, expected);
}

TEST(Gif, PixelBudgetKeepsTheFramesBeforeIt) {
    const Bytes file = test::encode_gif(disposal_gif());
    const auto gif = decode_gif(file, 16 * 2 + 15);  // room for two 16-pixel canvases, not three
    ASSERT_TRUE(gif);
    EXPECT_FALSE(gif->complete);
    EXPECT_EQ(gif->frames.size(), 2u);
    EXPECT_FALSE(decode_gif(file, 15));  // not even the screen

    // Without its trailer the file still plays every frame, and one cut
    // inside the last frame plays those before it.
    auto cut = decode_gif(ByteView(file).first(file.size() - 1));
    ASSERT_TRUE(cut);
    EXPECT_FALSE(cut->complete);
    EXPECT_EQ(cut->frames.size(), 4u);
    cut = decode_gif(ByteView(file).first(file.size() - 4));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->frames.size(), 3u);
}

}  // namespace
}  // namespace formhost::media
