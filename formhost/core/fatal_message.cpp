#include "fatal_message.h"

namespace formhost {

std::string fatal_message(std::int32_t code, const std::string& text) {
    std::string message = "运行时出错!\r\n\r\n";
    if (code != 0) message += "错误代码：" + std::to_string(code) + "\r\n\r\n";
    if (!text.empty()) message += "错误信息：" + text + "\r\n";
    return message;
}

}  // namespace formhost
