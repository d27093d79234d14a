#pragma once
// Sound files the tests make themselves: RIFF WAVE files with their chunks in
// any order and lengths of any truth, sample data whose every byte tells
// where it came from, and a small MIDI file.

#include <cstdint>
#include <string>
#include <vector>

#include "formhost/core/byte_io.h"

namespace sound_test {

using formhost::Bytes;

struct Chunk {
    std::string id;  // four characters
    Bytes body;
};

// "RIFF", the RIFF length, "WAVE", then the chunks as given. The RIFF length
// is the true one plus `riff_overstatement`.
Bytes riff_wave(const std::vector<Chunk>& chunks, std::uint32_t riff_overstatement = 0);

// A PCM format body of 16 bytes, or of 18 with the given cbSize.
Bytes pcm_format(std::uint32_t rate, std::uint16_t channels, std::uint16_t bits);
Bytes pcm_format_with_extra(std::uint32_t rate, std::uint16_t channels, std::uint16_t bits, std::uint16_t cb_size);

// Bytes that do not repeat within any realistic length, so a capture shows
// which offset of the data it came from (and any gap, reordering or repeat).
Bytes sample_pattern(std::size_t length, std::uint32_t seed = 1);

// fmt then data, 16-bit PCM, exact RIFF length.
Bytes wave_file(std::uint32_t rate, std::uint16_t channels, const Bytes& data);

// A standard MIDI file with one track of one note.
Bytes midi_file();

}  // namespace sound_test
