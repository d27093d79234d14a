// libFuzzer target: texts from anywhere (a slot file, a font's character
// map) must give a result for any bytes. GB18030 and UTF-8 decoding never
// fail, what they give encodes and reads back the same, and a font's cmap
// table gives a map or an empty one.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formhost/core/character_map.h"
#include "formhost/core/gb18030.h"
#include "formhost/core/unicode.h"
#include "store/slot_text.h"

using namespace formhost;

static void check(bool condition) {
    if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::u32string decoded = gb18030::decode(bytes);
    check(decoded.size() <= bytes.size());
    const auto encoded = gb18030::encode(decoded);
    check(encoded.has_value());
    check(gb18030::decode(*encoded) == decoded);

    if (const auto utf8 = unicode::from_utf8(bytes)) check(unicode::to_utf8(*utf8) == bytes);

    // A file read as UTF-8 becomes well-formed GB18030; any other is passed
    // on as it is, up to its first zero byte.
    const std::string text = store::slot_text(store::ByteView(data, size));
    check(text.find('\0') == std::string::npos);
    const std::string raw = store::to_text(store::ByteView(data, size));
    if (store::reads_as_utf8(raw)) {
        check(gb18030::encode(gb18030::decode(text)) == text);
    } else {
        check(text == raw);
    }

    const CharacterMap map = CharacterMap::parse({data, size});
    for (char32_t c : {U'A', U'\u7231', U'\u2665', U'\U0001F600'}) map.glyph(c);
    return 0;
}
