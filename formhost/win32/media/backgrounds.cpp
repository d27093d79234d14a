#include "formhost/win32/media/backgrounds.h"

#include <optional>

#include "formhost/core/media/placement.h"

namespace formhost::win32 {
namespace {

media::Size size_of(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

RECT rect_in(const RECT& client, const media::Rect& r) {
    return {client.left + r.x, client.top + r.y, client.left + r.x + r.width, client.top + r.y + r.height};
}

void fill(HDC dc, const RECT& area, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.get());
}

// Everything drawn within one scope stays inside `area`.
class ClipTo {
public:
    ClipTo(HDC dc, const RECT& area) : saved_(dc) {
        IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    }

private:
    SavedDC saved_;
};

void paint_placed(HDC dc, const RECT& area, const Picture& picture, const RECT& dest, COLORREF background) {
    if (picture.opaque()) {
        // The colour only around the picture: filling under it too would
        // flash on every repaint.
        ClipTo around(dc, area);
        ExcludeClipRect(dc, dest.left, dest.top, dest.right, dest.bottom);
        fill(dc, area, background);
    } else {
        fill(dc, area, background);
    }
    picture.draw(dc, dest);
}

}  // namespace

void paint_background(HDC dc, const RECT& client, const RECT& area, const Picture* picture, int mode,
                      COLORREF background) {
    ClipTo clip(dc, area);
    const auto placement = picture ? media::place_background({picture->width(), picture->height()}, size_of(client),
                                                             static_cast<media::BackgroundMode>(mode))
                                   : std::nullopt;
    if (!placement) {
        fill(dc, area, background);
        return;
    }
    if (static_cast<media::BackgroundMode>(mode) != media::BackgroundMode::tile) {
        paint_placed(dc, area, *picture, rect_in(client, placement->first), background);
        return;
    }
    // Tiles as one pattern brush: a small picture on a large window would
    // otherwise take thousands of blits per repaint.
    if (HBRUSH brush = picture->tile_brush(background)) {
        POINT origin;
        SetBrushOrgEx(dc, client.left, client.top, &origin);
        FillRect(dc, &area, brush);
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
        return;
    }
    fill(dc, area, background);
    for (int row = 0; row < placement->rows; ++row) {
        for (int column = 0; column < placement->columns; ++column) {
            const RECT tile = rect_in(client, placement->at(column, row));
            RECT visible;
            if (IntersectRect(&visible, &tile, &area)) picture->draw(dc, tile);
        }
    }
}

void paint_box_picture(HDC dc, const RECT& client, const RECT& area, const Picture* picture, int mode,
                       COLORREF background) {
    ClipTo clip(dc, area);
    const auto place = picture ? media::place_in_box({picture->width(), picture->height()}, size_of(client),
                                                     static_cast<media::BoxMode>(mode))
                               : std::nullopt;
    if (!place) {
        fill(dc, area, background);
        return;
    }
    paint_placed(dc, area, *picture, rect_in(client, *place), background);
}

}  // namespace formhost::win32
