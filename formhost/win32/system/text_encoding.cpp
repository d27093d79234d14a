#include "formhost/win32/system/text_encoding.h"

#include "formhost/core/gb18030.h"
#include "formhost/core/unicode.h"

namespace formhost::win32 {
namespace {

// wchar_t is a UTF-16 unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::u16string_view units(std::wstring_view wide) {
    return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

}  // namespace

std::wstring widen(std::string_view text) {
    const std::u16string utf16 = unicode::to_utf16(gb18030::decode(text));
    return std::wstring(utf16.begin(), utf16.end());
}

std::string narrow(std::wstring_view wide) {
    return gb18030::encode(unicode::from_utf16_replacing(units(wide))).value_or(std::string());
}

std::optional<std::string> narrow_exactly(std::wstring_view wide) {
    const std::optional<std::u32string> code_points = unicode::from_utf16(units(wide));
    if (!code_points) return std::nullopt;
    return gb18030::encode(*code_points);
}

}  // namespace formhost::win32
