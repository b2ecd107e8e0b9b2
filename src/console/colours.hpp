#pragma once

#include <array>
#include <cstdint>

namespace zk {

/// One colour of the board: the key that paints it, its letter in grids and level files,
/// its legend name, and the attributes it is drawn in.
struct Colour {
    char key;                ///< '1' .. '6'
    std::uint8_t letter;     ///< 'E', 'Y', 'B', 'R', 'G' or 'p'
    const char* legend_name; ///< name shown in the key legend
    std::uint8_t cell_attr;  ///< attribute of a board cell of this colour
    int clue_attr;           ///< foreground of its run lengths; -1 for white, which has no runs
    std::uint8_t legend_attr;
};

inline constexpr std::array<Colour, 6> COLOUR_TABLE{{
    {'1', 'E', "zielony", 160, 10, 10},
    {'2', 'Y', "zolty", 224, 14, 14},
    {'3', 'B', "niebieski", 144, 9, 9},
    {'4', 'R', "czerwony", 192, 12, 12},
    {'5', 'G', "szary", 112, 7, 7},
    {'6', 'p', "bialy", 240, -1, 15},
}};

inline constexpr std::uint8_t WHITE = 'p';

/// The colour whose letter is `letter`, or nullptr when the byte is not a colour.
constexpr const Colour* colour_of_letter(int letter) {
    for (const Colour& c : COLOUR_TABLE)
        if (c.letter == letter) return &c;
    return nullptr;
}

/// The colour painted by key code `code`, or nullptr when the code is not a paint key.
constexpr const Colour* colour_of_key(int code) {
    for (const Colour& c : COLOUR_TABLE)
        if (c.key == code) return &c;
    return nullptr;
}

/// True for the five letters that form runs (every colour but white).
constexpr bool is_run_colour(int letter) {
    const Colour* c = colour_of_letter(letter);
    return c != nullptr && c->clue_attr >= 0;
}

// Code page 852 glyph bytes the screens draw.
inline constexpr std::uint8_t GLYPH_CURSOR = 248; // degree sign
inline constexpr std::uint8_t GLYPH_EDGE = 254;   // small filled square
inline constexpr std::uint8_t GLYPH_BLOCK = 219;  // full block
inline constexpr std::uint8_t GLYPH_BOX_TL = 201; // double-line corners and edges
inline constexpr std::uint8_t GLYPH_BOX_TR = 187;
inline constexpr std::uint8_t GLYPH_BOX_BL = 200;
inline constexpr std::uint8_t GLYPH_BOX_BR = 188;
inline constexpr std::uint8_t GLYPH_BOX_HORIZONTAL = 205;
inline constexpr std::uint8_t GLYPH_BOX_VERTICAL = 186;

} // namespace zk
