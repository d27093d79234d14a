// How long the picture box's player keeps each GIF frame.
#include <gtest/gtest.h>

#include "formhost/win32/media/box_animation.h"

namespace {

formhost::media::GifFrame frame_with_delay(std::uint16_t hundredths) {
    formhost::media::GifFrame frame;
    frame.delay_field = hundredths;
    frame.delay_ms = hundredths * 10;
    return frame;
}

TEST(GifFrameDelay, EveryStoredDelayIsKeptOnlyZeroTakesTheDefault) {
    EXPECT_EQ(formhost::win32::frame_delay_ms(frame_with_delay(1)), 10);
    EXPECT_EQ(formhost::win32::frame_delay_ms(frame_with_delay(2)), 20);
    EXPECT_EQ(formhost::win32::frame_delay_ms(frame_with_delay(65535)), 655350);
    EXPECT_EQ(formhost::win32::frame_delay_ms(frame_with_delay(0)), 100);
}

}  // namespace
