#pragma once

// The console's colours as an ANSI terminal takes them: the colour modes, the mode a terminal's
// TERM and COLORTERM call for, and the SGR codes of an attribute. Plain text, no terminal state,
// so that a program that only prints coloured text (the level checker) needs nothing more.

#include "console/palette.hpp"

#include <cstdint>
#include <string>

namespace zk {

/// How colours are sent to the terminal.
enum class ColourMode {
    basic16,    ///< the terminal's own 16 colours (SGR 30..37, 90..97, 40..47, 100..107)
    indexed256, ///< for each console colour the fixed 256-colour palette index nearest its
                ///< value in the palette (the 6 x 6 x 6 cube and the grey ramp, 16..255)
    rgb24,      ///< the palette's values as 24-bit colours
};

/// The colour mode for the values of COLORTERM and TERM; either may be null. 24-bit colour
/// when COLORTERM is "truecolor" or "24bit"; otherwise 256 colours when TERM ends in
/// "-256color"; otherwise 16 colours.
ColourMode colour_mode(const char* colorterm, const char* term);

/// The console colour (0..15) of attribute `attr`'s foreground, its low four bits.
constexpr int foreground_of(int attr) {
    return attr & 15;
}

/// The console colour (0..15) of attribute `attr`'s background, its high four bits.
constexpr int background_of(int attr) {
    return (attr >> 4) & 15;
}

/// Appends the SGR parameters that select console colour `colour` (0..15) as the foreground,
/// or as the background, without the sequence's opening and closing bytes; its value taken
/// from `palette` where the mode takes chosen colours.
void append_foreground_sgr(std::string& out, int colour, ColourMode colours, Palette palette);
void append_background_sgr(std::string& out, int colour, ColourMode colours, Palette palette);

/// The SGR sequence that selects console attribute `attr` (foreground and background), its
/// colours sent as `palette` has them where the mode takes chosen colours.
std::string attribute_sgr(std::uint8_t attr, ColourMode colours,
                          Palette palette = Palette::classic);

} // namespace zk
