#pragma once

// Shared screen parts: how each puzzle colour looks, its legend name and the attributes of its
// cells, clues and legend line. Constants only, so the level checker may take its clue colours.

#include "board_screen/layout.hpp"
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

/// The look of each colour, in the order of COLOUR_TABLE: a board cell is a blank on the
/// background of the colour the legend names it in.
inline constexpr std::array<ColourLook, COLOUR_TABLE.size()> COLOUR_LOOKS{{
    {"zielony", black_on(ATTR_LIGHT_GREEN), ATTR_LIGHT_GREEN, ATTR_LIGHT_GREEN},
    {"zolty", black_on(ATTR_YELLOW), ATTR_YELLOW, ATTR_YELLOW},
    {"niebieski", black_on(ATTR_LIGHT_BLUE), ATTR_LIGHT_BLUE, ATTR_LIGHT_BLUE},
    {"czerwony", black_on(ATTR_LIGHT_RED), ATTR_LIGHT_RED, ATTR_LIGHT_RED},
    {"szary", black_on(ATTR_GREY), ATTR_GREY, ATTR_GREY},
    {"bialy", black_on(ATTR_WHITE), -1, ATTR_WHITE},
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
