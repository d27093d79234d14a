#include "fatal_message.h"

namespace formhost {

FatalMessage fatal_message(std::int32_t code, std::string_view text) {
    FatalMessage message;
    message.append("运行时出错!\r\n\r\n");
    if (code != 0) {
        message.append("错误代码：");
        const std::int64_t wide = code;
        message.append_number(static_cast<std::uint64_t>(wide < 0 ? -wide : wide), wide < 0);
        message.append("\r\n\r\n");
    }
    if (!text.empty()) {
        message.append("错误信息：");
        message.append(text, 2);
        message.append("\r\n");
    }
    return message;
}

FixedText<64> allocation_failed_text(std::uint64_t bytes) {
    FixedText<64> text;
    text.append("分配 ");
    text.append_number(bytes);
    text.append(" 字节内存失败!");
    return text;
}

}  // namespace formhost
