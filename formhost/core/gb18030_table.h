#pragma once
// The mapping tables behind gb18030.cpp, generated at build time by
// tools/gb18030/make_table.py.

#include <cstddef>
#include <cstdint>

namespace formhost::gb18030::detail {

inline constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
// Trail bytes of the two-byte form: 40–7E and 80–FE.
inline constexpr std::size_t kTrailsPerLead = 190;
inline constexpr std::size_t kTwoByteCount = (kLastLead - kFirstLead + 1) * kTrailsPerLead;

// The code point of each two-byte form, lead by lead, trail by trail.
extern const std::uint16_t kTwoByte[kTwoByteCount];

// A run of BMP code points whose four-byte forms have consecutive linear
// indexes (the index counts four-byte forms from 81 30 81 30 on).
struct FourByteRange {
    std::uint32_t first_index;
    std::uint32_t first_code_point;
    std::uint32_t count;
};
extern const FourByteRange kFourByteRanges[];
extern const std::size_t kFourByteRangeCount;

}  // namespace formhost::gb18030::detail
