#include "store/text_bytes.h"

#include <gtest/gtest.h>

namespace store {
namespace {

TEST(ToText, EndsAtTheFirstZeroByte) {
    EXPECT_EQ(to_text(Bytes{0x41, 0x42, 0x00, 0x43, 0x44}), "AB");
    EXPECT_EQ(to_text(Bytes{0x00, 0x41}), "");
    EXPECT_EQ(to_text(Bytes{}), "");
    EXPECT_EQ(to_text(Bytes{'a', '\r', '\n', 'b'}), "a\r\nb") << "line breaks pass unchanged";
    EXPECT_EQ(to_text(Bytes{0xCA, 0xFD, 0xBE, 0xDD}), "\xCA\xFD\xBE\xDD");
}

TEST(ToByteSet, IsTheTextWithoutTerminator) {
    EXPECT_EQ(to_byte_set("AB"), (Bytes{0x41, 0x42}));
    EXPECT_TRUE(to_byte_set("").empty());
    EXPECT_EQ(to_byte_set(std::string_view("A\0B", 3)), (Bytes{0x41}));
    const std::string text = "\xD0\xDE\xB8\xC4\r\n";
    EXPECT_EQ(to_text(to_byte_set(text)), text);
}

}  // namespace
}  // namespace store
