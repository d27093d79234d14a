#include "formhost/core/fatal_message.h"

#include <gtest/gtest.h>

#include <string>

namespace formhost {
namespace {

// Expected texts are spelt as GBK bytes, so the test also catches literals
// that were not compiled to GBK.
const std::string kHeadline = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";  // 运行时出错!
const std::string kCodeLabel = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";          // 错误代码：
const std::string kTextLabel = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";          // 错误信息：

std::string message(std::int32_t code, std::string_view text) { return std::string(fatal_message(code, text).view()); }

TEST(FatalMessage, HostErrorsCarryOnlyTheirText) {
    EXPECT_EQ(message(0, fatal::kFormBlockUnreadable),
              kHeadline + kTextLabel +
                  "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!\r\n");
}

TEST(FatalMessage, CodeAppearsOnlyWhenNotZeroAndTextOnlyWhenNotEmpty) {
    EXPECT_EQ(message(-5, "x"), kHeadline + kCodeLabel + "-5\r\n\r\n" + kTextLabel + "x\r\n");
    EXPECT_EQ(message(7, ""), kHeadline + kCodeLabel + "7\r\n\r\n");
    EXPECT_EQ(message(INT32_MIN, ""), kHeadline + kCodeLabel + "-2147483648\r\n\r\n");
    EXPECT_EQ(message(0, ""), kHeadline);
}

TEST(FatalMessage, AllocationFailureGivesTheByteCount) {
    // 分配 N 字节内存失败!
    EXPECT_EQ(std::string(allocation_failed_text(0).view()),
              "\xB7\xD6\xC5\xE4 0 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!");
    EXPECT_EQ(std::string(allocation_failed_text(UINT64_MAX).view()),
              "\xB7\xD6\xC5\xE4 18446744073709551615 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!");
}

TEST(FatalMessage, AnOverlongTextIsCutAtAWholeCharacterAndStillEndsItsLine) {
    // One ASCII byte first, so that the room left for the text is odd and the
    // cut would otherwise fall inside a two-byte character.
    const std::string text = "x" + std::string(8000, '\xB0');
    const std::string got = message(0, text);
    ASSERT_LE(got.size(), 2048u);
    EXPECT_GT(got.size(), 2040u);
    EXPECT_TRUE(got.ends_with("\xB0\xB0\r\n")) << "no half character before the line break";
    const std::size_t body = got.size() - kHeadline.size() - kTextLabel.size() - 3;  // "x" and CR LF
    EXPECT_EQ(body % 2, 0u);
}

TEST(FatalMessage, ACutNeverSplitsAFourByteCharacter) {
    const std::string heart = "\x81\x37\xAC\x33";  // U+2665 in GB18030
    for (std::size_t pad = 0; pad < 4; ++pad) {
        std::string text(pad, 'x');
        for (int i = 0; i < 600; ++i) text += heart;
        const std::string got = message(0, text);
        const std::size_t hearts = got.size() - kHeadline.size() - kTextLabel.size() - pad - 2;
        EXPECT_EQ(hearts % 4, 0u) << "pad " << pad;
        EXPECT_TRUE(got.ends_with(heart + "\r\n")) << "pad " << pad;
    }
}

}  // namespace
}  // namespace formhost
