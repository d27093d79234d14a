#pragma once
// The shape a colour-keyed window has on an X server under Wine: one
// rectangle for each run of pixels in a row that are not the key colour,
// where rows with the same runs share their rectangles. Wine sends the whole
// shape in one request, and its connection to the X server cannot make a
// request longer than 65,535 words: a shape of more than 32,766 rectangles
// is refused, and the X server's error ends the process. The screen hand-
// over keeps this count for a colour-keyed window, row by row as drawing
// changes them.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace formhost::media {

// The most rectangles one shape request carries: 65,535 words less the
// request's own 3, two words a rectangle.
inline constexpr std::size_t kMostShapeRectangles = (65535 - 3) / 2;

class KeyShape {
public:
    // A shape of `height` rows, each without runs until counted.
    explicit KeyShape(int height = 0) : rows_(static_cast<std::size_t>(height > 0 ? height : 0)) {}

    // Counts the runs of rows [top, bottom) again. `pixels` are 32-bit
    // pixels, top row first, `width` to a row; the top byte is ignored.
    void count_rows(const std::uint32_t* pixels, int width, int top, int bottom, std::uint32_t key);

    // The rectangles of the whole shape.
    std::size_t rectangles() const;

private:
    // Each row's runs, as pairs of first and one-past-last column.
    std::vector<std::vector<std::uint32_t>> rows_;
};

}  // namespace formhost::media
