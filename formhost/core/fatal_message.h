#pragma once
// The texts of the host's fatal error box. They are built in fixed buffers,
// never on the heap: an exhausted heap is one of the errors they report.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace formhost {

// Up to N bytes of GB18030 text, cut at a whole character when more is
// appended.
template <std::size_t N> class FixedText {
public:
    // `keep_free` bytes stay free for what must still follow.
    void append(std::string_view part, std::size_t keep_free = 0) {
        const std::size_t room = N - size_ > keep_free ? N - size_ - keep_free : 0;
        if (part.size() > room) part = whole_characters(part.substr(0, room));
        for (char c : part) bytes_[size_++] = c;
    }
    void append_number(std::uint64_t value, bool negative = false) {
        char digits[24];
        std::size_t count = 0;
        do digits[count++] = static_cast<char>('0' + value % 10);
        while ((value /= 10) != 0);
        if (negative) digits[count++] = '-';
        char in_order[24];
        for (std::size_t i = 0; i < count; ++i) in_order[i] = digits[count - 1 - i];
        append(std::string_view(in_order, count));
    }
    std::string_view view() const { return std::string_view(bytes_, size_); }

private:
    // Drops the start of a character whose other bytes were cut away: after a
    // lead byte (81 to FE) a digit marks a four-byte form, anything else a
    // two-byte one.
    static std::string_view whole_characters(std::string_view cut) {
        std::size_t i = 0;
        while (i < cut.size()) {
            const auto byte = static_cast<unsigned char>(cut[i]);
            const bool lead = byte >= 0x81 && byte <= 0xFE;
            const bool four = lead && i + 1 < cut.size() && cut[i + 1] >= '0' && cut[i + 1] <= '9';
            const std::size_t width = four ? 4 : lead ? 2 : 1;
            if (i + width > cut.size()) break;
            i += width;
        }
        return cut.substr(0, i);
    }

    char bytes_[N];
    std::size_t size_ = 0;
};

// Enough for the headline, a code and a few lines of text; a longer text is
// cut, the box stays readable.
using FatalMessage = FixedText<2048>;

// The headline, then the code when it is not 0 and the error text when there
// is one.
FatalMessage fatal_message(std::int32_t code, std::string_view text);

// "分配 N 字节内存失败!" for an allocation of `bytes` that failed.
FixedText<64> allocation_failed_text(std::uint64_t bytes);

// The host's own fatal errors, all with code 0.
namespace fatal {
inline constexpr const char* kFormBlockUnreadable = "载入窗口模板数据段出错!";
inline constexpr const char* kStartWindowFailed = "载入启动窗口失败";
inline constexpr const char* kWindowNotInProgram = "未载入欲访问窗口组件所在的窗口";
inline constexpr const char* kWindowNotLoaded = "指定窗口尚未载入";
inline constexpr const char* kEventWindowUnknown = "未找到引发事件的窗口";
inline constexpr const char* kEventControlUnknown = "未找到引发事件的窗口组件";
inline constexpr const char* kEventKindInvalid = "引发事件的窗口组件无效";
inline constexpr const char* kTargetNotLoaded = "指定窗口或窗口组件不存在或尚未载入";
}  // namespace fatal

inline constexpr const char* kFatalCaption = "错误";

}  // namespace formhost
