#pragma once
// Animated GIF output through giflib: one global palette chosen for all the
// frames together, frames after the first stored as the box that changed.

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

struct Rgb8Frame {
    std::vector<std::uint8_t> rgb;  // width * height * 3, top row first
};

// Picks up to `count` colours for all frames by median cut. `keep` colours
// are always in the palette exactly (the ground colour, say), so large flat
// areas map without error.
std::vector<std::uint32_t> choose_palette(const std::vector<Rgb8Frame>& frames, const std::vector<std::uint32_t>& keep,
                                          int count = 255);

// Writes GIF89a with a NETSCAPE2.0 block (loop count 0, for ever) and the
// same delay, in hundredths of a second, on every frame. The palette has at
// most 255 colours: the last of the 256 entries marks pixels that a frame
// leaves as the frame before drew them.
void write_gif(const std::string& path, int width, int height, const std::vector<Rgb8Frame>& frames,
               const std::vector<std::uint32_t>& palette, int delay_centiseconds);

}  // namespace assets
