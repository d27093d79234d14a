#include "sound_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "formhost/win32/sound/background_sound.h"
#include "formhost/win32/sound/wave_player.h"
#include "support/waiting.h"
#include "tests/bench/bench_env.h"

namespace sound_test {

void SoundTest::SetUp() {
    dir_ = bench::path_from_env(L"BENCH_CAPTURE_DIR");
    if (dir_.empty()) GTEST_SKIP() << "BENCH_CAPTURE_DIR unset: no bench session, so no sound device to listen to";
    ASSERT_GE(waveOutGetNumDevs(), 1u) << "the bench session has no wave device";
    ASSERT_EQ(formhost::win32::sound::wave_player_count(), 0u) << "a player survived an earlier test";
    remove_captures();
}

void SoundTest::TearDown() {
    formhost::win32::sound::stop_all();
    EXPECT_EQ(formhost::win32::sound::wave_player_count(), 0u);
}

std::wstring SoundTest::capture_path(std::uint32_t rate, std::uint16_t channels) const {
    return dir_ + L"\\capture_" + std::to_wstring(rate) + L"_" + std::to_wstring(channels) + L"_S16_LE.raw";
}

formhost::Bytes SoundTest::captured(std::uint32_t rate, std::uint16_t channels) const {
    formhost::Bytes bytes;
    HANDLE file = CreateFileW(capture_path(rate, channels).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    std::uint8_t buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    CloseHandle(file);
    return bytes;
}

formhost::Bytes SoundTest::wait_for_capture(std::uint32_t rate, std::uint16_t channels, std::size_t length,
                                            DWORD milliseconds) const {
    formhost::Bytes bytes;
    test_support::wait_until(
        [&] {
            bytes = captured(rate, channels);
            return bytes.size() >= length;
        },
        milliseconds);
    return bytes;
}

std::vector<std::wstring> SoundTest::capture_files() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir_ + L"\\capture_*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void SoundTest::remove_captures() const {
    for (const auto& name : capture_files()) DeleteFileW((dir_ + L'\\' + name).c_str());
}

Rounds read_rounds(const formhost::Bytes& capture, const formhost::Bytes& data) {
    Rounds rounds;
    std::size_t at = 0;
    while (at < capture.size()) {
        const std::size_t length = std::min(data.size(), capture.size() - at);
        const auto differs = std::mismatch(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length),
                                           capture.begin() + static_cast<std::ptrdiff_t>(at));
        if (differs.first != data.begin() + static_cast<std::ptrdiff_t>(length)) {
            const bool silent_to_end = std::all_of(differs.second, capture.end(),
                                                   [](std::uint8_t b) { return b == 0; });
            const auto matched = static_cast<std::size_t>(differs.first - data.begin());
            if (!silent_to_end) rounds.mismatch = at + matched;
            rounds.played += matched;
            return rounds;
        }
        at += length;
        rounds.played += length;
        if (length < data.size()) break;
        ++rounds.complete;
        const std::size_t silence_start = at;
        while (at < capture.size() && capture[at] == 0) ++at;
        rounds.longest_silence = std::max(rounds.longest_silence, at - silence_start);
    }
    return rounds;
}

::testing::AssertionResult played_once(const formhost::Bytes& capture, const formhost::Bytes& data,
                                       std::uint32_t bytes_per_second) {
    const Rounds rounds = read_rounds(capture, data);
    if (rounds.mismatch != std::string::npos) {
        return ::testing::AssertionFailure() << describe_mismatch(capture, data, rounds.mismatch);
    }
    if (rounds.complete != 1 || capture.size() < data.size()) {
        return ::testing::AssertionFailure() << rounds.complete << " whole rounds in " << capture.size()
                                             << " bytes captured of " << data.size() << " played";
    }
    const std::size_t silence = capture.size() - data.size();
    const std::size_t allowed = std::size_t{bytes_per_second} * kTrailingSilenceMs / 1000;
    if (silence > allowed) {
        return ::testing::AssertionFailure()
               << silence << " bytes of silence after the data, more than the " << allowed << " the device adds";
    }
    return ::testing::AssertionSuccess();
}

std::string describe_mismatch(const formhost::Bytes& capture, const formhost::Bytes& data, std::size_t at) {
    if (at >= capture.size()) return "no mismatch";
    std::string text = "at byte " + std::to_string(at) + " (offset " + std::to_string(at % data.size()) +
                       " of the data) got";
    char hex[8];
    for (std::size_t i = at; i < std::min(capture.size(), at + 12); ++i) {
        std::snprintf(hex, sizeof hex, " %02x", capture[i]);
        text += hex;
    }
    text += ", wanted";
    for (std::size_t i = at; i < std::min(capture.size(), at + 12); ++i) {
        std::snprintf(hex, sizeof hex, " %02x", data[i % data.size()]);
        text += hex;
    }
    const std::size_t probe = std::min<std::size_t>(64, data.size());
    const auto again = std::search(capture.begin() + static_cast<std::ptrdiff_t>(at), capture.end(), data.begin(),
                                   data.begin() + static_cast<std::ptrdiff_t>(probe));
    if (again != capture.end()) {
        const auto gap = again - capture.begin() - static_cast<std::ptrdiff_t>(at);
        const auto zeros = std::count(capture.begin() + static_cast<std::ptrdiff_t>(at), again, 0);
        text += "; the data starts again " + std::to_string(gap) + " bytes later (" + std::to_string(zeros) +
                " of them zero)";
    }
    return text + "; " + std::to_string(capture.size()) + " bytes captured";
}

}  // namespace sound_test
