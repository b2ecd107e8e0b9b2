#pragma once

// Model: the puzzle's colours, their paint keys and their letters in grids and level files.

#include <array>
#include <cstdint>

namespace zk {

/// One colour of the puzzle: the key that paints it and its letter in grids and level files.
struct Colour {
    char key;            ///< '1' .. '6'
    std::uint8_t letter; ///< 'E', 'Y', 'B', 'R', 'G' or 'p'
};

/// Every colour, in the order of its paint key; white last.
inline constexpr std::array<Colour, 6> COLOUR_TABLE{{
    {'1', 'E'},
    {'2', 'Y'},
    {'3', 'B'},
    {'4', 'R'},
    {'5', 'G'},
    {'6', 'p'},
}};

/// The letter of white, the colour of an unpainted cell; it forms no runs.
inline constexpr std::uint8_t WHITE = 'p';

/// The colour whose letter is `letter`, or nullptr when the byte is not a colour.
constexpr const Colour* colour_of_letter(int letter) {
    for (const Colour& colour : COLOUR_TABLE)
        if (colour.letter == letter) return &colour;
    return nullptr;
}

/// The colour painted by key code `code`, or nullptr when the code is not a paint key.
constexpr const Colour* colour_of_key(int code) {
    for (const Colour& colour : COLOUR_TABLE)
        if (colour.key == code) return &colour;
    return nullptr;
}

/// True for the five letters that form runs (every colour but white).
constexpr bool is_run_colour(int letter) {
    return letter != WHITE && colour_of_letter(letter) != nullptr;
}

} // namespace zk
