#include "sound_files.h"

namespace sound_test {
namespace {

void tag(formhost::ByteWriter& out, const std::string& id) {
    out.raw(formhost::ByteView(reinterpret_cast<const std::uint8_t*>(id.data()), 4));
}

}  // namespace

Bytes riff_wave(const std::vector<Chunk>& chunks, std::uint32_t riff_overstatement) {
    formhost::ByteWriter out;
    tag(out, "RIFF");
    out.u32(0);
    tag(out, "WAVE");
    for (const Chunk& chunk : chunks) {
        tag(out, chunk.id);
        out.u32(static_cast<std::uint32_t>(chunk.body.size()));
        out.raw(chunk.body);
    }
    out.patch_u32(4, static_cast<std::uint32_t>(out.size() - 8) + riff_overstatement);
    return out.take();
}

Bytes pcm_format(std::uint32_t rate, std::uint16_t channels, std::uint16_t bits) {
    formhost::ByteWriter out;
    const auto block_align = static_cast<std::uint16_t>(channels * bits / 8);
    out.u16(1);
    out.u16(channels);
    out.u32(rate);
    out.u32(rate * block_align);
    out.u16(block_align);
    out.u16(bits);
    return out.take();
}

Bytes pcm_format_with_extra(std::uint32_t rate, std::uint16_t channels, std::uint16_t bits, std::uint16_t cb_size) {
    Bytes body = pcm_format(rate, channels, bits);
    body.push_back(static_cast<std::uint8_t>(cb_size));
    body.push_back(static_cast<std::uint8_t>(cb_size >> 8));
    return body;
}

Bytes sample_pattern(std::size_t length, std::uint32_t seed) {
    Bytes bytes(length);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        b = static_cast<std::uint8_t>(state >> 11);
    }
    return bytes;
}

Bytes wave_file(std::uint32_t rate, std::uint16_t channels, const Bytes& data) {
    return riff_wave({{"fmt ", pcm_format(rate, channels, 16)}, {"data", data}});
}

Bytes midi_file() {
    const char header[] = "MThd\0\0\0\6\0\0\0\1\0\x60";
    const std::uint8_t track[] = {0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};
    Bytes file(header, header + sizeof header - 1);
    const char track_id[] = "MTrk";
    file.insert(file.end(), track_id, track_id + 4);
    file.insert(file.end(), {0, 0, 0, sizeof track});
    file.insert(file.end(), track, track + sizeof track);
    return file;
}

}  // namespace sound_test
