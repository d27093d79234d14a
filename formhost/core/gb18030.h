#pragma once
// GB18030, the encoding of every host text and of the message store. It keeps
// GBK's bytes for every character that GBK has, so texts and slot files
// written as GBK (code page 936) read the same, and gives every other Unicode
// character, emoji and Hangul included, a form of its own: nothing a user
// types has to become a question mark. The one code page 936 byte that
// GB18030 lacks, 0x80 for the euro sign, is still read as the euro sign; it
// is written as GB18030 writes it, A2 E3.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace formhost::gb18030 {

// Never fails: each byte that begins no GB18030 character, and a character
// cut short at the end, becomes U+FFFD, and decoding goes on at the next byte.
std::u32string decode(std::string_view bytes);
// The character at `at`, which moves past it; `at` must be inside the bytes.
// For callers that must not allocate.
char32_t decode_next(std::string_view bytes, std::size_t& at);

// nullopt when the text holds a code point that is no Unicode scalar value;
// every scalar value has a form.
std::optional<std::string> encode(std::u32string_view text);

}  // namespace formhost::gb18030
