#pragma once
// GIF pictures through giflib, still or animated. Every frame comes out
// already composed onto a canvas of the logical screen's size, so the player
// only shows frames in turn; canvas pixels no frame has painted are fully
// transparent.

#include <cstdint>
#include <optional>
#include <vector>

#include "formhost/core/byte_io.h"
#include "image.h"

namespace formhost::media {

struct GifFrame {
    Image canvas;                   // the whole logical screen once this frame is drawn
    std::uint16_t delay_field = 0;  // hundredths of a second as stored; 0 is common and left to the player
    int delay_ms = 0;               // delay_field * 10
};

struct GifAnimation {
    int width = 0;  // the logical screen
    int height = 0;
    std::vector<GifFrame> frames;
    std::optional<std::uint16_t> loop_count;  // from a NETSCAPE2.0 block; 0 loops forever
    // False when the file broke off (or the frames would pass max_pixels in
    // all) after the frames kept here, which then play as they are.
    bool complete = true;
};

// nullopt unless the header reads and at least one frame decodes whole.
// `max_pixels` bounds the logical screen, each frame, and the pixels of all
// composed frames together.
std::optional<GifAnimation> decode_gif(ByteView file, std::uint64_t max_pixels = kMaxImagePixels);

}  // namespace formhost::media
