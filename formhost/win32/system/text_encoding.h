#pragma once
// The host's texts are GB18030 bytes (GBK for every character GBK has),
// whatever the system's ANSI code page is; they meet the system only through
// these conversions, done by the host's own codec, and its wide-character
// API. Every character the system can hold has a form, emoji included.

#include <optional>
#include <string>
#include <string_view>

namespace formhost::win32 {

// Bytes that are no GB18030 show as U+FFFD.
std::wstring widen(std::string_view text);
// A lone surrogate half, the only thing that has no form, becomes U+FFFD.
std::string narrow(std::wstring_view wide);
// nullopt where narrow would have to change the text.
std::optional<std::string> narrow_exactly(std::wstring_view wide);

}  // namespace formhost::win32
