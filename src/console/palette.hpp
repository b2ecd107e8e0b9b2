#pragma once

// Console: the palettes the 16 console colours are sent in where a terminal takes chosen
// colours, and their names.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zk {

/// The colours the 16 console colours are sent as in the 256-colour and 24-bit modes.
enum class Palette {
    classic,      ///< the classic console colours, with a light blue that reads well on black
    colour_blind, ///< colours that stay apart for players who cannot tell red from green
};

/// The environment variable that chooses the palette when no --palette option does, for the
/// game and the level checker alike.
inline constexpr std::string_view PALETTE_VARIABLE = "ZIMVOKRELT_PALETTE";

/// The palette called `name` ("classic" or "colour-blind"), or nothing for any other name.
std::optional<Palette> palette_named(std::string_view name);

/// The 24-bit value, as 0xRRGGBB, console colour `colour` (0..15, Windows order: bit 0 blue,
/// bit 1 green, bit 2 red, bit 3 intensity) is sent as in `palette`.
std::uint32_t palette_rgb(Palette palette, int colour);

/// The fixed 256-colour palette index console colour `colour` (0..15) is sent as in `palette`:
/// the one nearest its 24-bit value, the lowest of equally near ones; always 16..255, whose
/// values terminals do not theme.
int palette_index_256(Palette palette, int colour);

/// The six levels of each channel in the 256-colour palette's 6 x 6 x 6 cube (16..231).
inline constexpr std::array<int, 6> CUBE_LEVELS{0, 95, 135, 175, 215, 255};

/// The value of fixed 256-colour palette index `index` (16..255) as 0xRRGGBB: the 6 x 6 x 6
/// cube of CUBE_LEVELS, then the grey ramp 8, 18, .. 238.
constexpr std::uint32_t palette_256_rgb(int index) {
    if (index >= 232) {
        const auto grey = static_cast<std::uint32_t>(8 + 10 * (index - 232));
        return grey << 16 | grey << 8 | grey;
    }
    const int i = index - 16;
    return static_cast<std::uint32_t>(CUBE_LEVELS[i / 36] << 16 | CUBE_LEVELS[i / 6 % 6] << 8 |
                                      CUBE_LEVELS[i % 6]);
}

} // namespace zk
