#pragma once
// Writes a Windows icon file holding several sizes of one picture.

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

struct IconImage {
    int size = 0;                    // square, 1..256 pixels
    std::vector<std::uint8_t> rgba;  // straight RGBA, top row first
};

// Every image is stored as an uncompressed 32-bpp DIB with its alpha and an
// AND mask marking exactly the fully clear pixels, smallest first.
void write_icon(const std::string& path, const std::vector<IconImage>& images);

}  // namespace assets
