#include "show_random.h"

#include <algorithm>

namespace presenter {

int ShowRandom::draw(int lo, int hi) {
    const std::uint32_t seed = milliseconds_() + seed_counter_;
    seed_counter_ += (seed & 0xFF) + 100;
    state_ = seed;

    lo = std::max(lo, 0);
    hi = std::max(hi, 0);
    if (lo > hi) std::swap(lo, hi);
    if (lo == hi) return lo;

    // The common generator with multiplier 214013 and increment 2531011,
    // giving bits 16 to 30 of its state.
    state_ = state_ * 214013u + 2531011u;
    const std::uint32_t r = (state_ >> 16) & 0x7FFF;
    std::uint32_t range = static_cast<std::uint32_t>(hi) - static_cast<std::uint32_t>(lo) + 1;
    if (range == 0x80000000u) range = 0x7FFFFFFE;
    return lo + static_cast<int>(r % range);
}

}  // namespace presenter
