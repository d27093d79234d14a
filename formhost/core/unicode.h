#pragma once
// Unicode code points and their UTF-8 and UTF-16 forms. The host's texts are
// GB18030 bytes (gb18030.h); these forms are where they meet the system
// (UTF-16) and files written by other programs (UTF-8).

#include <optional>
#include <string>
#include <string_view>

namespace formhost::unicode {

inline constexpr char32_t kReplacement = 0xFFFD;

// A code point that some encoding can carry: not a surrogate half, not past
// U+10FFFF.
constexpr bool is_scalar_value(char32_t c) { return c < 0xD800 || (c > 0xDFFF && c <= 0x10FFFF); }

// Surrogate pairs are joined; a lone half cannot be told apart from damage,
// so it gives nullopt rather than a guess.
std::optional<std::u32string> from_utf16(std::u16string_view text);
// The same, with each lone half as U+FFFD.
std::u32string from_utf16_replacing(std::u16string_view text);
// Every scalar value has a UTF-16 form; a code point that is none gives U+FFFD.
std::u16string to_utf16(std::u32string_view text);

// nullopt unless the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing past U+10FFFF, no sequence cut short).
std::optional<std::u32string> from_utf8(std::string_view bytes);
// The same, with each byte that begins no well-formed sequence as U+FFFD;
// decoding goes on at the next byte.
std::u32string from_utf8_replacing(std::string_view bytes);
std::string to_utf8(std::u32string_view text);

}  // namespace formhost::unicode
