#include "formhost/core/media/format_record.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace formhost::media {
namespace {

const Bytes kPcm = {1, 0, 2, 0, 0x22, 0x56, 0, 0, 0x88, 0x58, 1, 0, 4, 0, 16, 0};  // PCM, stereo, 22050 Hz, 16 bits

Bytes with_cb_size(std::uint16_t cb_size, std::size_t extra_bytes) {
    Bytes body = kPcm;
    body.push_back(static_cast<std::uint8_t>(cb_size));
    body.push_back(static_cast<std::uint8_t>(cb_size >> 8));
    for (std::size_t i = 0; i < extra_bytes; ++i) body.push_back(static_cast<std::uint8_t>(0xA0 + i));
    return body;
}

int cb_size(const Bytes& record) { return record.size() < 18 ? -1 : record[16] | record[17] << 8; }

TEST(FormatRecord, TakesTheChunkAsAWaveFormatExWithoutReadingPastIt) {
    Bytes record = format_record(kPcm);
    EXPECT_EQ(record.size(), 18u) << "a PCMWAVEFORMAT gets its cbSize";
    EXPECT_EQ(cb_size(record), 0);
    EXPECT_TRUE(std::equal(kPcm.begin(), kPcm.end(), record.begin()));

    const Bytes extensible = with_cb_size(22, 22);
    EXPECT_EQ(format_record(extensible), extensible);

    record = format_record(with_cb_size(22, 4));
    EXPECT_EQ(record.size(), 22u) << "cbSize promises 22 bytes, the chunk holds 4";
    EXPECT_EQ(cb_size(record), 4);
    EXPECT_EQ(record.back(), 0xA3);

    EXPECT_EQ(format_record(with_cb_size(0, 6)).size(), 18u) << "bytes beyond cbSize are not part of the record";
    EXPECT_EQ(format_record(Bytes(kPcm.begin(), kPcm.end() - 1)), Bytes{}) << "shorter than a PCMWAVEFORMAT";
    EXPECT_EQ(format_record(Bytes{}), Bytes{});
}

}  // namespace
}  // namespace formhost::media
