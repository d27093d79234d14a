#pragma once
#include <string>

// Two texts of different lengths, each recognisable as a whole.
inline std::string hammer_text(int which) {
    return which == 0 ? std::string(1000, 'a') : std::string(300000, 'b') + "end";
}
