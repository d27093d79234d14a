#pragma once
// The host's texts are GBK bytes whatever the system's ANSI code page is; they
// meet the system only through these conversions and its wide-character API.

#include <string>
#include <string_view>

namespace formhost::win32 {

inline constexpr unsigned kGbkCodePage = 936;

std::wstring widen(std::string_view gbk);
std::string narrow(std::wstring_view wide);

}  // namespace formhost::win32
