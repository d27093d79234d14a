#pragma once
// Deterministic pseudo-random numbers and smooth noise: the same seeds give
// the same pictures and sounds on every machine.

#include <cstdint>

namespace assets {

// splitmix64; the standard library's distributions are not the same
// everywhere, these are.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform();                      // [0, 1)
    double uniform(double lo, double hi);  // [lo, hi)
    int below(int n);                      // [0, n)

private:
    std::uint64_t state_;
};

// Smooth value noise in about [0, 1], and its fractal sum over octaves.
double value_noise(double x, double y, std::uint32_t seed);
double fbm(double x, double y, int octaves, std::uint32_t seed);

}  // namespace assets
