#pragma once

#include <cstdint>

namespace artgen {

// Integer hashing for reproducible randomness: the same inputs give the same pictures on every
// machine and compiler, which std:: distributions do not promise.
constexpr uint32_t Hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

constexpr uint32_t Hash32(uint32_t a, uint32_t b) { return Hash32(a ^ Hash32(b + 0x9e3779b9U)); }
constexpr uint32_t Hash32(uint32_t a, uint32_t b, uint32_t c) { return Hash32(Hash32(a, b), c); }

// A value in [0, 1) derived from the hash.
constexpr double HashUnit(uint32_t h) { return (h >> 8) * (1.0 / 16777216.0); }

}  // namespace artgen
