#pragma once
// Sounds as the host stores them: a RIFF WAVE file played through the wave
// output, or a standard MIDI file handed to the system's sequencer.

#include <cstdint>
#include <optional>

#include "formhost/core/byte_io.h"

namespace formhost::media {

// Views into the file's bytes: the body of the first "fmt " chunk (a
// WAVEFORMATEX, possibly without its cbSize field) and of the first "data"
// chunk. Valid as long as the file's bytes are.
struct WaveSound {
    ByteView format;
    ByteView data;
};

// Walks the RIFF chunks from byte 12: id, u32 length, that many bytes, with no
// pad byte after odd lengths. The walk ends at the RIFF length (counted from
// byte 8) or at the stored end, whichever comes first, because real files
// overstate the RIFF length; a chunk longer than what is stored is cut to it.
// nullopt without a "fmt " chunk or a non-empty "data" chunk.
std::optional<WaveSound> parse_wave(ByteView file);

// The fields of a format record the wave output needs. nullopt when the
// record is shorter than the 16 bytes of PCMWAVEFORMAT.
struct WaveFormat {
    std::uint16_t format_tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samples_per_second = 0;
    std::uint32_t bytes_per_second = 0;
    std::uint16_t block_align = 0;
    std::uint16_t bits_per_sample = 0;
};
std::optional<WaveFormat> read_wave_format(ByteView format);

// A standard MIDI file: "MThd" whose big-endian header length is 6.
bool is_midi(ByteView file);

enum class SoundKind { none, wave, midi };

// How a window's background sound is to be played: a wave when the file has
// the RIFF/WAVE signature (at least 12 bytes), else MIDI, else not at all.
SoundKind classify_sound(ByteView file);

}  // namespace formhost::media
