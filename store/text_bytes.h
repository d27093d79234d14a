#pragma once
// Texts and byte sets as the store hands them over: a text is GB18030 bytes
// without a zero byte, a byte set any bytes. Empty stands for absent too.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace store {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// The bytes before the first zero byte.
std::string to_text(ByteView data);
// The text's bytes, without a terminator.
Bytes to_byte_set(std::string_view text);

}  // namespace store
