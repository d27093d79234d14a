// What the device plays: exactly the data chunk, once or over and over, and
// from its start again after a stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "formhost/win32/sound/background_sound.h"
#include "formhost/win32/sound/wave_player.h"
#include "sound_files.h"
#include "sound_fixture.h"
#include "support/waiting.h"

namespace {

using namespace sound_test;
using test_support::wait_until;
namespace snd = formhost::win32::sound;

// The bench plays about four times faster than real time: 48 kHz stereo
// 16-bit goes by at roughly 750 KB per second.
constexpr std::uint32_t kRate = 22050;
constexpr std::uint32_t kFastRate = 48000;

struct Layout {
    const char* name;
    Bytes file;
};

TEST_F(SoundTest, PlayedOnceTheDeviceGetsExactlyTheDataChunkWhateverTheFileLayout) {
    const Bytes data = sample_pattern(100'000);  // seven buffers, the last one partial
    const Bytes fmt = pcm_format(kRate, 2, 16);
    const std::vector<Layout> layouts = {
        {"fmt then data", riff_wave({{"fmt ", fmt}, {"data", data}})},
        {"data before fmt, behind a chunk of another kind",
         riff_wave({{"LIST", sample_pattern(26, 7)}, {"data", data}, {"fmt ", fmt}})},
        {"RIFF length 8 past the stored end", riff_wave({{"fmt ", fmt}, {"data", data}}, 8)},
        {"18-byte fmt whose cbSize promises more than it holds",
         riff_wave({{"fmt ", pcm_format_with_extra(kRate, 2, 16, 40)}, {"data", data}})},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        remove_captures();
        const auto player = snd::WavePlayer::start(layout.file, false);
        ASSERT_NE(player, nullptr);
        // Once through, the worker closes the device and leaves the list.
        EXPECT_TRUE(wait_until([&] { return player->ended(); }, 10000)) << "still playing after 10 s";
        EXPECT_EQ(snd::wave_player_count(), 0u);
        EXPECT_TRUE(played_once(wait_for_capture(kRate, 2, data.size(), 2000), data, kRate * 4));
    }
}

TEST_F(SoundTest, TheCallersBytesMayGoAwayOnceStartReturns) {
    const Bytes data = sample_pattern(60'000, 15);
    auto file = std::make_unique<Bytes>(wave_file(kRate, 2, data));
    snd::start(*file, snd::kOnce);
    std::fill(file->begin(), file->end(), std::uint8_t{0xAA});
    file.reset();

    ASSERT_TRUE(wait_until([] { return snd::wave_player_count() == 0; }, 10000)) << "still playing after 10 s";
    EXPECT_TRUE(played_once(wait_for_capture(kRate, 2, data.size(), 2000), data, kRate * 4));
}

TEST_F(SoundTest, DataLongerThanTheRingPlaysOnceWithNoMoreThanTheRingQueued) {
    const Bytes data = sample_pattern(400'000, 2);
    const auto player = snd::WavePlayer::start(wave_file(kFastRate, 2, data), false);
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(wait_until([&] { return player->ended(); }, 10000)) << "still playing after 10 s";
    EXPECT_TRUE(played_once(wait_for_capture(kFastRate, 2, data.size(), 2000), data, kFastRate * 4));

    const snd::PlayerStats stats = player->stats();
    std::printf("peak queued %zu bytes, first buffer after %.2f ms\n", stats.peak_queued_bytes, stats.start_latency_ms);
    EXPECT_LE(stats.peak_queued_bytes, snd::kBufferCount * snd::kBufferBytes);
    EXPECT_GE(stats.peak_queued_bytes, snd::kBufferBytes);
    EXPECT_GE(stats.start_latency_ms, 0.0);
}

// A round starts only once the previous one has been heard to its end, so
// the device runs dry in between, and the bench's device fills that moment
// with silence: a period or two (10-20 ms) when the machine is idle. Rounds
// must be whole and in order, with no more than a short silence between them.
TEST_F(SoundTest, RepeatingPlaysWholeRoundsOneAfterAnotherUntilStoppedAndStopsPromptly) {
    constexpr std::size_t kLongestSilence = kFastRate * 4 / 10;  // 100 ms
    // Shorter than the ring, so each round waits for the last to be heard;
    // and longer, so the ring wraps within a round.
    for (const std::size_t length : {20'000u, 350'000u}) {
        SCOPED_TRACE(testing::Message() << length << " bytes of data");
        remove_captures();
        const Bytes data = sample_pattern(length, 3);
        const Bytes file = wave_file(kFastRate, 2, data);
        snd::start(file, snd::kRepeat);
        const bool two_rounds = wait_until([&] { return read_rounds(captured(kFastRate, 2), data).complete >= 2; },
                                           20000);

        const ULONGLONG asked = GetTickCount64();
        snd::stop(file);
        const ULONGLONG took = GetTickCount64() - asked;
        std::printf("stop returned after %llu ms\n", took);
        EXPECT_LT(took, 1000u);
        EXPECT_EQ(snd::wave_player_count(), 0u);

        const Bytes got = captured(kFastRate, 2);
        const Rounds rounds = read_rounds(got, data);
        std::printf("captured %zu bytes: %zu whole rounds, longest silence between them %zu bytes\n", got.size(),
                    rounds.complete, rounds.longest_silence);
        EXPECT_TRUE(two_rounds) << "fewer than two rounds played";
        EXPECT_EQ(rounds.mismatch, std::string::npos) << describe_mismatch(got, data, rounds.mismatch);
        EXPECT_LE(rounds.longest_silence, kLongestSilence);
        EXPECT_FALSE(wait_until([&] { return captured(kFastRate, 2).size() != got.size(); }, 300))
            << "the device went on playing after the stop";
    }
}

TEST_F(SoundTest, StartAfterStopBeginsAgainFromTheStart) {
    const Bytes data = sample_pattern(350'000, 4);
    const Bytes file = wave_file(kFastRate, 2, data);
    snd::start(file, snd::kRepeat);
    ASSERT_GE(wait_for_capture(kFastRate, 2, 100'000, 10000).size(), 100'000u);
    // As a write of the play mode does: stop, then start.
    snd::stop(file);
    remove_captures();
    snd::start(file, snd::kRepeat);
    wait_for_capture(kFastRate, 2, 30'000, 10000);
    snd::stop(file);

    const Bytes got = captured(kFastRate, 2);
    ASSERT_GE(got.size(), 30'000u);
    const Rounds rounds = read_rounds(got, data);
    EXPECT_GE(rounds.played, 25'000u);
    EXPECT_EQ(rounds.mismatch, std::string::npos)
        << "the second start did not play from the data's start: " << describe_mismatch(got, data, rounds.mismatch);
}

}  // namespace
