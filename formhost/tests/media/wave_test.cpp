#include "formhost/core/media/wave.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace formhost::media {
namespace {

using test::Chunk;
using test::riff_wave;

const Bytes kFormat = {1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0};  // PCM, mono, 11025 Hz, 8 bits
const Bytes kSamples = {0x80, 0x90, 0xA0, 0xB0};

// The views must lie inside the file, at the chunk bodies.
void expect_views(const Bytes& file, const WaveSound& sound, std::size_t format_at, std::size_t data_at,
                  std::size_t data_size) {
    EXPECT_EQ(sound.format.data(), file.data() + format_at);
    EXPECT_EQ(sound.format.size(), kFormat.size());
    EXPECT_EQ(sound.data.data(), file.data() + data_at);
    EXPECT_EQ(sound.data.size(), data_size);
}

TEST(Wave, FindsFormatAndDataInEitherOrderPastOtherChunks) {
    const Bytes plain = riff_wave({{"fmt ", kFormat}, {"data", kSamples}});
    auto sound = parse_wave(plain);
    ASSERT_TRUE(sound);
    expect_views(plain, *sound, 20, 44, 4);

    // An odd-length chunk is followed directly by the next one, without a pad byte.
    const Bytes reversed = riff_wave({{"LIST", Bytes(3, 'x')}, {"data", kSamples}, {"fmt ", kFormat}});
    sound = parse_wave(reversed);
    ASSERT_TRUE(sound);
    expect_views(reversed, *sound, 43, 31, 4);
}

TEST(Wave, KeepsTheFirstOfRepeatedChunks) {
    const Bytes file = riff_wave(
        {{"fmt ", kFormat}, {"data", kSamples}, {"fmt ", Bytes(20, 9)}, {"data", Bytes(9, 1)}});
    const auto sound = parse_wave(file);
    ASSERT_TRUE(sound);
    expect_views(file, *sound, 20, 44, 4);
}

TEST(Wave, RefusesWhatIsNotAPlayableWave) {
    EXPECT_FALSE(parse_wave(riff_wave({{"data", kSamples}, {"junk", Bytes(16)}})));              // no "fmt "
    EXPECT_FALSE(parse_wave(riff_wave({{"fmt ", kFormat}, {"junk", Bytes(8)}})));                // no "data"
    EXPECT_FALSE(parse_wave(riff_wave({{"fmt ", kFormat}, {"data", {}}, {"junk", Bytes(8)}})));  // empty "data"

    Bytes wrong = riff_wave({{"fmt ", kFormat}, {"data", kSamples}});
    wrong[0] = 'X';
    EXPECT_FALSE(parse_wave(wrong));
    wrong = riff_wave({{"fmt ", kFormat}, {"data", kSamples}});
    wrong[11] = 'X';
    EXPECT_FALSE(parse_wave(wrong));
}

TEST(Wave, ShorterThan36BytesIsRefusedEvenWithBothChunks) {
    const Bytes small_format = {1, 0};
    const Bytes short_file = riff_wave({{"fmt ", small_format}, {"data", Bytes(1, 0x80)}});
    ASSERT_EQ(short_file.size(), 31u);
    EXPECT_FALSE(parse_wave(short_file));
    const Bytes just_enough = riff_wave({{"fmt ", small_format}, {"data", Bytes(6, 0x80)}});
    ASSERT_EQ(just_enough.size(), 36u);
    EXPECT_TRUE(parse_wave(just_enough));
}

TEST(Wave, RiffLengthPastTheEndStillPlaysAndShortOneEndsTheWalk) {
    const Bytes over = riff_wave({{"fmt ", kFormat}, {"data", kSamples}}, 40 + 8);  // the usual over-count of 8
    const auto sound = parse_wave(over);
    ASSERT_TRUE(sound);
    expect_views(over, *sound, 20, 44, 4);
    EXPECT_TRUE(parse_wave(riff_wave({{"fmt ", kFormat}, {"data", kSamples}}, 0xFFFFFFFF)));

    // The RIFF length ends before the "data" chunk's header: it is not seen.
    EXPECT_FALSE(parse_wave(riff_wave({{"fmt ", kFormat}, {"data", kSamples}}, 4 + 24 + 4)));
    EXPECT_FALSE(parse_wave(riff_wave({{"fmt ", kFormat}, {"data", kSamples}}, 0)));
}

TEST(Wave, ChunkClaimingMoreThanIsStoredIsCut) {
    const Bytes file = riff_wave({{"fmt ", kFormat}, {"data", kSamples, 1000}});
    const auto sound = parse_wave(file);
    ASSERT_TRUE(sound);
    expect_views(file, *sound, 20, 44, 4);

    // "fmt " claiming everything swallows the "data" chunk behind it.
    EXPECT_FALSE(parse_wave(riff_wave({{"fmt ", kFormat, 0xFFFFFFF0}, {"data", kSamples}})));
}

TEST(Sound, MidiAndClassification) {
    const Bytes midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
    EXPECT_TRUE(is_midi(midi));
    EXPECT_TRUE(is_midi(ByteView(midi).first(8)));
    EXPECT_FALSE(is_midi(ByteView(midi).first(5)));  // length field cut off
    Bytes wrong_length = midi;
    wrong_length[7] = 7;
    EXPECT_FALSE(is_midi(wrong_length));
    wrong_length[7] = 6;
    wrong_length[4] = 1;  // big-endian: 0x01000006
    EXPECT_FALSE(is_midi(wrong_length));

    EXPECT_EQ(classify_sound(midi), SoundKind::midi);
    const Bytes bare_wave = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    EXPECT_EQ(classify_sound(bare_wave), SoundKind::wave);  // a wave by signature, even if it will not play
    EXPECT_EQ(classify_sound(ByteView(bare_wave).first(11)), SoundKind::none);
    EXPECT_EQ(classify_sound(Bytes{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0}), SoundKind::none);
}

}  // namespace
}  // namespace formhost::media
