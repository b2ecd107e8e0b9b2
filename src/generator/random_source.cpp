// The generator's random stream (splitmix64) and its mapping to ranges.

#include "generator/random_source.hpp"

namespace zk {

std::uint64_t next_bits(RandomSource& random) {
    std::uint64_t z = (random.state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

std::uint32_t below(RandomSource& random, std::uint32_t bound) {
    const std::uint64_t high = next_bits(random) >> 32;
    return static_cast<std::uint32_t>((high * bound) >> 32);
}

} // namespace zk
