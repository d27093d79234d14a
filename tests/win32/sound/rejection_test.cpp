// Files that are no playable wave, and play modes that play nothing: no
// player, no sound, no crash.
#include <gtest/gtest.h>

#include "formhost/win32/sound/background_sound.h"
#include "formhost/win32/sound/wave_player.h"
#include "sound_files.h"
#include "sound_fixture.h"
#include "support/waiting.h"

namespace {

using namespace sound_test;
using test_support::wait_until;
namespace snd = formhost::win32::sound;

constexpr std::uint32_t kRate = 22050;

struct Case {
    const char* name;
    Bytes file;
    std::int32_t mode;
};

Bytes with_riff_length(Bytes file, std::uint32_t length) {
    for (int i = 0; i < 4; ++i) file[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    return file;
}

TEST_F(SoundTest, NothingPlaysForSilentModesOrFilesThatAreNoPlayableWave) {
    const Bytes data = sample_pattern(20'000, 5);
    const Bytes fmt = pcm_format(kRate, 2, 16);
    const Bytes good = wave_file(kRate, 2, data);
    Bytes not_wave = good;
    not_wave[8] = 'A';

    const std::vector<Case> cases = {
        {"mode 2", good, snd::kSilent},
        {"mode -1", good, -1},
        {"mode 3", good, 3},
        {"empty", {}, snd::kRepeat},
        {"shorter than 36 bytes", Bytes(good.begin(), good.begin() + 35), snd::kOnce},
        {"no fmt chunk", riff_wave({{"data", data}, {"LIST", sample_pattern(40, 6)}}), snd::kOnce},
        {"empty data chunk", riff_wave({{"fmt ", fmt}, {"data", {}}}), snd::kOnce},
        {"fmt shorter than 16 bytes", riff_wave({{"fmt ", Bytes(fmt.begin(), fmt.begin() + 14)}, {"data", data}}),
         snd::kOnce},
        // The walk ends where the RIFF length says, even with bytes stored beyond.
        {"data past the RIFF length", with_riff_length(good, 4 + 8 + 16), snd::kOnce},
        {"RIFF but not WAVE", not_wave, snd::kOnce},
        {"garbage", sample_pattern(5000, 9), snd::kRepeat},
        {"MIDI, repeating", midi_file(), snd::kRepeat},
        {"MIDI, once", midi_file(), snd::kOnce},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        snd::start(c.file, c.mode);
        EXPECT_EQ(snd::wave_player_count(), 0u);
        snd::stop(c.file);
    }
    const bool played = wait_until([&] { return !capture_files().empty(); }, 500);
    for (const auto& name : capture_files()) {
        std::printf("capture file: %s\n", std::string(name.begin(), name.end()).c_str());
    }
    EXPECT_FALSE(played) << "the device was opened";
}

}  // namespace
