#pragma once
// What the sound tests share: the bench's capture files (what the headless
// device played) and how a capture reads against the data played.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formhost/core/byte_io.h"

namespace sound_test {

// Runs only inside a bench session (BENCH_CAPTURE_DIR set), starts with no
// capture file and no player, and stops every sound when it ends.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Each open of the device starts the file of its format anew.
    std::wstring capture_path(std::uint32_t rate, std::uint16_t channels) const;
    formhost::Bytes captured(std::uint32_t rate, std::uint16_t channels) const;
    // Waits until the capture holds at least `length` bytes; what it holds then.
    formhost::Bytes wait_for_capture(std::uint32_t rate, std::uint16_t channels, std::size_t length,
                                     DWORD milliseconds) const;
    std::vector<std::wstring> capture_files() const;
    void remove_captures() const;

    std::wstring dir_;
};

// The capture read as rounds of `data` (which must not start with a zero
// byte), each from the data's start, with silence (zero bytes) only between
// rounds and after the last, whole or not: the device writes a period of
// silence when it runs dry and when it is stopped.
struct Rounds {
    std::size_t complete = 0;
    // Bytes that were the data's, not silence.
    std::size_t played = 0;
    std::size_t longest_silence = 0;
    // Where the capture stops being such rounds; npos if it never does.
    std::size_t mismatch = std::string::npos;
};
Rounds read_rounds(const formhost::Bytes& capture, const formhost::Bytes& data);

// Played once through: the data whole and unchanged, then only the silence
// the device writes while it runs dry before the player closes it: a 10 ms
// period, a few on a slow machine. More than kTrailingSilenceMs of it is the
// player's own, as a last buffer padded to full length would be.
inline constexpr std::uint32_t kTrailingSilenceMs = 40;
::testing::AssertionResult played_once(const formhost::Bytes& capture, const formhost::Bytes& data,
                                       std::uint32_t bytes_per_second);

// What the capture holds at `at` against what rounds of `data` would, and
// where the data's start shows up again after it: makes a gap, a repeat or a
// lost stretch readable in a failure message.
std::string describe_mismatch(const formhost::Bytes& capture, const formhost::Bytes& data, std::size_t at);

}  // namespace sound_test
