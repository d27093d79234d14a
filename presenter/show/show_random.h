#pragma once
// The show's random draws: every draw reseeds a linear congruential
// generator from the clock plus a counter that grows by at least 100 per
// reseed, so two draws in the same millisecond still differ.

#include <cstdint>
#include <functional>

namespace presenter {

class ShowRandom {
public:
    // `milliseconds` is the clock: the time since the system started.
    explicit ShowRandom(std::function<std::uint32_t()> milliseconds) : milliseconds_(std::move(milliseconds)) {}

    // An integer from lo to hi inclusive (negative bounds count as 0, swapped
    // bounds are put in order).
    int draw(int lo, int hi);

    std::uint32_t seed_counter() const { return seed_counter_; }
    std::uint32_t state() const { return state_; }

private:
    std::function<std::uint32_t()> milliseconds_;
    std::uint32_t seed_counter_ = 0;
    std::uint32_t state_ = 0;
};

}  // namespace presenter
