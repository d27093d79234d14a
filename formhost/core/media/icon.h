#pragma once
// Icon (.ico) and cursor (.cur) files: an ICONDIR listing entries, each a DIB
// of doubled height (colour bits, then a 1-bit AND mask) or a PNG file.

#include <cstdint>
#include <optional>
#include <vector>

#include "formhost/core/byte_io.h"
#include "image.h"

namespace formhost::media {

struct IconEntry {
    int width = 0;  // from the entry's own header, not the directory's byte fields
    int height = 0;
    int bit_count = 0;  // a PNG entry counts as 32
    bool png = false;
    ByteView bytes;               // the entry's data inside the file
    std::uint16_t hotspot_x = 0;  // cursors only
    std::uint16_t hotspot_y = 0;
};

struct IconDirectory {
    bool cursor = false;
    std::vector<IconEntry> entries;  // entries whose data is stored and whose header reads
};

// nullopt unless reserved is 0, the type is 1 (icon) or 2 (cursor) and at
// least one entry is usable.
std::optional<IconDirectory> read_icon_directory(ByteView file);

// The entry to show: the largest, then the deepest, then the first listed.
// PNG entries take part only with `allow_png`.
std::optional<std::size_t> choose_icon_entry(const IconDirectory& directory, bool allow_png);

// The pixels of a DIB entry. A 32-bit entry keeps its alpha; one whose alpha
// is zero throughout, and any lower depth, takes transparency from the AND
// mask (an entry stored without its mask is opaque).
std::optional<Image> decode_icon_entry(const IconEntry& entry, std::uint64_t max_pixels = kMaxImagePixels);

// The chosen DIB entry of an icon or cursor file, decoded.
std::optional<Image> decode_icon(ByteView file, std::uint64_t max_pixels = kMaxImagePixels);

// The chosen entry as the system builds an icon from it
// (CreateIconFromResourceEx takes `bytes`, with the 0x00030000 version). PNG
// entries are allowed, since the system decodes them itself. For a cursor the
// system expects the hotspot as two u16 in front of the bytes.
struct IconResource {
    ByteView bytes;
    int width = 0;
    int height = 0;
    bool cursor = false;
    std::uint16_t hotspot_x = 0;
    std::uint16_t hotspot_y = 0;
};
std::optional<IconResource> icon_resource(ByteView file);

}  // namespace formhost::media
