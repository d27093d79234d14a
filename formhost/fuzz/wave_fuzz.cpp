// libFuzzer target: the RIFF chunk walk and the sound classification. Views
// handed out must lie inside the input.
#include "formhost/core/media/wave.h"
#include "media_fuzz.h"

using namespace formhost;
using namespace formhost::media;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ByteView bytes(data, size);
    if (const auto sound = parse_wave(bytes)) {
        fuzz::check(!sound->data.empty() && fuzz::inside(sound->data, bytes) && fuzz::inside(sound->format, bytes));
        fuzz::check(classify_sound(bytes) == SoundKind::wave);
        (void)read_wave_format(sound->format);
    }
    if (is_midi(bytes)) fuzz::check(classify_sound(bytes) == SoundKind::midi);
    return 0;
}
