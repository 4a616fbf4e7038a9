#pragma once

#include <cstdint>

// The benchmarks' random numbers: a fixed-seed splitmix64, so that generated data and chosen
// keys are the same on every machine.
class BenchRng {
public:
    explicit BenchRng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 <= result < n
    std::uint32_t below(std::uint32_t n) {
        return static_cast<std::uint32_t>(((next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }
    // true with probability percent/100
    bool chance(unsigned percent) { return below(1000) < percent * 10; }
    bool permille(unsigned p) { return below(1000) < p; }

private:
    std::uint64_t state_;
};
