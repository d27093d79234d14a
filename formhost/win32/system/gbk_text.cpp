#include "formhost/win32/system/gbk_text.h"

#include <windows.h>

#include <climits>

namespace formhost::win32 {

std::wstring widen(std::string_view gbk) {
    if (gbk.empty() || gbk.size() > INT_MAX) return {};
    const int size = static_cast<int>(gbk.size());
    const int length = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, wide.data(), length);
    return wide;
}

std::string narrow(std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(kGbkCodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<std::size_t>(length), '\0');
    if (length > 0) WideCharToMultiByte(kGbkCodePage, 0, wide.data(), size, gbk.data(), length, nullptr, nullptr);
    return gbk;
}

}  // namespace formhost::win32
