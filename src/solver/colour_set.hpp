#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace zk {

/// The colours a cell may still take: bit i stands for SOLVER_LETTERS[i].
using ColourSet = std::uint8_t;

/// Cell letters in bit order: the five run colours, then white.
inline constexpr std::array<std::uint8_t, 6> SOLVER_LETTERS{'E', 'Y', 'B', 'R', 'G', 'p'};
constexpr int COLOUR_COUNT = 6;
constexpr int WHITE_INDEX = 5;
constexpr ColourSet WHITE_BIT = ColourSet{1} << WHITE_INDEX;
constexpr ColourSet ALL_COLOURS = (ColourSet{1} << COLOUR_COUNT) - 1;

/// The bit index of `letter`, or -1 when the byte is not one of the six cell letters.
constexpr int colour_index(int letter) {
    for (int i = 0; i < COLOUR_COUNT; ++i)
        if (SOLVER_LETTERS[i] == letter) return i;
    return -1;
}

/// The one-colour set of `letter`; empty when the byte is not a cell letter.
constexpr ColourSet colour_bit(int letter) {
    const int i = colour_index(letter);
    return i < 0 ? ColourSet{0} : static_cast<ColourSet>(ColourSet{1} << i);
}

/// True when exactly one colour is left.
constexpr bool is_decided(ColourSet s) {
    return std::has_single_bit(s);
}

/// The letter of a decided cell, or '?' while several colours remain (or none).
constexpr std::uint8_t letter_of(ColourSet s) {
    return is_decided(s) ? SOLVER_LETTERS[std::countr_zero(s)] : std::uint8_t{'?'};
}

} // namespace zk
