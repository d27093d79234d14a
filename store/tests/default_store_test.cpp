#include <gtest/gtest.h>

#include <iconv.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "store/slot_names.h"

namespace store {
namespace {

// The store that ships beside the programs: one file per slot under the
// names the programs open, each a single line of valid GBK.
TEST(DefaultStore, HoldsThirteenSingleLineGbkTexts) {
    const std::filesystem::path root = DEFAULT_STORE_DIR;
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) files += entry.is_regular_file();
    EXPECT_EQ(files, kSlotCount);

    iconv_t cd = iconv_open("UTF-8", "GBK");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (const char* gbk_name : kSlotFiles) {
        // The files sit on a Linux file system under their UTF-8 names.
        std::string name = gbk_name;
        char* in = name.data();
        std::size_t in_left = name.size();
        char utf8[256];
        char* out = utf8;
        std::size_t out_left = sizeof utf8;
        ASSERT_NE(iconv(cd, &in, &in_left, &out, &out_left), static_cast<std::size_t>(-1));
        const std::filesystem::path path = root / std::string(utf8, sizeof utf8 - out_left);

        std::ifstream file(path, std::ios::binary);
        ASSERT_TRUE(file) << path;
        std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        EXPECT_FALSE(text.empty()) << path;
        EXPECT_EQ(text.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << path;

        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* t_in = text.data();
        std::size_t t_left = text.size();
        char decoded[1024];
        char* t_out = decoded;
        std::size_t t_out_left = sizeof decoded;
        EXPECT_NE(iconv(cd, &t_in, &t_left, &t_out, &t_out_left), static_cast<std::size_t>(-1))
            << path << " is not GBK";
    }
    iconv_close(cd);
}

}  // namespace
}  // namespace store
