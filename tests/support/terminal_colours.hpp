#pragma once

// How a terminal's colours read back as the console colours (0..15) the program drew in,
// for the tests that watch what reaches a terminal. The classic palette's values come from the
// program; whether they are the right values is the palette's own test.

#include "console/palette.hpp"

#include <cstdint>

namespace zk::test {

/// The console colour of terminal colour number `index` (0..15): terminals order the bits
/// red, green, blue, the console blue, green, red; bit 3 is bright in both.
inline int console_colour_of_terminal_index(int index) {
    return ((index & 1) << 2) | (index & 2) | ((index & 4) >> 2) | (index & 8);
}

/// The classic console colour whose 24-bit value is `rgb` (0xRRGGBB), or -1.
inline int console_colour_of_rgb(std::uint32_t rgb) {
    for (int colour = 0; colour < 16; ++colour)
        if (palette_rgb(Palette::classic, colour) == rgb) return colour;
    return -1;
}

/// The classic console colour a fixed 256-colour palette index (16..255) shows as: the one
/// nearest the index's value when each channel is within 47 of it (the most a channel lies
/// from its nearest cube level), else -1. Indices 0..15 are the terminal's theme: -1.
inline int console_colour_of_fixed_index(int index) {
    if (index < 16 || index > 255) return -1;
    const std::uint32_t rgb = palette_256_rgb(index);
    int best = -1;
    int best_distance = 0;
    for (int colour = 0; colour < 16; ++colour) {
        const std::uint32_t classic = palette_rgb(Palette::classic, colour);
        int distance = 0;
        bool near = true;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int d = static_cast<int>((rgb >> shift) & 0xFF) -
                          static_cast<int>((classic >> shift) & 0xFF);
            near = near && d * d <= 47 * 47;
            distance += d * d;
        }
        if (near && (best < 0 || distance < best_distance)) {
            best = colour;
            best_distance = distance;
        }
    }
    return best;
}

} // namespace zk::test
