// The wave player under load: an 8 MB wave (44.1 kHz, 16-bit stereo) played
// for a few seconds. Prints the most sample bytes ever queued on the device,
// which the ring of buffers bounds, and how long a start request takes to
// reach the device: the first time, and over further restarts.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "formhost/core/byte_io.h"
#include "formhost/win32/sound/wave_player.h"
#include "support/waiting.h"

namespace {

namespace snd = formhost::win32::sound;
using formhost::Bytes;
using test_support::wait_until;

constexpr std::uint32_t kRate = 44100;
constexpr std::size_t kDataBytes = 8 * 1024 * 1024;
constexpr DWORD kPlayMs = 4000;
constexpr int kRestarts = 9;

void put16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

void put_tag(Bytes& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// A 440 Hz sine, the same on both channels.
Bytes sine_wave_file() {
    Bytes file;
    file.reserve(44 + kDataBytes);
    put_tag(file, "RIFF");
    put32(file, static_cast<std::uint32_t>(36 + kDataBytes));
    put_tag(file, "WAVE");
    put_tag(file, "fmt ");
    put32(file, 16);
    put16(file, 1);
    put16(file, 2);
    put32(file, kRate);
    put32(file, kRate * 4);
    put16(file, 4);
    put16(file, 16);
    put_tag(file, "data");
    put32(file, static_cast<std::uint32_t>(kDataBytes));
    for (std::size_t frame = 0; frame < kDataBytes / 4; ++frame) {
        const double t = static_cast<double>(frame) / kRate;
        const auto v = static_cast<std::uint16_t>(std::lround(8000 * std::sin(2 * std::numbers::pi * 440 * t)));
        put16(file, v);
        put16(file, v);
    }
    return file;
}

}  // namespace

int main() {
    if (waveOutGetNumDevs() == 0) {
        std::printf("sound_bench: no wave output device (run it inside a bench session)\n");
        return 1;
    }
    const Bytes file = sine_wave_file();

    const auto player = snd::WavePlayer::start(file, false);
    if (!player) {
        std::printf("sound_bench: the player did not start\n");
        return 1;
    }
    wait_until([&] { return player->ended(); }, kPlayMs, 50);
    const snd::PlayerStats played = player->stats();
    const bool ended_early = player->ended();
    player->stop();

    std::vector<double> latencies;
    for (int i = 0; i < kRestarts; ++i) {
        const auto again = snd::WavePlayer::start(file, false);
        if (!again) continue;
        wait_until([&] { return again->stats().start_latency_ms >= 0; }, 2000, 1);
        latencies.push_back(again->stats().start_latency_ms);
        again->stop();
    }
    std::sort(latencies.begin(), latencies.end());

    const std::size_t limit = snd::kBufferCount * snd::kBufferBytes;
    std::printf("sound_bench: played %u ms of %zu bytes%s\n", static_cast<unsigned>(kPlayMs), kDataBytes,
                ended_early ? " (ended early)" : "");
    std::printf("sound_bench: peak queued sample bytes: %zu (limit %zu)\n", played.peak_queued_bytes, limit);
    std::printf("sound_bench: start latency, first start: %.3f ms\n", played.start_latency_ms);
    if (!latencies.empty()) {
        std::printf("sound_bench: start latency over %zu restarts: median %.3f ms, max %.3f ms\n", latencies.size(),
                    latencies[latencies.size() / 2], latencies.back());
    }
    return played.peak_queued_bytes <= limit && played.start_latency_ms >= 0 ? 0 : 1;
}
