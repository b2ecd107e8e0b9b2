#pragma once

// Solver: sets of the colours a cell may still take, one bit each.

#include "model/colours.hpp"

#include <bit>
#include <cstdint>

namespace zk {

/// The colours a cell may still take: bit i stands for COLOUR_TABLE[i].
using ColourSet = std::uint8_t;

constexpr int COLOUR_COUNT = static_cast<int>(COLOUR_TABLE.size());

/// The bit index of `letter`, or -1 when the byte is not one of the colour table's letters.
constexpr int colour_index(int letter) {
    for (int i = 0; i < COLOUR_COUNT; ++i)
        if (COLOUR_TABLE[i].letter == letter) return i;
    return -1;
}

constexpr int WHITE_INDEX = colour_index(WHITE);
constexpr ColourSet WHITE_BIT = ColourSet{1} << WHITE_INDEX;
constexpr ColourSet ALL_COLOURS = (ColourSet{1} << COLOUR_COUNT) - 1;
// The line solver keeps one coverage count per run colour and treats white apart.
static_assert(COLOUR_COUNT <= 8 && WHITE_INDEX == COLOUR_COUNT - 1,
              "white must be the last of at most eight colours");

/// The one-colour set of `letter`; empty when the byte is not a cell letter.
constexpr ColourSet colour_bit(int letter) {
    const int i = colour_index(letter);
    return i < 0 ? ColourSet{0} : static_cast<ColourSet>(ColourSet{1} << i);
}

/// True when exactly one colour is left.
constexpr bool is_decided(ColourSet s) {
    return s != 0 && (s & (s - 1)) == 0; // without a popcount call on older targets
}

/// The letter of a decided cell, or '?' while several colours remain (or none).
constexpr std::uint8_t letter_of(ColourSet s) {
    return is_decided(s) ? COLOUR_TABLE[std::countr_zero(s)].letter : std::uint8_t{'?'};
}

} // namespace zk
