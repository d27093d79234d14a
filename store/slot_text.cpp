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

// UTF-8 decoded byte by byte where it is not well-formed: each bad byte is
// U+FFFD and decoding goes on at the next one.
std::u32string lenient_utf8(std::string_view bytes) {
    std::u32string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        // The longest well-formed prefix of up to four bytes is one character.
        bool taken = false;
        for (std::size_t length = std::min<std::size_t>(4, bytes.size() - i); length > 0; --length) {
            const auto one = formhost::unicode::from_utf8(bytes.substr(i, length));
            if (one && one->size() == 1) {
                out += *one;
                i += length;
                taken = true;
                break;
            }
        }
        if (!taken) {
            out.push_back(formhost::unicode::kReplacement);
            ++i;
        }
    }
    return out;
}

}  // namespace

bool reads_as_utf8(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return true;
    return has_long_sequence(bytes) && formhost::unicode::from_utf8(bytes).has_value();
}

std::string slot_text(ByteView data) {
    std::string text = to_text(data);
    if (!reads_as_utf8(text)) return text;
    std::string_view utf8 = text;
    if (utf8.starts_with(kUtf8Mark)) utf8.remove_prefix(kUtf8Mark.size());
    const auto decoded = formhost::unicode::from_utf8(utf8);
    // Every scalar value has a GB18030 form, so this cannot come back empty.
    return formhost::gb18030::encode(decoded ? *decoded : lenient_utf8(utf8)).value_or(std::string());
}

}  // namespace store
