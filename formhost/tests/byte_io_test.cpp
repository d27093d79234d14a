#include "formhost/core/byte_io.h"

#include <gtest/gtest.h>

namespace formhost {
namespace {

TEST(ByteReader, ReadsLittleEndianAndFailsPastTheEnd) {
    const Bytes data{0x78, 0x56, 0x34, 0x12, 0xCD, 0xAB, 0x01};
    ByteReader in(data);
    EXPECT_EQ(in.u32(), 0x12345678u);
    EXPECT_EQ(in.u16(), 0xABCDu);
    EXPECT_TRUE(in.ok());
    EXPECT_EQ(in.u16(), 0u) << "only one byte left";
    EXPECT_FALSE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(in.u32(), 0u) << "a failed reader stays failed";
}

TEST(ByteReader, LengthPrefixedFieldsAreBoundsChecked) {
    ByteWriter w;
    w.text("abc");
    Bytes data = w.take();
    EXPECT_EQ(ByteReader(data).text(), "abc");

    data[0] = 4;  // claims one byte more than there is
    ByteReader in(data);
    EXPECT_EQ(in.text(), "");
    EXPECT_FALSE(in.ok());

    const Bytes huge{0xFF, 0xFF, 0xFF, 0xFF, 1, 2};
    ByteReader big(huge);
    EXPECT_TRUE(big.bytes().empty());
    EXPECT_FALSE(big.ok());
}

TEST(ByteReader, ZeroEndedStringNeedsItsTerminator) {
    const Bytes good{'a', 'b', 0, 'c'};
    ByteReader in(good);
    EXPECT_EQ(in.zstring(), "ab");
    EXPECT_EQ(in.remaining(), 1u);

    const Bytes unterminated{'a', 'b'};
    ByteReader bad(unterminated);
    bad.zstring();
    EXPECT_FALSE(bad.ok());
}

TEST(ByteWriter, RefusesZeroInsideZeroEndedString) {
    ByteWriter w;
    EXPECT_THROW(w.zstring(std::string("a\0b", 3)), std::invalid_argument);
}

}  // namespace
}  // namespace formhost
