#include "wave.h"

#include <algorithm>
#include <cstring>

namespace formhost::media {

namespace {

bool tag_at(ByteView bytes, std::size_t at, const char (&tag)[5]) {
    return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

bool has_wave_signature(ByteView file) { return tag_at(file, 0, "RIFF") && tag_at(file, 8, "WAVE"); }

}  // namespace

std::optional<WaveSound> parse_wave(ByteView file) {
    if (file.size() < 36 || !has_wave_signature(file)) return std::nullopt;

    ByteReader header(file.subspan(4, 4));
    const std::uint64_t riff_end = std::uint64_t{8} + header.u32();
    const std::size_t end = static_cast<std::size_t>(std::min<std::uint64_t>(riff_end, file.size()));

    std::optional<ByteView> format, data;
    std::size_t at = 12;
    while (at <= end && end - at >= 8 && !(format && data)) {
        ByteReader chunk(file.subspan(at, 8));
        const ByteView id = chunk.view(4);
        const std::uint32_t length = chunk.u32();
        at += 8;
        const std::size_t body = static_cast<std::size_t>(std::min<std::uint64_t>(length, file.size() - at));
        const ByteView bytes = file.subspan(at, body);
        if (!format && std::memcmp(id.data(), "fmt ", 4) == 0) format = bytes;
        if (!data && std::memcmp(id.data(), "data", 4) == 0) data = bytes;
        if (length > end - at) break;
        at += length;
    }
    if (!format || !data || data->empty()) return std::nullopt;
    return WaveSound{*format, *data};
}

std::optional<WaveFormat> read_wave_format(ByteView format) {
    ByteReader in(format);
    WaveFormat f;
    f.format_tag = in.u16();
    f.channels = in.u16();
    f.samples_per_second = in.u32();
    f.bytes_per_second = in.u32();
    f.block_align = in.u16();
    f.bits_per_sample = in.u16();
    if (!in.ok()) return std::nullopt;
    return f;
}

bool is_midi(ByteView file) {
    if (file.size() < 8 || !tag_at(file, 0, "MThd")) return false;
    const std::uint32_t length = std::uint32_t{file[4]} << 24 | std::uint32_t{file[5]} << 16 |
                                 std::uint32_t{file[6]} << 8 | file[7];
    return length == 6;
}

SoundKind classify_sound(ByteView file) {
    if (file.size() >= 12 && has_wave_signature(file)) return SoundKind::wave;
    if (is_midi(file)) return SoundKind::midi;
    return SoundKind::none;
}

}  // namespace formhost::media
