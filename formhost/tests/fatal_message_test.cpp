#include "formhost/core/fatal_message.h"

#include <gtest/gtest.h>

namespace formhost {
namespace {

// Expected texts are spelt as GBK bytes, so the test also catches literals
// that were not compiled to GBK.
const std::string kHeadline = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";  // 运行时出错!
const std::string kCodeLabel = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";         // 错误代码：
const std::string kTextLabel = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";         // 错误信息：

TEST(FatalMessage, HostErrorsCarryOnlyTheirText) {
    EXPECT_EQ(fatal_message(0, fatal::kFormBlockUnreadable),
              kHeadline + kTextLabel +
                  "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!\r\n");
}

TEST(FatalMessage, CodeAppearsOnlyWhenNotZeroAndTextOnlyWhenNotEmpty) {
    EXPECT_EQ(fatal_message(-5, "x"), kHeadline + kCodeLabel + "-5\r\n\r\n" + kTextLabel + "x\r\n");
    EXPECT_EQ(fatal_message(7, ""), kHeadline + kCodeLabel + "7\r\n\r\n");
    EXPECT_EQ(fatal_message(0, ""), kHeadline);
}

}  // namespace
}  // namespace formhost
