// The console's palettes: their colour values, and the nearest fixed 256-colour index of each,
// worked out at compile time.

#include "console/palette.hpp"

#include <array>

namespace zk {

namespace {

constexpr int COLOUR_COUNT = 16;
using Values = std::array<std::uint32_t, COLOUR_COUNT>;

// The classic console palette in Windows order, but for light blue (9): pure 0000FF reaches
// only 2.4:1 against black, so it is sent as the lighter blue of current Windows consoles,
// 3B78FF, which reaches 5.3:1.
constexpr Values CLASSIC_PALETTE{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x3B78FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

// The classic palette with the four colours of the board's runs besides grey taken from the
// Okabe-Ito set, which stays distinct under protanopia and deuteranopia: light green (10)
// bluish green, light blue (9) sky blue, light red (12) vermillion, yellow (14) yellow. Grey
// and white stay as they are. In 256 colours bluish green 009E73 lies equally near 00AF5F and
// 00AF87; the lower index, 00AF5F, is the one that keeps it apart from grey.
constexpr Values COLOUR_BLIND_PALETTE{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x56B4E9, 0x009E73, 0x00FFFF, 0xD55E00, 0xFF00FF, 0xF0E442, 0xFFFFFF,
};

constexpr const Values& values_of(Palette palette) {
    return palette == Palette::colour_blind ? COLOUR_BLIND_PALETTE : CLASSIC_PALETTE;
}

constexpr int squared_distance(std::uint32_t a, std::uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

constexpr std::array<int, COLOUR_COUNT> nearest_palette_indices(const Values& values) {
    std::array<int, COLOUR_COUNT> indices{};
    for (int colour = 0; colour < COLOUR_COUNT; ++colour) {
        int best = 16;
        for (int index = 17; index < 256; ++index)
            if (squared_distance(palette_256_rgb(index), values[colour]) <
                squared_distance(palette_256_rgb(best), values[colour]))
                best = index;
        indices[colour] = best;
    }
    return indices;
}

constexpr std::array<int, COLOUR_COUNT> CLASSIC_256_INDEX =
    nearest_palette_indices(CLASSIC_PALETTE);
constexpr std::array<int, COLOUR_COUNT> COLOUR_BLIND_256_INDEX =
    nearest_palette_indices(COLOUR_BLIND_PALETTE);

} // namespace

std::optional<Palette> palette_named(std::string_view name) {
    if (name == "classic") return Palette::classic;
    if (name == "colour-blind") return Palette::colour_blind;
    return std::nullopt;
}

std::uint32_t palette_rgb(Palette palette, int colour) {
    return values_of(palette)[static_cast<std::size_t>(colour & 15)];
}

int palette_index_256(Palette palette, int colour) {
    const auto& indices =
        palette == Palette::colour_blind ? COLOUR_BLIND_256_INDEX : CLASSIC_256_INDEX;
    return indices[static_cast<std::size_t>(colour & 15)];
}

} // namespace zk
