#pragma once
// Lines of a text as the canvas writes them. A break is one CR or one LF, and
// an LF right after the break character belongs to the same break: CR LF is
// one break, LF LF is one break too, CR CR is two. The empty text, and the
// empty rest after a final break, are one empty line each.

#include <string>
#include <string_view>
#include <vector>

namespace formhost {

std::vector<std::string> split_lines(std::string_view text);

}  // namespace formhost
