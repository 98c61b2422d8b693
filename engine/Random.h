// The program's one pseudo-random generator: a 32-bit linear congruential state.
// A draw below N advances the state and takes the upper half of state × N.
#pragma once

#include <cstdint>

namespace Random {

constexpr std::uint32_t Multiplier = 134775813;

// One state per thread: every thread that runs a generation draws its own sequence in its
// own order, so generators on several threads neither race nor change each other's pictures.
inline thread_local std::uint32_t RandSeed = 0;

inline void Seed(std::uint32_t Value) { RandSeed = Value; }

// An integer from 0 to N − 1; N must be positive.
inline std::int32_t Below(std::int32_t N) {
    RandSeed = RandSeed * Multiplier + 1;
    return static_cast<std::int32_t>((std::uint64_t(RandSeed) * std::uint32_t(N)) >> 32);
}

}  // namespace Random
