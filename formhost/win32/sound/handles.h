#pragma once
// The owners of the handles the sound players hold.

#include <windows.h>
// after windows.h, which it depends on
#include <mmsystem.h>

#include "formhost/win32/unique_handle.h"

namespace formhost::win32::sound {

using win32::UniqueHandle;

inline void close_wave_out(HWAVEOUT h) {
    waveOutReset(h);
    waveOutClose(h);
}

// An open wave output device. Closing is the last step of an ordered
// shutdown (reset, unprepare, close) that the player does itself; the
// destructor is the safety net for the paths where nothing was queued.
using UniqueWaveOut = win32::Unique<HWAVEOUT, close_wave_out>;

}  // namespace formhost::win32::sound
