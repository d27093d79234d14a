#include "formhost/core/unicode.h"

namespace formhost::unicode {

namespace {

bool is_high_half(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool is_low_half(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Code points of UTF-16; `lone` decides what a lone half gives, false when
// the conversion is to stop there.
template <class LoneHalf> bool each_code_point(std::u16string_view text, std::u32string& out, LoneHalf lone) {
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (is_high_half(unit) && i + 1 < text.size() && is_low_half(text[i + 1])) {
            out.push_back(0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00));
            ++i;
        } else if (is_high_half(unit) || is_low_half(unit)) {
            if (!lone(out)) return false;
        } else {
            out.push_back(unit);
        }
    }
    return true;
}

}  // namespace

std::optional<std::u32string> from_utf16(std::u16string_view text) {
    std::u32string out;
    if (!each_code_point(text, out, [](std::u32string&) { return false; })) return std::nullopt;
    return out;
}

std::u32string from_utf16_replacing(std::u16string_view text) {
    std::u32string out;
    each_code_point(text, out, [](std::u32string& o) {
        o.push_back(kReplacement);
        return true;
    });
    return out;
}

std::u16string to_utf16(std::u32string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (!is_scalar_value(c)) c = kReplacement;
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        }
    }
    return out;
}

namespace {

// Code points of UTF-8; `bad` decides what a byte that begins no
// well-formed sequence gives, false when the conversion is to stop there
// (else decoding goes on at the next byte).
template <class BadByte> bool each_utf8_code_point(std::string_view bytes, std::u32string& out, BadByte bad) {
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        // The lead byte tells the length and the smallest code point that
        // needs it; anything below that is an overlong form.
        std::size_t length = 0;
        char32_t c = 0, least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, c = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, c = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, c = lead & 0x07, least = 0x10000;
        }
        bool well_formed = length != 0 && bytes.size() - i >= length;
        for (std::size_t k = 1; well_formed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            well_formed = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (well_formed && c >= least && is_scalar_value(c)) {
            out.push_back(c);
            i += length;
        } else {
            if (!bad(out)) return false;
            ++i;
        }
    }
    return true;
}

}  // namespace

std::optional<std::u32string> from_utf8(std::string_view bytes) {
    std::u32string out;
    if (!each_utf8_code_point(bytes, out, [](std::u32string&) { return false; })) return std::nullopt;
    return out;
}

std::u32string from_utf8_replacing(std::string_view bytes) {
    std::u32string out;
    each_utf8_code_point(bytes, out, [](std::u32string& o) {
        o.push_back(kReplacement);
        return true;
    });
    return out;
}

std::string to_utf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (!is_scalar_value(c)) c = kReplacement;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace formhost::unicode
