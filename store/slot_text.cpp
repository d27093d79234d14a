#include "store/slot_text.h"

#include <algorithm>

#include "formhost/core/gb18030.h"
#include "formhost/core/unicode.h"

namespace store {
namespace {

bool has_long_sequence(std::string_view bytes) {
    // Lead bytes of three- and four-byte sequences are E0 to F4.
    return std::any_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) >= 0xE0; });
}

// The text's code points when the rule reads it as UTF-8, decoded once; a
// marked text that is not all well-formed keeps each bad byte as U+FFFD.
std::optional<std::u32string> as_utf8(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return formhost::unicode::from_utf8_replacing(bytes.substr(kUtf8Mark.size()));
    if (!has_long_sequence(bytes)) return std::nullopt;
    return formhost::unicode::from_utf8(bytes);
}

}  // namespace

bool reads_as_utf8(std::string_view bytes) { return as_utf8(bytes).has_value(); }

std::string slot_text(ByteView data) {
    std::string text = to_text(data);
    const std::optional<std::u32string> decoded = as_utf8(text);
    if (!decoded) return text;
    // Every scalar value has a GB18030 form, so this cannot come back empty.
    return formhost::gb18030::encode(*decoded).value_or(std::string());
}

}  // namespace store
