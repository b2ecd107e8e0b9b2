#pragma once

// The generator's own random numbers: one small, fully specified generator and one mapping
// to ranges, so that a seed gives the same numbers on every platform and build.

#include <cstdint>

namespace zk {

/// A splitmix64 stream: 64 bits of state, each step adds a fixed odd constant and mixes.
struct RandomSource {
    std::uint64_t state = 0;
};

/// The next 64 random bits; advances the stream.
std::uint64_t next_bits(RandomSource& random);

/// A number in 0 .. bound - 1 (0 when bound is 0), from the high half of the next bits scaled
/// by multiplication: the same on every platform, and biased by at most bound / 2^32.
std::uint32_t below(RandomSource& random, std::uint32_t bound);

} // namespace zk
