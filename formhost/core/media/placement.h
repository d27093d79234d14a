#pragma once
// Where a picture is drawn inside a client area: the picture box's display
// modes and a window's background-picture modes. Pure integer arithmetic;
// clipping to the client area is left to the drawing.

#include <cstdint>
#include <optional>

#include "formhost/core/choices.h"

namespace formhost::media {

struct Size {
    int width = 0;
    int height = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// Values as stored in the form; any other value draws as `natural`.
// The picture box's display modes and the background-picture modes, by their
// stored values.
enum class BoxMode : int {
    natural = choice::display_mode::kNatural,
    stretch = choice::display_mode::kFilled,
    centre = choice::display_mode::kCentred,
};
enum class BackgroundMode : int {
    natural = choice::background_picture_mode::kNatural,
    tile = choice::background_picture_mode::kTiled,
    centre = choice::background_picture_mode::kCentred,
    stretch = choice::background_picture_mode::kStretched,
};

// natural: the picture's own size at the top-left corner.
// stretch: the whole client area.
// centre:  centred at its own size; a picture wider or taller than the area is
//          first scaled down uniformly by the smaller of the two ratios
//          area/picture (rounding down, never below one pixel).
// nullopt when the picture or the area has no pixels.
std::optional<Rect> place_in_box(Size picture, Size client, BoxMode mode);

// One rectangle, or a grid of tiles: copies at (i * width, j * height) for
// every column i and row j whose copy starts inside the client area.
struct Placement {
    Rect first;  // the only copy, or the top-left tile
    int columns = 1;
    int rows = 1;

    std::int64_t count() const { return std::int64_t{columns} * rows; }
    Rect at(int column, int row) const {
        return {first.x + column * first.width, first.y + row * first.height, first.width, first.height};
    }
};

// natural, centre and stretch as in the picture box; tile as above.
std::optional<Placement> place_background(Size picture, Size client, BackgroundMode mode);

}  // namespace formhost::media
