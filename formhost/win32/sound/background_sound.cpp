#include "formhost/win32/sound/background_sound.h"

#include "formhost/core/media/wave.h"
#include "formhost/win32/sound/wave_player.h"

namespace formhost::win32::sound {

void start(ByteView sound, std::int32_t play_mode) {
    if (sound.empty() || (play_mode != kRepeat && play_mode != kOnce)) return;
    switch (media::classify_sound(sound)) {
        case media::SoundKind::wave:
            // The player lives in the program's list and frees itself when it
            // ends; stop() reaches it through that list.
            WavePlayer::start(sound, play_mode == kRepeat);
            break;
        case media::SoundKind::midi:
            // Recognised and left silent: the host has no sequencer of its own,
            // and the system's (MCI) would need the file on disk and a window for
            // its notifications just to repeat it.
            break;
        case media::SoundKind::none: break;
    }
}

void stop(ByteView sound) {
    if (media::classify_sound(sound) == media::SoundKind::wave) stop_all_wave_players();
}

void stop_all() { stop_all_wave_players(); }

}  // namespace formhost::win32::sound
