#include "text_bytes.h"

#include <algorithm>

namespace store {

std::string to_text(ByteView data) {
    const auto zero = std::find(data.begin(), data.end(), std::uint8_t{0});
    return std::string(data.begin(), zero);
}

Bytes to_byte_set(std::string_view text) {
    // A text ends at its first zero byte wherever it came from.
    text = text.substr(0, text.find('\0'));
    return Bytes(text.begin(), text.end());
}

}  // namespace store
