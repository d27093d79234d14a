#pragma once
// Pixel work done in memory rather than through GDI. Pictures are scaled here
// once and then blitted 1:1: GDI's fast stretch modes drop or repeat whole
// rows and columns, and its halftone mode is slow and leaves alpha undefined.
// Pixels are 0xAARRGGBB (B, G, R, A in memory), as in a 32-bit DIB section.

#include <cstdint>
#include <span>

namespace formhost::media::pixels {

using Pixel = std::uint32_t;

// Straight alpha to premultiplied, the form AlphaBlend and `blend` take.
Pixel premultiply(Pixel straight);
void premultiply(std::span<const Pixel> straight, Pixel* out);

// A premultiplied pixel laid over an opaque 0xRRGGBB colour: opaque.
Pixel over(Pixel premultiplied, std::uint32_t rgb);

// Resamples premultiplied pixels from sw x sh to dw x dh. Each axis uses a
// tent filter as wide as the scale factor: bilinear when enlarging, an area
// average when shrinking, so a picture shrunk to a fifth keeps its detail
// evenly instead of every fifth pixel. Sides must be positive.
void resample(const Pixel* source, int sw, int sh, Pixel* out, int dw, int dh);

// Lays premultiplied `source` (sw x sh) over `target` (tw x th) with its
// top-left corner at (x, y); what falls outside the target is dropped.
void blend(const Pixel* source, int sw, int sh, Pixel* target, int tw, int th, int x, int y);

}  // namespace formhost::media::pixels
