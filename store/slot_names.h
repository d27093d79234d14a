#pragma once
// The thirteen message slots as their file names (GB18030), fixed strings as both
// programs keep them. Slots 10 to 12 have three digits after the prefix: those
// are the files the show has always read, and the editor saves to the same
// ones, so every slot the user edits reaches the show.

#include <array>

namespace store {

inline constexpr std::size_t kSlotCount = 13;

inline constexpr std::array<const char*, kSlotCount> kSlotFiles{
    "数据库/tavimore00.txt",  "数据库/tavimore01.txt", "数据库/tavimore02.txt",  "数据库/tavimore03.txt",
    "数据库/tavimore04.txt",  "数据库/tavimore05.txt", "数据库/tavimore06.txt",  "数据库/tavimore07.txt",
    "数据库/tavimore08.txt",  "数据库/tavimore09.txt", "数据库/tavimore010.txt", "数据库/tavimore011.txt",
    "数据库/tavimore012.txt",
};

}  // namespace store
