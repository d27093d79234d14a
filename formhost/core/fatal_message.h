#pragma once
#include <cstdint>
#include <string>

namespace formhost {

// The text of the host's fatal error box: the headline, then the code when it
// is not 0 and the error text when there is one.
std::string fatal_message(std::int32_t code, const std::string& text);

// The host's own fatal errors, all with code 0.
namespace fatal {
inline constexpr const char* kFormBlockUnreadable = "载入窗口模板数据段出错!";
inline constexpr const char* kStartWindowFailed = "载入启动窗口失败";
inline constexpr const char* kAllocationFailed = "分配 %d 字节内存失败!";
inline constexpr const char* kWindowNotInProgram = "未载入欲访问窗口组件所在的窗口";
inline constexpr const char* kWindowNotLoaded = "指定窗口尚未载入";
inline constexpr const char* kEventWindowUnknown = "未找到引发事件的窗口";
inline constexpr const char* kEventControlUnknown = "未找到引发事件的窗口组件";
inline constexpr const char* kEventKindInvalid = "引发事件的窗口组件无效";
inline constexpr const char* kTargetNotLoaded = "指定窗口或窗口组件不存在或尚未载入";
}  // namespace fatal

inline constexpr const char* kFatalCaption = "错误";

}  // namespace formhost
