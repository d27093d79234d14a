#include "placement.h"

#include <algorithm>

namespace formhost::media {

namespace {

bool empty(Size s) { return s.width <= 0 || s.height <= 0; }

Rect centred(Size picture, Size client) {
    std::int64_t w = picture.width, h = picture.height;
    const std::int64_t cw = client.width, ch = client.height;
    if (w > cw || h > ch) {
        // cw/w <= ch/h compared without division; the smaller ratio fills its side.
        if (cw * h <= ch * w) {
            h = std::max<std::int64_t>(1, h * cw / w);
            w = cw;
        } else {
            w = std::max<std::int64_t>(1, w * ch / h);
            h = ch;
        }
    }
    return {static_cast<int>((cw - w) / 2), static_cast<int>((ch - h) / 2), static_cast<int>(w), static_cast<int>(h)};
}

}  // namespace

std::optional<Rect> place_in_box(Size picture, Size client, BoxMode mode) {
    if (empty(picture) || empty(client)) return std::nullopt;
    switch (mode) {
        case BoxMode::stretch: return Rect{0, 0, client.width, client.height};
        case BoxMode::centre: return centred(picture, client);
        case BoxMode::natural: break;
    }
    return Rect{0, 0, picture.width, picture.height};
}

std::optional<Placement> place_background(Size picture, Size client, BackgroundMode mode) {
    if (empty(picture) || empty(client)) return std::nullopt;
    switch (mode) {
        case BackgroundMode::tile: {
            const auto across = [](int area, int tile) {
                return static_cast<int>((std::int64_t{area} + tile - 1) / tile);
            };
            return Placement{{0, 0, picture.width, picture.height},
                             across(client.width, picture.width),
                             across(client.height, picture.height)};
        }
        case BackgroundMode::centre: return Placement{centred(picture, client)};
        case BackgroundMode::stretch: return Placement{{0, 0, client.width, client.height}};
        case BackgroundMode::natural: break;
    }
    return Placement{{0, 0, picture.width, picture.height}};
}

}  // namespace formhost::media
