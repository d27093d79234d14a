#include "formhost/win32/sound/wave_player.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "formhost/core/media/format_record.h"
#include "formhost/core/media/wave.h"
#include "formhost/win32/sound/player_list.h"
#include "formhost/win32/system/fatal_error.h"

namespace formhost::win32::sound {
namespace {

// A device that hands back no buffer for this long has stalled; the player
// gives up rather than wait for ever.
constexpr DWORD kStallMs = 8888;
// How long a stop waits for the worker. Silencing and closing the device
// takes milliseconds; the bound only matters for a device that hangs.
constexpr DWORD kStopWaitMs = 3000;
// One semaphore slot per buffer of the ring.
constexpr LONG kSlots = static_cast<LONG>(kBufferCount);

// A sound that cannot play is simply not heard, so failures never reach the
// user; they are left where a debugger sees them, with the call and its code.
void trace_failure(const char* call, unsigned long code) {
    char line[96];
    std::snprintf(line, sizeof line, "formhost sound: %s failed (%lu)\n", call, code);
    OutputDebugStringA(line);
}

std::int64_t ticks_now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

}  // namespace

WavePlayer::WavePlayer(bool loop) : loop_(loop) {}

WavePlayer::~WavePlayer() = default;

std::shared_ptr<WavePlayer> WavePlayer::start(ByteView file, bool loop) {
    LARGE_INTEGER requested;
    QueryPerformanceCounter(&requested);

    const auto sound = media::parse_wave(file);
    if (!sound) return nullptr;
    const Bytes format = media::format_record(sound->format);
    if (format.empty()) return nullptr;

    std::shared_ptr<WavePlayer> player(new WavePlayer(loop));
    player->requested_ = requested;
    player->samples_.assign(sound->data.begin(), sound->data.end());
    player->ring_.resize(kBufferCount * kBufferBytes);

    player->free_slots_.reset(CreateSemaphoreW(nullptr, kSlots, kSlots, nullptr));
    if (!player->free_slots_) {
        trace_failure("CreateSemaphoreW", GetLastError());
        return nullptr;
    }

    HWAVEOUT device = nullptr;
    const MMRESULT opened = waveOutOpen(&device, WAVE_MAPPER, reinterpret_cast<const WAVEFORMATEX*>(format.data()),
                                        reinterpret_cast<DWORD_PTR>(&WavePlayer::device_event),
                                        reinterpret_cast<DWORD_PTR>(player.get()), CALLBACK_FUNCTION);
    if (opened != MMSYSERR_NOERROR) {
        trace_failure("waveOutOpen", opened);
        return nullptr;
    }
    player->device_.reset(device);

    // The worker owns a reference of its own: a player that ends by itself
    // is freed by its worker, with nobody left to reap it.
    auto worker_ref = std::make_unique<std::shared_ptr<WavePlayer>>(player);
    player_list::add(player);
    if (!player->worker_.start(&WavePlayer::work, worker_ref.get())) {
        trace_failure("CreateEventW/CreateThread", GetLastError());
        player_list::remove(player.get());
        return nullptr;
    }
    worker_ref.release();
    return player;
}

void WavePlayer::request_stop() { worker_.ask_to_stop(); }

bool WavePlayer::wait_until_ended(DWORD milliseconds) const { return worker_.wait(milliseconds); }

void WavePlayer::stop() {
    request_stop();
    wait_until_ended(kStopWaitMs);
}

PlayerStats WavePlayer::stats() const {
    PlayerStats s;
    s.peak_queued_bytes = static_cast<std::size_t>(peak_queued_bytes_.load());
    if (const std::int64_t first = first_queued_.load()) {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        s.start_latency_ms = static_cast<double>(first - requested_.QuadPart) * 1000.0 /
                             static_cast<double>(frequency.QuadPart);
    }
    return s;
}

void WavePlayer::work(void* context, HANDLE stop) {
    auto* self = static_cast<std::shared_ptr<WavePlayer>*>(context);
    WavePlayer& player = **self;
    // Should the feeding throw, the reference stays: the player, its device
    // included, is left as it is to the fatal error that ends the process.
    player.shut_down(!player.feed(stop));
    delete self;
}

void CALLBACK WavePlayer::device_event(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
    // Runs on the system's own thread, which may hold the device's locks:
    // calling back into waveOut from here can deadlock, so the buffer is only
    // counted as free and the worker does the rest.
    try {
        if (message != WOM_DONE) return;
        auto* player = reinterpret_cast<WavePlayer*>(instance);
        const auto* header = reinterpret_cast<const WAVEHDR*>(param1);
        player->queued_bytes_.fetch_sub(header->dwBufferLength);
        ReleaseSemaphore(player->free_slots_.get(), 1, nullptr);
    } catch (...) {
        fatal_error_from_exception();
    }
}

bool WavePlayer::feed(HANDLE stop) {
    const HANDLE wakers[] = {stop, free_slots_.get()};
    std::size_t offset = 0;
    std::size_t next_buffer = 0;
    // Slots taken after the data ran out: once all of them are back, every
    // buffer has been played and the sound has been heard to its end.
    std::size_t idle_slots = 0;
    for (;;) {
        // The stop event comes first so that it wins over a free slot.
        const DWORD woke = WaitForMultipleObjects(2, wakers, FALSE, kStallMs);
        if (woke == WAIT_OBJECT_0) return false;
        if (woke != WAIT_OBJECT_0 + 1) {
            trace_failure(woke == WAIT_TIMEOUT ? "waiting for a buffer (device stalled)" : "WaitForMultipleObjects",
                          woke == WAIT_TIMEOUT ? WAIT_TIMEOUT : GetLastError());
            return false;
        }

        if (offset < samples_.size()) {
            if (!queue(next_buffer, offset)) return false;
            offset += headers_[next_buffer].dwBufferLength;
            next_buffer = (next_buffer + 1) % kBufferCount;
            continue;
        }
        if (++idle_slots < kBufferCount) continue;
        if (!loop_) return true;
        // Each repetition starts after the previous one has been heard.
        offset = 0;
        idle_slots = 0;
        ReleaseSemaphore(free_slots_.get(), kSlots, nullptr);
    }
}

bool WavePlayer::queue(std::size_t buffer, std::size_t offset) {
    HWAVEOUT device = device_.get();
    WAVEHDR& header = headers_[buffer];
    // The slot came back, so this buffer (the oldest of the ring) is done.
    if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device, &header, sizeof header);

