#include "format_record.h"

#include <algorithm>

#include "wave.h"

namespace formhost::media {
namespace {

// Offsets within WAVEFORMATEX: the PCMWAVEFORMAT part, then cbSize.
constexpr std::size_t kPcmSize = 16;
constexpr std::size_t kExtendedHeader = 18;

}  // namespace

Bytes format_record(ByteView fmt_body) {
    if (!read_wave_format(fmt_body)) return {};

    std::size_t extra = 0;
    if (fmt_body.size() >= kExtendedHeader) {
        const std::size_t claimed = fmt_body[16] | std::size_t{fmt_body[17]} << 8;
        extra = std::min(claimed, fmt_body.size() - kExtendedHeader);
    }
    Bytes record(kExtendedHeader + extra, 0);
    std::copy_n(fmt_body.begin(), kPcmSize, record.begin());
    if (extra > 0) std::copy_n(fmt_body.begin() + kExtendedHeader, extra, record.begin() + kExtendedHeader);
    record[16] = static_cast<std::uint8_t>(extra);
    record[17] = static_cast<std::uint8_t>(extra >> 8);
    return record;
}

}  // namespace formhost::media
