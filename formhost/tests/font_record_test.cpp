#include "formhost/core/font_record.h"

#include <gtest/gtest.h>

namespace formhost {
namespace {

TEST(FontRecord, LayoutMatchesLogFontA) {
    FontRecord f;
    f.height = -64;
    f.weight = 700;
    f.out_precision = 3;
    f.clip_precision = 2;
    f.quality = 1;
    f.pitch_and_family = 0x31;
    f.face = "\xBF\xAC\xCC\xE5";  // 楷体
    const Bytes bytes = write_font_record(f);
    ASSERT_EQ(bytes.size(), 60u);
    EXPECT_EQ(bytes[0], 0xC0);  // -64 little-endian
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[16], 0xBC);  // 700
    EXPECT_EQ(bytes[17], 0x02);
    EXPECT_EQ(bytes[24], 3);     // output precision
    EXPECT_EQ(bytes[27], 0x31);  // pitch and family
    EXPECT_EQ(bytes[28], 0xBF);  // face
    EXPECT_EQ(bytes[32], 0);
    EXPECT_EQ(read_font_record(bytes), f);
}

TEST(FontRecord, LongFaceKeepsTerminatorAndWrongSizeIsRejected) {
    FontRecord f;
    f.face = std::string(40, 'x');
    const Bytes bytes = write_font_record(f);
    EXPECT_EQ(bytes[59], 0);
    EXPECT_EQ(read_font_record(bytes)->face, std::string(31, 'x'));

    Bytes unterminated(60, 'y');
    EXPECT_EQ(read_font_record(unterminated)->face, std::string(31, 'y'));

    EXPECT_FALSE(read_font_record(Bytes(59)));
    EXPECT_FALSE(read_font_record(Bytes(61)));
}

}  // namespace
}  // namespace formhost
