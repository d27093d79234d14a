// libFuzzer target: the RIFF chunk walk, the sound classification and the
// format record for the wave output. Views handed out must lie inside the
// input; the record must say exactly how many extra bytes it carries.
#include <algorithm>

#include "formhost/core/media/format_record.h"
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
    // The format chunk's body is any bytes at all: take the input as one.
    const Bytes record = format_record(bytes);
    if (!record.empty()) {
        fuzz::check(record.size() >= 18 && record.size() <= std::max<std::size_t>(size, 18));
        fuzz::check(static_cast<std::size_t>(record[16] | record[17] << 8) == record.size() - 18);
    }
    if (is_midi(bytes)) fuzz::check(classify_sound(bytes) == SoundKind::midi);
    return 0;
}
