#pragma once
// Plays one RIFF WAVE file on the wave output device, once or repeating.
//
// A worker thread feeds a ring of fixed buffers to the device; the device's
// completion callback hands each buffer back through a semaphore. The player
// keeps its own copy of the samples, so the caller's bytes may go away as soon
// as start() returns. Every player of the program sits in one list while it
// plays, so that a stop request can reach all of them.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "formhost/core/byte_io.h"
#include "formhost/win32/system/owners.h"

namespace formhost::win32::sound {

// The player streams from memory through a ring of buffers: the device never
// holds more than kBufferCount * kBufferBytes sample bytes (300 KB, 1.7 s of
// 44.1 kHz 16-bit stereo), so a sound of many megabytes starts at once and
// the queued memory stays small.
inline constexpr std::size_t kBufferCount = 20;
inline constexpr std::size_t kBufferBytes = 15360;

struct PlayerStats {
    // The most sample bytes queued on the device at one time.
    std::size_t peak_queued_bytes = 0;
    // From the start request to the first buffer queued; negative until then.
    double start_latency_ms = -1;
};

class WavePlayer {
public:
    // Starts playing `file`. nullptr when the file is no playable wave (see
    // media::parse_wave) or the device refuses its format; then nothing plays.
    static std::shared_ptr<WavePlayer> start(ByteView file, bool loop);

    ~WavePlayer();
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    // Asks the worker to stop; it silences the device and ends at once.
    void request_stop();
    // Waits up to `milliseconds` for the worker thread to end; true if it has.
    bool wait_until_ended(DWORD milliseconds) const;
    // request_stop() and a bounded wait for the worker to end.
    void stop();

    bool ended() const { return wait_until_ended(0); }
    PlayerStats stats() const;

private:
    explicit WavePlayer(bool loop);

    // The worker's body; `context` is the worker's own reference to the player.
    static void work(void* context, HANDLE stop);
    static void CALLBACK device_event(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                      DWORD_PTR param2);

    // The worker's feeding loop; true when the sound ended by itself.
    bool feed(HANDLE stop);
    bool queue(std::size_t buffer, std::size_t offset);
    void shut_down(bool interrupted);

    const bool loop_;
    Bytes samples_;
    Bytes ring_;
    std::array<WAVEHDR, kBufferCount> headers_{};
    LARGE_INTEGER requested_{};

    std::atomic<std::int64_t> queued_bytes_{0};
    std::atomic<std::int64_t> peak_queued_bytes_{0};
    std::atomic<std::int64_t> first_queued_{0};

    HostThread worker_;
    UniqueHandle free_slots_;
    // Declared last so it closes first: the callback uses the semaphore.
    UniqueWaveOut device_;
};

// Asks every playing wave player of the program to stop and waits (bounded)
// for their threads to end.
void stop_all_wave_players();

// The players in the program's list: started and not yet shut down.
std::size_t wave_player_count();

}  // namespace formhost::win32::sound
