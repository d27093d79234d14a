#include "store/slot_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "formhost/core/gb18030.h"

namespace store {
namespace {

Bytes bytes_of(std::string_view s) { return Bytes(s.begin(), s.end()); }

// "爱你♥" in each form.
constexpr std::string_view kGb18030 = "\xB0\xAE\xC4\xE3\x81\x37\xAC\x33";
constexpr std::string_view kUtf8 = "\xE7\x88\xB1\xE4\xBD\xA0\xE2\x99\xA5";

TEST(SlotText, ReadsGb18030AndUtf8FilesAsTheSameText) {
    EXPECT_EQ(slot_text(bytes_of(kGb18030)), kGb18030);
    EXPECT_EQ(slot_text(bytes_of(kUtf8)), kGb18030);
    EXPECT_EQ(slot_text(bytes_of(std::string(kUtf8Mark) + std::string(kUtf8))), kGb18030);
    // With the mark even ASCII, or nothing at all, is UTF-8: the mark goes.
    EXPECT_EQ(slot_text(bytes_of("\xEF\xBB\xBFI love you")), "I love you");
    EXPECT_EQ(slot_text(bytes_of(kUtf8Mark)), "");
    EXPECT_EQ(slot_text(Bytes{}), "");
}

TEST(SlotText, KeepsTheStoreRulesOfZeroBytesAndLineBreaks) {
    EXPECT_EQ(slot_text(bytes_of(std::string(kUtf8) + std::string("\r\nx\0y", 5))), std::string(kGb18030) + "\r\nx");
    EXPECT_EQ(slot_text(Bytes{0x41, 0x42, 0x00, 0x43}), "AB");
}

TEST(SlotText, AFileThatIsOnlyTwoByteUtf8OrNotUtf8AtAllIsGb18030) {
    // C2 A8 is "篓" in GBK and also well-formed UTF-8 for U+00A8; with no
    // three-byte sequence the file stays GB18030.
    EXPECT_FALSE(reads_as_utf8("\xC2\xA8"));
    EXPECT_EQ(slot_text(bytes_of("\xC2\xA8")), "\xC2\xA8");
    // "溷好": a three-byte lead not followed by continuation bytes.
    EXPECT_FALSE(reads_as_utf8("\xE4\xE3\xBA\xC3"));
    // Overlong forms and encoded surrogates are no UTF-8.
    EXPECT_FALSE(reads_as_utf8("\xE0\x80\xAF"));
    EXPECT_FALSE(reads_as_utf8("\xED\xA0\x80"));
}

TEST(SlotText, AMarkedFileDamagedLaterShowsWhatIsLeft) {
    const std::string damaged = std::string(kUtf8Mark) + "\xE7\x88\xB1\xFF" + "ok";
    EXPECT_EQ(formhost::gb18030::decode(slot_text(bytes_of(damaged))), U"爱\uFFFDok");
}

// The store that ships: every file is GB18030 that is not read as UTF-8, and
// a text read from it writes back to exactly the same bytes.
TEST(SlotText, TheDefaultStoreReadsAndRewritesToTheSameBytes) {
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(DEFAULT_STORE_DIR)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        EXPECT_FALSE(reads_as_utf8(bytes)) << entry.path();
        const std::string text = slot_text(bytes_of(bytes));
        const std::u32string decoded = formhost::gb18030::decode(text);
        EXPECT_EQ(decoded.find(U'\uFFFD'), std::u32string::npos) << entry.path();
        EXPECT_EQ(formhost::gb18030::encode(decoded), bytes) << entry.path();
    }
    EXPECT_EQ(files, 13u);
}

}  // namespace
}  // namespace store
