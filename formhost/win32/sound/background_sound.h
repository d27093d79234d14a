#pragma once
// A window's background sound: a whole WAVE or MIDI file kept with the window,
// and the play mode the form stores beside it.

#include <cstdint>

#include "formhost/core/byte_io.h"
#include "formhost/core/choices.h"

namespace formhost::win32::sound {

// The stored play modes; any other value plays nothing, like kSilent.
inline constexpr std::int32_t kRepeat = choice::sound_play_mode::kRepeat;
inline constexpr std::int32_t kOnce = choice::sound_play_mode::kOnce;
inline constexpr std::int32_t kSilent = choice::sound_play_mode::kSilent;

// Starts the sound from its beginning: a RIFF WAVE file through a wave
// player (repeating for kRepeat), a standard MIDI file is recognised and left
// silent, anything else plays nothing. The bytes may go away once it returns.
void start(ByteView sound, std::int32_t play_mode);

// Stops a window's sound. Wave players are not tied to windows: stopping a
// wave stops every wave player of the program, and returns once they have
// ended (or a bounded wait has passed).
void stop(ByteView sound);

// Stops every sound of the program; the host calls it when the program ends.
void stop_all();

}  // namespace formhost::win32::sound
