#include "store/slot_names.h"

#include <gtest/gtest.h>

#include <string>

namespace store {
namespace {

// 数据库 in GBK, as the programs address the store's directory.
const std::string kDirectory = "\xCA\xFD\xBE\xDD\xBF\xE2/";

TEST(SlotNames, TwoDigitsUpToNineThenThree) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        // A zero, then the slot number: 00 to 09, then 010 to 012.
        const std::string number = "0" + std::to_string(slot);
        EXPECT_EQ(kSlotFiles[slot], kDirectory + "tavimore" + number + ".txt") << "slot " << slot;
    }
    EXPECT_STREQ(kSlotFiles[10], (kDirectory + "tavimore010.txt").c_str());
    EXPECT_STREQ(kSlotFiles[12], (kDirectory + "tavimore012.txt").c_str());
}

}  // namespace
}  // namespace store
