// How well the store's rule tells a hand-written UTF-8 slot file from a
// GB18030 one (store/slot_text.h): over random Chinese texts of 1 to 20
// characters, each written both ways, how many GB18030 files the rule would
// misread as UTF-8, and how many UTF-8 files it reads right. Two corpora:
// the 6,763 ideographs of GB2312 (rows B0–F7), and every character of
// GB2312's rows (A1–A9 too: punctuation, full-width forms, Greek, Cyrillic,
// box drawing).
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "formhost/core/gb18030.h"
#include "formhost/core/unicode.h"
#include "store/slot_text.h"

namespace {

constexpr int kTexts = 100000;

// The characters of the two-byte forms with a lead in [first, last] and a
// trail A1–FE, as GB18030 reads them; the rows' empty places (read as
// private use) are left out.
std::vector<char32_t> repertoire(std::vector<std::pair<int, int>> lead_ranges) {
    std::vector<char32_t> characters;
    for (const auto& [first, last] : lead_ranges)
        for (int lead = first; lead <= last; ++lead)
            for (int trail = 0xA1; trail <= 0xFE; ++trail) {
                const std::string form{static_cast<char>(lead), static_cast<char>(trail)};
                const char32_t c = formhost::gb18030::decode(form).front();
                if (c < 0xE000 || c > 0xF8FF) characters.push_back(c);
            }
    return characters;
}

struct Figures {
    int gb18030_misread = 0, utf8_read_right = 0, utf8_only_two_byte = 0;
};

Figures measure(const std::vector<char32_t>& characters, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(1, 20);
    std::uniform_int_distribution<std::size_t> pick(0, characters.size() - 1);
    Figures f;
    for (int n = 0; n < kTexts; ++n) {
        std::u32string text(static_cast<std::size_t>(length(random)), U'\0');
        for (char32_t& c : text) c = characters[pick(random)];
        const std::string gb18030 = *formhost::gb18030::encode(text);
        const std::string utf8 = formhost::unicode::to_utf8(text);
        f.gb18030_misread += store::reads_as_utf8(gb18030);
        const std::string read = store::slot_text(store::Bytes(utf8.begin(), utf8.end()));
        f.utf8_read_right += read == gb18030;
        bool only_two_byte = true;
        for (char32_t c : text) only_two_byte = only_two_byte && c < 0x800;
        f.utf8_only_two_byte += only_two_byte;
    }
    return f;
}

void report(const char* name, const std::vector<char32_t>& characters, std::uint32_t seed) {
    const Figures f = measure(characters, seed);
    std::printf("%s (%zu characters), %d texts of 1-20 characters:\n", name, characters.size(), kTexts);
    std::printf("  GB18030 files read as UTF-8: %d (%.3f %%)\n", f.gb18030_misread, 100.0 * f.gb18030_misread / kTexts);
    std::printf("  UTF-8 files read right:      %d (%.3f %%); %d of the texts have no three-byte character\n",
                f.utf8_read_right, 100.0 * f.utf8_read_right / kTexts, f.utf8_only_two_byte);
}

}  // namespace

int main() {
    report("GB2312 ideographs", repertoire({{0xB0, 0xF7}}), 1);
    report("all of GB2312's rows", repertoire({{0xA1, 0xA9}, {0xB0, 0xF7}}), 2);
    return 0;
}
