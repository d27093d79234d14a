#pragma once
#include <optional>
#include <string>

namespace formc {

// UTF-8 source text to the GBK bytes the programs hold; nullopt when the text
// is not valid UTF-8 or has a character that GBK cannot hold.
std::optional<std::string> utf8_to_gbk(const std::string& utf8);

}  // namespace formc