    const std::size_t length = std::min(kBufferBytes, samples_.size() - offset);
    char* bytes = reinterpret_cast<char*>(ring_.data()) + buffer * kBufferBytes;
    std::memcpy(bytes, samples_.data() + offset, length);
    header = WAVEHDR{};
    header.lpData = bytes;
    header.dwBufferLength = static_cast<DWORD>(length);
    if (const MMRESULT prepared = waveOutPrepareHeader(device, &header, sizeof header); prepared != MMSYSERR_NOERROR) {
        trace_failure("waveOutPrepareHeader", prepared);
        return false;
    }

    // Counted before the write: the callback may subtract it at once.
    const auto queued = queued_bytes_.fetch_add(static_cast<std::int64_t>(length)) + static_cast<std::int64_t>(length);
    if (queued > peak_queued_bytes_.load()) peak_queued_bytes_.store(queued);
    if (const MMRESULT written = waveOutWrite(device, &header, sizeof header); written != MMSYSERR_NOERROR) {
        trace_failure("waveOutWrite", written);
        queued_bytes_.fetch_sub(static_cast<std::int64_t>(length));
        return false;
    }
    if (first_queued_.load() == 0) first_queued_.store(ticks_now());
    return true;
}

void WavePlayer::shut_down(bool interrupted) {
    HWAVEOUT device = device_.get();
    if (interrupted) {
        // Pause first so that nothing more is heard while reset hands the
        // queued buffers back.
        waveOutPause(device);
        waveOutReset(device);
    }
    for (WAVEHDR& header : headers_) {
        if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device, &header, sizeof header);
    }
    // Out of the list before the device goes: a stop request that finds the
    // player after this point has nothing left to stop.
    player_list::remove(this);
    device_.reset();
    Bytes().swap(samples_);
    Bytes().swap(ring_);
}

void stop_all_wave_players() {
    const auto players = player_list::snapshot();
    // All are told first, so they silence their devices side by side.
    for (const auto& player : players) player->request_stop();
    for (const auto& player : players) player->wait_until_ended(kStopWaitMs);
}

std::size_t wave_player_count() { return player_list::snapshot().size(); }

}  // namespace formhost::win32::sound
