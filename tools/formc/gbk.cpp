#include "gbk.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace formc {

std::optional<std::string> utf8_to_gbk(const std::string& utf8) {
    if (utf8.empty()) return std::string();
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in = utf8;
    std::vector<char> out(utf8.size() * 2 + 4);  // GBK never needs more than UTF-8 + slack
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    const std::size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1) || in_left != 0) return std::nullopt;
    return std::string(out.data(), out.size() - out_left);
}

}  // namespace formc
