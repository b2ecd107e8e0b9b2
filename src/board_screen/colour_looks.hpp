#pragma once

#include "model/colours.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

namespace zk {

/// How one colour of the puzzle is drawn: its name in the key legend and its attributes.
struct ColourLook {
    const char* legend_name; ///< name shown in the key legend
    std::uint8_t cell_attr;  ///< attribute of a board cell of this colour
    int clue_attr;           ///< foreground of its run lengths; -1 for white, which has no runs
    std::uint8_t legend_attr;
};

/// The look of each colour, in the order of COLOUR_TABLE.
inline constexpr std::array<ColourLook, COLOUR_TABLE.size()> COLOUR_LOOKS{{
    {"zielony", 160, 10, 10},
    {"zolty", 224, 14, 14},
    {"niebieski", 144, 9, 9},
    {"czerwony", 192, 12, 12},
    {"szary", 112, 7, 7},
    {"bialy", 240, -1, 15},
}};

/// The look of `colour`, an entry of COLOUR_TABLE.
constexpr const ColourLook& look_of(const Colour& colour) {
    return COLOUR_LOOKS[static_cast<std::size_t>(&colour - COLOUR_TABLE.data())];
}

/// The look of the colour whose letter is `letter`, or nullptr when the byte is not a colour.
constexpr const ColourLook* look_of_letter(int letter) {
    const Colour* colour = colour_of_letter(letter);
    return colour != nullptr ? &look_of(*colour) : nullptr;
}

} // namespace zk
